#pragma once
// One station's outcome in a polling round, as the overview shows it, records it and hands
// it on: the station, when, its four values and relays, and the state of its link.
// Its CSV row (UTF-8, values with a decimal point, ISO time with the UTC offset):
//   čas,stanice,OUT 1,OUT 2,OUT 3,OUT 4,relé,stav
//   2026-03-14T10:00:01+01:00,5,21.5,0.25,-3,1000,1001,ok
// relé is relays 1..4 in order, 1 = on; a station that did not answer leaves the values and
// relays empty and says why in stav.

#include "link/exchange_failure.h"
#include "link/param_set.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <cstdint>

namespace vx52 {

enum class StationState : std::uint8_t {
    Answered, // a good measurement reply
    Failed,   // asked, no good reply
    Skipped,  // not asked in this round: silent too long, asked every tenth round
};

struct StationReading {
    std::uint8_t station = 0;
    QDateTime time;
    StationState state = StationState::Skipped;
    ParamSet::Meas meas{};                   // only when Answered
    FailureCause cause = FailureCause::None; // why it failed
    bool backedOff = false;                  // after this reading: asked every tenth round
    QString typeText;                        // when the round asked for it and got it
    long long round = 0;

    bool answered() const { return state == StationState::Answered; }
    bool relay(int n) const { return (meas.RELAYS >> (n - 1)) & 1; } // n = 1..4
};

// "ok", "bez odpovědi", "chybná odpověď", "linka selhala" or "vynechána".
QString stationStateText(const StationReading& reading);

QString csvHeader();
QString csvRow(const StationReading& reading);

} // namespace vx52

Q_DECLARE_METATYPE(vx52::StationReading)
