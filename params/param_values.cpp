#include "params/param_values.h"

#include "params/card_entries.h"
#include "params/decimal_text.h"

#include <QCoreApplication>
#include <algorithm>

namespace vx52 {

namespace {

constexpr int kCards = 12;

QString name(const char* ascii) {
    return QString::fromLatin1(ascii);
}

struct Place {
    int card = -1;
    std::size_t entry = 0;
};

Place placeOf(const char* control) {
    for (int card = 0; card < kCards; ++card) {
        const auto& entries = cardEntries(card);
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (qstrcmp(entries[i].control, control) == 0) return {card, i};
    }
    return {};
}

FieldPtr fieldOf(ParamSet& set, const char* control) {
    const Place p = placeOf(control);
    return cardEntries(p.card)[p.entry].field(set);
}

bool isWholeNumber(const QString& text) {
    bool ok = false;
    text.trimmed().toInt(&ok, 10);
    return ok;
}

} // namespace

std::vector<EntryRead> FileValues::problems(const std::vector<int>& cards) const {
    std::vector<EntryRead> out;
    for (const EntryRead& r : entries) {
        if (r.state == EntryState::Read) continue;
        if (!cards.empty() && std::find(cards.begin(), cards.end(), r.entry->card) == cards.end())
            continue;
        out.push_back(r);
    }
    return out;
}

QString FileValues::describe(const EntryRead& p) {
    const QString where = QStringLiteral("[%1] %2").arg(name(p.entry->section), name(p.entry->key));
    if (p.state == EntryState::Missing)
        return where + QCoreApplication::translate("ParamFile", ": chybí");
    return QStringLiteral("%1=%2: %3").arg(where, p.text, p.reason);
}

FileValues readFileValues(const IniText& ini, const QLocale& locale) {
    FileValues out;
    for (const FileEntry& e : fileEntries()) {
        if (!e.control) continue;
        const QString section = name(e.section);
        const QString key = name(e.key);
        EntryRead r{&e, EntryState::Read, {}, {}};
        if (!ini.hasKey(section, key)) {
            r.state = EntryState::Missing;
            out.entries.push_back(r);
            continue;
        }
        r.text = ini.readString(section, key, {});
        const Place p = placeOf(e.control);
        std::vector<EntryInput> inputs(cardEntries(p.card).size(), {{}, -1, false});
        if (e.kind == EntryKind::Index) {
            if (!isWholeNumber(r.text)) {
                r.state = EntryState::Refused;
                r.reason = QCoreApplication::translate("ParamFile", "není celé číslo");
                out.entries.push_back(r);
                continue;
            }
            const int position = r.text.trimmed().toInt();
            inputs[p.entry] = {{}, position >= 0 && position < e.listSize ? position : -1, true};
        } else {
            inputs[p.entry] = {r.text, -1, true};
        }
        const auto refused = takeEntries(p.card, inputs, out.set, true, locale);
        if (!refused.empty()) {
            r.state = EntryState::Refused;
            r.reason = refused.front().reason;
        }
        out.entries.push_back(r);
    }
    return out;
}

QString SetEntries::entryText(const char* control) const {
    ParamSet set = set_;
    const FieldPtr field = fieldOf(set, control);
    if (const auto* f = std::get_if<float*>(&field)) return parameterText(**f, locale_);
    if (const auto* s = std::get_if<std::int16_t*>(&field)) return QString::number(**s);
    // the bus address, read as a signed byte as the card shows it
    return QString::number(static_cast<std::int8_t>(*std::get<std::uint8_t*>(field)));
}

QString SetEntries::exactText(const char* control) const {
    ParamSet set = set_;
    const FieldPtr field = fieldOf(set, control);
    if (const auto* f = std::get_if<float*>(&field)) return vx52::exactText(**f, locale_);
    return entryText(control);
}

int SetEntries::listIndex(const char* control) const {
    ParamSet set = set_;
    const FieldPtr field = fieldOf(set, control);
    const int position = static_cast<std::int8_t>(*std::get<std::uint8_t*>(field));
    for (const FileEntry& e : fileEntries())
        if (e.control && qstrcmp(e.control, control) == 0)
            return position >= 0 && position < e.listSize ? position : -1;
    return -1;
}

} // namespace vx52
