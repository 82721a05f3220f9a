#pragma once
// A polled station's outcome as the broker gets it: a good reading and "spojeno", or the
// link state of a station that did not answer. Skipped stations say nothing new.

#include "bus/station_reading.h"
#include "publish/mqtt_publisher.h"

namespace vx52 {

void publishStationReading(MqttPublisher& publisher, const StationReading& reading);

} // namespace vx52
