#pragma once
// One polling round over the link: the schedule's stations in turn, one measurement exchange
// each, skipped stations reported without an exchange. The link's station is put back
// afterwards. Runs on whichever thread owns the link.

#include "bus/poll_schedule.h"
#include "bus/station_reading.h"

#include <functional>

namespace vx52 {

class Link;

struct PollRoundHooks {
    std::function<QDateTime()> now;                     // time of each reading
    std::function<void(const StationReading&)> reading; // each station's outcome, in order
    std::function<bool()> stop;                         // checked before every exchange
};

// False when stop() ended the round before its last station.
bool pollRound(Link& link, PollSchedule& schedule, const PollRoundHooks& hooks);

} // namespace vx52
