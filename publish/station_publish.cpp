#include "publish/station_publish.h"

namespace vx52 {

void publishStationReading(MqttPublisher& publisher, const StationReading& r) {
    if (r.answered()) {
        publisher.publishLink(r.station, StationLink::Connected);
        // Bits 0..3 are the four relays; the rest of the byte means nothing to a subscriber.
        publisher.publish(Reading::at(r.time, r.station,
                                      {r.meas.OUT1, r.meas.OUT2, r.meas.OUT3, r.meas.OUT4},
                                      static_cast<std::uint8_t>(r.meas.RELAYS & 0x0F)));
    } else if (r.state == StationState::Failed) {
        publisher.publishLink(r.station, r.cause == FailureCause::LineFailed
                                             ? StationLink::CannotOpen
                                             : StationLink::Silent);
    }
}

} // namespace vx52
