// Taking a card's controls into ParamSet and showing ParamSet in them.

#include "params/Unitmenumod.h"

#include "params/card_entries.h"
#include "params/decimal_text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

namespace {

const QString kCaption = QStringLiteral("CHYBA");
// What the card showed in a control, to tell the operator's edits from what was shown.
const char* const kShown = "vx52Shown";

// A list shows the position held in the byte read as signed; none beyond the list.
void choose(QComboBox* list, std::uint8_t position) {
    const int index = static_cast<std::int8_t>(position);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

QString fieldText(const vx52::FieldPtr& field) {
    if (auto* f = std::get_if<float*>(&field)) return vx52::parameterText(**f);
    if (auto* s = std::get_if<std::int16_t*>(&field)) return QString::number(**s);
    // the bus address, read as a signed byte
    return QString::number(static_cast<std::int8_t>(*std::get<std::uint8_t*>(field)));
}

// One control's content into its field, the card's other fields untouched: what the card shows
// is then what a write sends.
void storeOne(vx52::ParamSet& params, const char* control, const vx52::EntryInput& input) {
    for (int card = 0; card < Tmenu_mod::kCardCount; ++card) {
        const auto& entries = vx52::cardEntries(card);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (qstrcmp(entries[i].control, control) != 0) continue;
            std::vector<vx52::EntryInput> inputs(entries.size(), {{}, -1, false});
            inputs[i] = input;
            vx52::takeEntries(card, inputs, params);
        }
    }
}

} // namespace

std::vector<vx52::EntryInput> Tmenu_mod::cardInputs(int card, bool all) const {
    std::vector<vx52::EntryInput> inputs;
    for (const auto& e : vx52::cardEntries(card)) {
        const QString name = QString::fromLatin1(e.control);
        vx52::EntryInput in;
        if (e.list) {
            const auto* list = findChild<QComboBox*>(name);
            in.position = list->currentIndex();
            const QVariant shown = list->property(kShown);
            in.changed = all || !shown.isValid() || shown.toInt() != in.position;
        } else {
            const auto* entry = findChild<QLineEdit*>(name);
            in.text = entry->text();
            const QVariant shown = entry->property(kShown);
            in.changed = all || !shown.isValid() || shown.toString() != in.text;
        }
        inputs.push_back(std::move(in));
    }
    return inputs;
}

// One message for the card, naming every refused entry by its label; the first keeps the focus.
void Tmenu_mod::refuse(int card, const std::vector<vx52::EntryProblem>& problems) {
    const auto& entries = vx52::cardEntries(card);
    QStringList lines;
    for (const auto& p : problems)
        lines << QStringLiteral("%1: %2").arg(QString::fromUtf8(entries[p.entry].label), p.reason);
    auto* first = findChild<QLineEdit*>(QString::fromLatin1(entries[problems.front().entry].control));
    last_bad_entry_ = first;
    first->setFocus();
    ctx_.prompts.message(this, lines.join(QLatin1Char('\n')), kCaption,
                         vx52::Prompts::Icon::Warning);
    first->setFocus();
}

int Tmenu_mod::TakeCard(int index) {
    if (index < 0 || index >= kCardCount) return 0;
    auto& params = ctx_.link.params();
    const vx52::ParamSet before = params;
    const auto problems = vx52::takeEntries(index, cardInputs(index, false), params);
    if (!problems.empty()) {
        refuse(index, problems);
        return -1;
    }
    if (!(params == before)) setSource(index, vx52::CardSource::Typed);
    return 0;
}

std::vector<vx52::EntryProblem> Tmenu_mod::takeOpenedCard(int card) {
    auto problems = vx52::takeEntries(card, cardInputs(card, true), ctx_.link.params(), true);
    if (problems.empty()) setSource(card, vx52::CardSource::File);
    ShowCard(card);
    return problems;
}

void Tmenu_mod::ShowCard(int index) {
    auto& params = ctx_.link.params();
    for (const auto& e : vx52::cardEntries(index)) {
        const QString name = QString::fromLatin1(e.control);
        const vx52::FieldPtr field = e.field(params);
        if (e.list) {
            auto* list = findChild<QComboBox*>(name);
            choose(list, *std::get<std::uint8_t*>(field));
            list->setProperty(kShown, list->currentIndex());
            continue;
        }
        auto* entry = findChild<QLineEdit*>(name);
        entry->setText(fieldText(field));
        entry->setProperty(kShown, entry->text());
    }
}

void Tmenu_mod::putDefault(const char* control, const QString& text) {
    auto* entry = findChild<QLineEdit*>(QString::fromLatin1(control));
    entry->setText(text);
    entry->setProperty(kShown, text);
    storeOne(ctx_.link.params(), control, {text, -1, true});
}

void Tmenu_mod::putDefault(const char* control, int position) {
    auto* list = findChild<QComboBox*>(QString::fromLatin1(control));
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
    list->setProperty(kShown, list->currentIndex());
    storeOne(ctx_.link.params(), control, {{}, list->currentIndex(), true});
}

QString Tmenu_mod::exactText(const char* control) const {
    for (int card = 0; card < kCardCount; ++card) {
        for (const auto& e : vx52::cardEntries(card)) {
            if (qstrcmp(e.control, control) != 0) continue;
            const vx52::FieldPtr field = e.field(ctx_.link.params());
            if (auto* f = std::get_if<float*>(&field)) return vx52::exactText(**f);
        }
    }
    return {};
}
