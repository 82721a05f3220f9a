#pragma once
// What goes to the broker: one reading of a station as JSON on <prefix>/<station>/meas, the
// station's link state on <prefix>/<station>/state, the program's presence on <prefix>/status.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

namespace vx52 {

// A good reading, kept compact: a day of readings of several stations waits in memory.
struct Reading {
    std::int64_t msecs = 0;       // since the epoch, UTC
    std::int32_t offsetSecs = 0;  // the local time's offset from UTC at that moment
    std::array<float, 4> out{};   // OUT 1..OUT 4
    std::uint8_t relays = 0;      // bits 0..3: relays 1..4
    std::uint8_t station = 0;     // bus address

    static Reading at(const QDateTime& time, std::uint8_t station, std::array<float, 4> out,
                      std::uint8_t relays);
};

// The link to a station as the readings find it.
enum class StationLink { Connected, Silent, CannotOpen };

// {"time":"2026-12-08T18:32:01.250+01:00","out":[23.5,0,-1.25,100],"relays":5,"station":1};
// a value that is no number (the device's NaN or infinity) is null.
QByteArray readingJson(const Reading& r);
// "spojeno", "bez odezvy", "port nelze otevřít".
QByteArray stationLinkText(StationLink link);

QString measTopic(const QString& prefix, int station);
QString stateTopic(const QString& prefix, int station);
QString statusTopic(const QString& prefix);

} // namespace vx52
