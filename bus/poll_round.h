#pragma once
// One polling round over the link: the schedule's stations in turn, one measurement exchange
// each, skipped stations reported without an exchange. A station met for the first time is
// asked its type text right after its first good measurement. The link's station is put back
// afterwards, also when stop() ends the round by raising. Runs on the thread that owns the link.

#include "bus/poll_schedule.h"
#include "bus/station_reading.h"

#include <functional>

namespace vx52 {

class Link;

struct PollRoundHooks {
    std::function<QDateTime()> now;                     // time of each reading
    std::function<void(const StationReading&)> reading; // each station's outcome, in order
    std::function<bool()> stop;                         // checked before every exchange
    std::function<bool(std::uint8_t)> wantsType;        // the station's type text is unknown
};

// False when stop() ended the round before its last station.
bool pollRound(Link& link, PollSchedule& schedule, const PollRoundHooks& hooks);

} // namespace vx52
