// Taking a card's controls into ParamSet and showing ParamSet in them.

#include "params/Unitmenumod.h"

#include "params/card_entries.h"
#include "params/decimal_text.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

const QString kCaption = QStringLiteral("CHYBA");
const QString kNotDecimal = QStringLiteral("Je nutné zadávat pouze čísla nebo desetinnou čárku");
const QString kNotInteger = QStringLiteral("Je nutné zadávat pouze čísla");

// A list shows the position held in the byte read as signed; none beyond the list.
void choose(QComboBox* list, std::uint8_t position) {
    const int index = static_cast<std::int8_t>(position);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

} // namespace

int Tmenu_mod::refuse(QLineEdit* entry, const QString& text) {
    ctx_.prompts.message(this, text, kCaption, vx52::Prompts::Icon::Warning);
    entry->setText(QStringLiteral("0"));
    entry->setFocus();
    last_bad_entry_ = entry;
    return -1;
}

int Tmenu_mod::TakeFloat(float& field, QLineEdit* entry) {
    if (const auto value = vx52::parseDecimal(entry->text())) {
        field = *value;
        return 0;
    }
    field = 0;
    return refuse(entry, kNotDecimal);
}

int Tmenu_mod::TakeShort(std::int16_t& field, QLineEdit* entry) {
    if (const auto value = vx52::parseInteger(entry->text(), -32768, 32767)) {
        field = static_cast<std::int16_t>(*value);
        return 0;
    }
    field = 0;
    return refuse(entry, kNotInteger);
}

int Tmenu_mod::TakeByte(std::uint8_t& field, QLineEdit* entry) {
    // Signed and unsigned bytes alike; anything wider would be cut to a different value.
    if (const auto value = vx52::parseInteger(entry->text(), -128, 255)) {
        field = static_cast<std::uint8_t>(*value);
        return 0;
    }
    field = 0;
    return refuse(entry, kNotInteger);
}

int Tmenu_mod::TakeCard(int index) {
    auto& params = ctx_.link.params();
    int result = 0;
    // Every control is taken even after a failure: each bad entry brings its own message.
    for (const auto& e : vx52::cardEntries(index)) {
        const QString name = QString::fromLatin1(e.control);
        const vx52::FieldPtr field = e.field(params);
        if (e.list) {
            const int position = findChild<QComboBox*>(name)->currentIndex();
            *std::get<std::uint8_t*>(field) =
                static_cast<std::uint8_t>(position < 0 ? 255 : position);
            continue;
        }
        auto* entry = findChild<QLineEdit*>(name);
        if (auto* f = std::get_if<float*>(&field))
            result |= TakeFloat(**f, entry);
        else if (auto* s = std::get_if<std::int16_t*>(&field))
            result |= TakeShort(**s, entry);
        else
            result |= TakeByte(*std::get<std::uint8_t*>(field), entry);
    }
    return result;
}

void Tmenu_mod::ShowCard(int index) {
    auto& params = ctx_.link.params();
    for (const auto& e : vx52::cardEntries(index)) {
        const QString name = QString::fromLatin1(e.control);
        const vx52::FieldPtr field = e.field(params);
        if (e.list) {
            choose(findChild<QComboBox*>(name), *std::get<std::uint8_t*>(field));
            continue;
        }
        auto* entry = findChild<QLineEdit*>(name);
        if (auto* f = std::get_if<float*>(&field))
            entry->setText(vx52::parameterText(**f));
        else if (auto* s = std::get_if<std::int16_t*>(&field))
            entry->setText(QString::number(**s));
        else // the bus address, read as a signed byte
            entry->setText(
                QString::number(static_cast<std::int8_t>(*std::get<std::uint8_t*>(field))));
    }
}
