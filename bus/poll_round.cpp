#include "bus/poll_round.h"

#include "link/link.h"

#include <QStringDecoder>

namespace vx52 {

namespace {

// Gives the link back its own station however the round ends.
class StationKept {
public:
    explicit StationKept(Link& link) : link_(link), own_(link.GetDeviceAddress()) {}
    ~StationKept() { link_.SetDeviceAddress(own_); }
    StationKept(const StationKept&) = delete;
    StationKept& operator=(const StationKept&) = delete;

private:
    Link& link_;
    std::uint8_t own_;
};

// A silent station is not waited out at once within the round (Link::beginPolling).
class PollingMode {
public:
    explicit PollingMode(Link& link) : link_(link) { link_.beginPolling(); }
    ~PollingMode() { link_.endPolling(); }
    PollingMode(const PollingMode&) = delete;
    PollingMode& operator=(const PollingMode&) = delete;

private:
    Link& link_;
};

// The device's texts are Windows-1250, up to the first zero byte.
QString typeText(const Link& link) {
    QStringDecoder decode("windows-1250");
    return QString(decode(QByteArrayView(link.typeText()))).trimmed();
}

} // namespace

bool pollRound(Link& link, PollSchedule& schedule, const PollRoundHooks& hooks) {
    const StationKept kept(link);
    const PollingMode polling(link);
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
            if (ok && hooks.wantsType && hooks.wantsType(slot.station) &&
                !(hooks.stop && hooks.stop()) && link.ReadDeviceType())
                r.typeText = typeText(link);
        }
        r.time = hooks.now ? hooks.now() : QDateTime::currentDateTime();
        r.backedOff = schedule.backedOff(slot.station);
        if (hooks.reading) hooks.reading(r);
    }
    return complete;
}

} // namespace vx52
