#include "params/card_entries.h"

#include <array>

namespace vx52 {
namespace {

#define VX52_FIELD(path) [](ParamSet& p) -> FieldPtr { return &p.path; }

#define VX52_ALARM_CARD(n)                                                                         \
    std::vector<CardEntry> {                                                                       \
        {"ed_splo" #n, false, VX52_FIELD(ALARM##n.SPLO)},                                          \
            {"ed_hyst" #n, false, VX52_FIELD(ALARM##n.HYST)},                                      \
            {"cb_rala" #n, true, VX52_FIELD(ALARM##n.RALA)},                                       \
            {"cb_re" #n, true, VX52_FIELD(ALARM##n.RELE)},                                         \
            {"cb_out" #n, true, VX52_FIELD(ALARM##n.INALA)},                                       \
    }

#define VX52_SENS_CARD(n)                                                                          \
    std::vector<CardEntry> {                                                                       \
        {"cb_sens" #n, true, VX52_FIELD(SENS##n.TYPE)},                                            \
            {"cb_dp" #n, true, VX52_FIELD(SENS##n.DP)},                                            \
            {"ed_strs" #n, false, VX52_FIELD(SENS##n.STRS)},                                       \
            {"ed_ends" #n, false, VX52_FIELD(SENS##n.ENDS)},                                       \
            {"cb_obr" #n, true, VX52_FIELD(SENS##n.OBR)},                                          \
    }

std::array<std::vector<CardEntry>, 12> buildCards() {
    return {{
        {{"ed_sp", false, VX52_FIELD(COMP.SP)}},
        VX52_ALARM_CARD(1),
        VX52_ALARM_CARD(2),
        VX52_SENS_CARD(1),
        VX52_SENS_CARD(2),
        VX52_SENS_CARD(3),
        VX52_SENS_CARD(4),
        {{"ed_pb", false, VX52_FIELD(PID.PB)},
         {"ed_ti", false, VX52_FIELD(PID.TI)},
         {"ed_td", false, VX52_FIELD(PID.TD)}},
        {{"cb_typ_rego", true, VX52_FIELD(REGO.TYP)},
         {"cb_feed", true, VX52_FIELD(REGO.FEED)},
         {"ed_dser", false, VX52_FIELD(REGO.DSER)},
         {"ed_dead", false, VX52_FIELD(REGO.DEAD)}},
        {{"cb_ain", true, VX52_FIELD(DACO.AIN)}, {"cb_aout", true, VX52_FIELD(DACO.AOUT)}},
        {{"cb_ver", true, VX52_FIELD(OSTAT.VERZE)},
         {"cb_filtr", true, VX52_FIELD(OSTAT.FILT)},
         {"ed_pass1", false, VX52_FIELD(OSTAT.PASS1)},
         {"ed_pass2", false, VX52_FIELD(OSTAT.PASS2)},
         {"ed_con1", false, VX52_FIELD(OSTAT.CON1)},
         {"ed_con2", false, VX52_FIELD(OSTAT.CON2)}},
        {{"ed_adresa", false, VX52_FIELD(ADD.ADRESA)}},
    }};
}

} // namespace

const std::vector<CardEntry>& cardEntries(int card) {
    static const std::array<std::vector<CardEntry>, 12> cards = buildCards();
    static const std::vector<CardEntry> none;
    if (card < 0 || card >= static_cast<int>(cards.size())) return none;
    return cards[static_cast<std::size_t>(card)];
}

} // namespace vx52
