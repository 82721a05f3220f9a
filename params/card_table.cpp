#include "params/card_entries.h"

#include "params/decimal_text.h"

#include <QCoreApplication>

#include <array>

namespace vx52 {
namespace {

#define VX52_FIELD(path) [](ParamSet& p) -> FieldPtr { return &p.path; }

#define VX52_ALARM_CARD(n)                                                                         \
    std::vector<CardEntry> {                                                                       \
        {"ed_splo" #n, false, VX52_FIELD(ALARM##n.SPLO), "ALA" #n},                                \
            {"ed_hyst" #n, false, VX52_FIELD(ALARM##n.HYST), "HYST"},                              \
            {"cb_rala" #n, true, VX52_FIELD(ALARM##n.RALA)},                                       \
            {"cb_re" #n, true, VX52_FIELD(ALARM##n.RELE)},                                         \
            {"cb_out" #n, true, VX52_FIELD(ALARM##n.INALA)},                                       \
    }

#define VX52_SENS_CARD(n)                                                                          \
    std::vector<CardEntry> {                                                                       \
        {"cb_sens" #n, true, VX52_FIELD(SENS##n.TYPE)},                                            \
            {"cb_dp" #n, true, VX52_FIELD(SENS##n.DP)},                                            \
            {"ed_strs" #n, false, VX52_FIELD(SENS##n.STRS), "STRS"},                               \
            {"ed_ends" #n, false, VX52_FIELD(SENS##n.ENDS), "ENDS"},                               \
            {"cb_obr" #n, true, VX52_FIELD(SENS##n.OBR)},                                          \
    }

std::array<std::vector<CardEntry>, 12> buildCards() {
    return {{
        {{"ed_sp", false, VX52_FIELD(COMP.SP), "SP"}},
        VX52_ALARM_CARD(1),
        VX52_ALARM_CARD(2),
        VX52_SENS_CARD(1),
        VX52_SENS_CARD(2),
        VX52_SENS_CARD(3),
        VX52_SENS_CARD(4),
        {{"ed_pb", false, VX52_FIELD(PID.PB), "PB"},
         {"ed_ti", false, VX52_FIELD(PID.TI), "INT"},
         {"ed_td", false, VX52_FIELD(PID.TD), "DER"}},
        {{"cb_typ_rego", true, VX52_FIELD(REGO.TYP)},
         {"cb_feed", true, VX52_FIELD(REGO.FEED)},
         {"ed_dser", false, VX52_FIELD(REGO.DSER), "DSER"},
         {"ed_dead", false, VX52_FIELD(REGO.DEAD), "DEAD"}},
        {{"cb_ain", true, VX52_FIELD(DACO.AIN)}, {"cb_aout", true, VX52_FIELD(DACO.AOUT)}},
        {{"cb_ver", true, VX52_FIELD(OSTAT.VERZE)},
         {"cb_filtr", true, VX52_FIELD(OSTAT.FILT)},
         {"ed_pass1", false, VX52_FIELD(OSTAT.PASS1), "HES1"},
         {"ed_pass2", false, VX52_FIELD(OSTAT.PASS2), "HES2"},
         // The card's labels state the constants' range: [-4 až +4].
         {"ed_con1", false, VX52_FIELD(OSTAT.CON1), "CON1",
          QT_TRANSLATE_NOOP("Tmenu_mod", "-4 až +4"), -4, 4},
         {"ed_con2", false, VX52_FIELD(OSTAT.CON2), "CON2",
          QT_TRANSLATE_NOOP("Tmenu_mod", "-4 až +4"), -4, 4}},
        // 127 is the broadcast address, to which nothing answers; 128 and more set bit 7.
        {{"ed_adresa", false, VX52_FIELD(ADD.ADRESA),
          QT_TRANSLATE_NOOP("Tmenu_mod", "adresa regulátoru"),
          QT_TRANSLATE_NOOP("Tmenu_mod", "0 až 126"), 0, 126}},
    }};
}

} // namespace

const std::vector<CardEntry>& cardEntries(int card) {
    static const std::array<std::vector<CardEntry>, 12> cards = buildCards();
    static const std::vector<CardEntry> none;
    if (card < 0 || card >= static_cast<int>(cards.size())) return none;
    return cards[static_cast<std::size_t>(card)];
}

namespace {

QString outOfRange(const QString& range) {
    return QCoreApplication::translate("Tmenu_mod", "Hodnota musí ležet v rozsahu %1").arg(range);
}

bool isIntegerText(const QString& text) {
    const QString t = text.trimmed();
    const int start = (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) ? 1 : 0;
    if (t.size() <= start) return false;
    for (qsizetype i = start; i < t.size(); ++i)
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9')) return false;
    return true;
}

// The checked value of one edit box, or why it is refused.
struct Checked {
    double value = 0;
    QString problem;
};

Checked checkNumber(const CardEntry& e, const FieldPtr& field, const QString& text, bool pointToo,
                    const QLocale& locale) {
    if (std::holds_alternative<float*>(field)) {
        const auto value = parseDecimal(text, locale, pointToo);
        if (!value)
            return {0, QCoreApplication::translate(
                           "Tmenu_mod", "Je nutné zadávat pouze čísla nebo desetinnou čárku")};
        if (e.range && (*value < e.low || *value > e.high))
            return {0, outOfRange(QCoreApplication::translate("Tmenu_mod", e.range))};
        return {*value, {}};
    }
    const bool wide = std::holds_alternative<std::int16_t*>(field);
    const int low = e.range ? static_cast<int>(e.low) : wide ? -32768 : -128;
    const int high = e.range ? static_cast<int>(e.high) : wide ? 32767 : 255;
    if (const auto value = parseInteger(text, low, high)) return {double(*value), {}};
    if (!isIntegerText(text))
        return {0, QCoreApplication::translate("Tmenu_mod", "Je nutné zadávat pouze čísla")};
    return {0,
            outOfRange(
                e.range ? QCoreApplication::translate("Tmenu_mod", e.range)
                        : QCoreApplication::translate("Tmenu_mod", "%1 až %2").arg(low).arg(high))};
}

void store(const FieldPtr& field, double value) {
    if (auto* f = std::get_if<float*>(&field))
        **f = static_cast<float>(value);
    else if (auto* s = std::get_if<std::int16_t*>(&field))
        **s = static_cast<std::int16_t>(value);
    else // bytes: signed and unsigned alike
        *std::get<std::uint8_t*>(field) = static_cast<std::uint8_t>(static_cast<int>(value));
}

} // namespace

std::vector<EntryProblem> takeEntries(int card, const std::vector<EntryInput>& inputs,
                                      ParamSet& params, bool pointToo, const QLocale& locale) {
    const auto& entries = cardEntries(card);
    std::vector<EntryProblem> problems;
    std::vector<double> values(entries.size(), 0);
    for (std::size_t i = 0; i < entries.size() && i < inputs.size(); ++i) {
        const CardEntry& e = entries[i];
        if (!inputs[i].changed) continue;
        if (e.list) {
            values[i] = inputs[i].position < 0 ? 255 : inputs[i].position;
            continue;
        }
        const Checked c = checkNumber(e, e.field(params), inputs[i].text, pointToo, locale);
        if (!c.problem.isEmpty())
            problems.push_back({i, c.problem});
        else
            values[i] = c.value;
    }
    if (!problems.empty()) return problems;
    for (std::size_t i = 0; i < entries.size() && i < inputs.size(); ++i)
        if (inputs[i].changed) store(entries[i].field(params), values[i]);
    return problems;
}

} // namespace vx52
