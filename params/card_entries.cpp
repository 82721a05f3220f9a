// Taking a card's controls into the editor's model and showing the model in them. What the
// operator changed is known from each control's own edit signal, never from its text.

#include "params/Unitmenumod.h"

#include "params/card_entries.h"
#include "params/decimal_text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QVariant>

namespace {

const QString kCaption = QStringLiteral("CHYBA");
// Set by the control's edit signal, cleared when the card shows the model again.
const char* const kEdited = "vx52Edited";

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

// The card and entry of a control.
std::pair<int, std::size_t> entryOf(const char* control) {
    for (int card = 0; card < Tmenu_mod::kCardCount; ++card) {
        const auto& entries = vx52::cardEntries(card);
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (qstrcmp(entries[i].control, control) == 0) return {card, i};
    }
    return {-1, 0};
}

} // namespace

void Tmenu_mod::watchEdits() {
    for (int card = 0; card < kCardCount; ++card) {
        for (const auto& e : vx52::cardEntries(card)) {
            auto* control = findChild<QWidget*>(QString::fromLatin1(e.control));
            const auto edited = [control] { control->setProperty(kEdited, true); };
            if (auto* list = qobject_cast<QComboBox*>(control))
                connect(list, &QComboBox::activated, this, edited);
            else if (auto* entry = qobject_cast<QLineEdit*>(control))
                connect(entry, &QLineEdit::textEdited, this, edited);
        }
    }
}

std::vector<vx52::EntryInput> Tmenu_mod::cardInputs(int card, bool all) const {
    std::vector<vx52::EntryInput> inputs;
    for (const auto& e : vx52::cardEntries(card)) {
        const auto* control = findChild<QWidget*>(QString::fromLatin1(e.control));
        vx52::EntryInput in;
        if (e.list)
            in.position = static_cast<const QComboBox*>(control)->currentIndex();
        else
            in.text = static_cast<const QLineEdit*>(control)->text();
        in.changed = all || control->property(kEdited).toBool();
        inputs.push_back(std::move(in));
    }
    return inputs;
}

// One message for the card, naming every refused entry by its label; the first keeps the focus.
void Tmenu_mod::refuse(int card, const std::vector<vx52::EntryProblem>& problems) {
    const auto& entries = vx52::cardEntries(card);
    QStringList lines;
    for (const auto& p : problems)
        lines << QStringLiteral("%1: %2").arg(
            QCoreApplication::translate("Tmenu_mod", entries[p.entry].label), p.reason);
    auto* first = findChild<QLineEdit*>(QString::fromLatin1(entries[problems.front().entry].control));
    last_bad_entry_ = first;
    first->setFocus();
    ctx_.prompts.message(this, lines.join(QLatin1Char('\n')), kCaption,
                         vx52::Prompts::Icon::Warning);
    first->setFocus();
}

int Tmenu_mod::TakeCard(int index) {
    if (index < 0 || index >= kCardCount) return 0;
    const auto problems = model_.take(index, cardInputs(index, false), vx52::Origin::Typed);
    if (!problems.empty()) {
        refuse(index, problems);
        return -1;
    }
    return 0;
}

std::vector<vx52::EntryProblem> Tmenu_mod::takeOpenedCard(int card) {
    auto problems = model_.take(card, cardInputs(card, true), vx52::Origin::File, true);
    ShowCard(card);
    return problems;
}

void Tmenu_mod::ShowCard(int index) {
    auto& params = model_.cards();
    for (const auto& e : vx52::cardEntries(index)) {
        const QString name = QString::fromLatin1(e.control);
        const vx52::FieldPtr field = e.field(params);
        if (e.list) {
            auto* list = findChild<QComboBox*>(name);
            choose(list, *std::get<std::uint8_t*>(field));
            list->setProperty(kEdited, false);
            continue;
        }
        auto* entry = findChild<QLineEdit*>(name);
        entry->setText(fieldText(field));
        entry->setProperty(kEdited, false);
    }
}

void Tmenu_mod::putDefault(const char* control, const QString& text) {
    const auto [card, i] = entryOf(control);
    if (card < 0) return;
    auto* entry = findChild<QLineEdit*>(QString::fromLatin1(control));
    entry->setText(text);
    entry->setProperty(kEdited, false);
    std::vector<vx52::EntryInput> inputs(vx52::cardEntries(card).size(), {{}, -1, false});
    inputs[i] = {text, -1, true};
    model_.take(card, inputs, vx52::Origin::Default);
}

void Tmenu_mod::putDefault(const char* control, int position) {
    const auto [card, i] = entryOf(control);
    if (card < 0) return;
    auto* list = findChild<QComboBox*>(QString::fromLatin1(control));
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
    list->setProperty(kEdited, false);
    std::vector<vx52::EntryInput> inputs(vx52::cardEntries(card).size(), {{}, -1, false});
    inputs[i] = {{}, list->currentIndex(), true};
    model_.take(card, inputs, vx52::Origin::Default);
}

QString Tmenu_mod::exactText(const char* control) const {
    const auto [card, i] = entryOf(control);
    if (card < 0) return {};
    vx52::ParamSet values = model_.cards();
    const vx52::FieldPtr field = vx52::cardEntries(card)[i].field(values);
    if (auto* f = std::get_if<float*>(&field)) return vx52::exactText(**f);
    return {};
}
