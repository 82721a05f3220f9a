#include "bus/poll_round.h"

#include "link/link.h"

namespace vx52 {

bool pollRound(Link& link, PollSchedule& schedule, const PollRoundHooks& hooks) {
    const std::uint8_t own = link.GetDeviceAddress();
    bool complete = true;
    for (const PollSchedule::Slot& slot : schedule.nextRound()) {
        if (hooks.stop && hooks.stop()) {
            complete = false;
            break;
        }
        StationReading r;
        r.station = slot.station;
        r.round = schedule.round();
        if (slot.ask) {
            link.SetDeviceAddress(slot.station);
            const bool ok = link.ReadMeasurement() != 0;
            schedule.record(slot.station, ok);
            r.state = ok ? StationState::Answered : StationState::Failed;
            if (ok)
                r.meas = link.params().MEAS;
            else
                r.cause = link.lastFailure().cause;
        }
        r.time = hooks.now ? hooks.now() : QDateTime::currentDateTime();
        r.backedOff = schedule.backedOff(slot.station);
        if (hooks.reading) hooks.reading(r);
    }
    link.SetDeviceAddress(own);
    return complete;
}

} // namespace vx52
