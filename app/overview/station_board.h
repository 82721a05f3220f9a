#pragma once
// What the bus overview knows of each station: its type text (asked once, at its first
// answer), the state of its link with the time of its last good reading, the last good values
// and relays, and a trend of the last minutes. Fed with the polling rounds' readings; the
// rows keep the order of the station list.

#include "bus/station_reading.h"

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

namespace vx52 {

// The last minutes of one station's four values, oldest first. Older points drop out as
// new ones come, so a station costs the same after a day as after ten minutes.
class StationTrend {
public:
    static constexpr qint64 kSpanMs = 10 * 60 * 1000;

    struct Point {
        qint64 ms = 0; // time since the epoch
        std::array<float, 4> values{};
    };

    void add(qint64 ms, const ParamSet::Meas& meas);
    const std::deque<Point>& points() const { return points_; }
    bool empty() const { return points_.empty(); }

private:
    std::deque<Point> points_;
};

struct StationStatus {
    std::uint8_t address = 0;
    QString typeText;   // empty until the station has told it
    bool asked = false; // polled at least once
    StationState state = StationState::Skipped;
    FailureCause cause = FailureCause::None;
    bool backedOff = false; // asked every tenth round
    int failedInRow = 0;
    QDateTime lastGood;    // invalid before the first good reading
    ParamSet::Meas meas{}; // of the last good reading
    long long good = 0;
    long long failed = 0;
    StationTrend trend;

    // Answered at least once and did not answer since.
    bool silent() const { return asked && state != StationState::Answered; }
};

class StationBoard {
public:
    // A new list keeps what is known of the stations that stay in it.
    void setStations(const std::vector<std::uint8_t>& stations);
    std::vector<std::uint8_t> addresses() const;
    const std::vector<StationStatus>& stations() const { return stations_; }
    int indexOf(std::uint8_t address) const;

    // Takes one reading; returns the row it changed, or -1 for a station not on the board.
    int take(const StationReading& reading);
    // The station has not told its type yet.
    bool wantsType(std::uint8_t address) const;
    std::vector<std::uint8_t> backedOff() const;

private:
    std::vector<StationStatus> stations_;
};

} // namespace vx52
