#include "params/card_texts.h"

#include "params/decimal_text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>

#include <algorithm>

namespace vx52 {

namespace {

// "ed_splo1" and "cb_out1" are labelled by "lb_splo1" and "lb_out1".
QString labelName(const CardEntry& entry) {
    return QStringLiteral("lb_") + QString::fromLatin1(entry.control).mid(3);
}

} // namespace

QString CardTexts::caption(int card) const {
    const auto* pages = editor_.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    return pages && card >= 0 && card < pages->count() ? pages->tabText(card) : QString();
}

QString CardTexts::labelText(const QString& name) const {
    const auto* label = editor_.findChild<QLabel*>(name);
    return label ? label->text() : QString();
}

QString CardTexts::shortLabel(const CardEntry& entry) const {
    return labelText(labelName(entry));
}

QString CardTexts::label(const CardEntry& entry) const {
    const QString text = shortLabel(entry);
    return text.isEmpty() ? description(entry) : text;
}

std::vector<const CardEntry*> CardTexts::rows(int card) const {
    std::vector<const CardEntry*> out;
    for (const auto& e : cardEntries(card))
        out.push_back(&e);
    const auto top = [this](const CardEntry* e) {
        const auto* control = editor_.findChild<QWidget*>(QString::fromLatin1(e->control));
        return control ? control->y() : 0;
    };
    std::stable_sort(out.begin(), out.end(),
                     [&top](const CardEntry* a, const CardEntry* b) { return top(a) < top(b); });
    return out;
}

QString CardTexts::description(const CardEntry& entry) const {
    return labelText(labelName(entry) + QStringLiteral("_popis"));
}

QString CardTexts::value(ParamSet& params, const CardEntry& entry) const {
    const FieldPtr field = entry.field(params);
    if (entry.list) {
        const std::uint8_t byte = *std::get<std::uint8_t*>(field);
        const int position = static_cast<std::int8_t>(byte);
        const auto* list = editor_.findChild<QComboBox*>(QString::fromLatin1(entry.control));
        if (list && position >= 0 && position < list->count()) return list->itemText(position);
        return QCoreApplication::translate("Tmenu_mod", "(mimo seznam: %1)").arg(byte);
    }
    if (const auto* f = std::get_if<float*>(&field)) return parameterText(**f);
    if (const auto* s = std::get_if<std::int16_t*>(&field)) return QString::number(**s);
    return QString::number(static_cast<std::int8_t>(*std::get<std::uint8_t*>(field)));
}

QString CardTexts::exactValue(ParamSet& params, const CardEntry& entry) const {
    const FieldPtr field = entry.field(params);
    if (const auto* f = std::get_if<float*>(&field)) return exactText(**f);
    return value(params, entry);
}

} // namespace vx52
