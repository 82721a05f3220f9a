#include "app/overview/station_board.h"

#include <algorithm>

namespace vx52 {

void StationTrend::add(qint64 ms, const ParamSet::Meas& meas) {
    points_.push_back({ms, {meas.OUT1, meas.OUT2, meas.OUT3, meas.OUT4}});
    // A clock set back must not leave the trend holding points from its future.
    while (!points_.empty() && (points_.front().ms < ms - kSpanMs || points_.front().ms > ms))
        points_.pop_front();
}

void StationBoard::setStations(const std::vector<std::uint8_t>& stations) {
    std::vector<StationStatus> next;
    next.reserve(stations.size());
    for (const auto address : stations) {
        const int kept = indexOf(address);
        if (kept >= 0) {
            next.push_back(std::move(stations_[static_cast<std::size_t>(kept)]));
        } else {
            next.emplace_back();
            next.back().address = address;
        }
    }
    stations_ = std::move(next);
}

std::vector<std::uint8_t> StationBoard::addresses() const {
    std::vector<std::uint8_t> out;
    for (const auto& s : stations_)
        out.push_back(s.address);
    return out;
}

int StationBoard::indexOf(std::uint8_t address) const {
    const auto it =
        std::find_if(stations_.begin(), stations_.end(),
                     [address](const StationStatus& s) { return s.address == address; });
    return it == stations_.end() ? -1 : static_cast<int>(it - stations_.begin());
}

int StationBoard::take(const StationReading& r) {
    const int row = indexOf(r.station);
    if (row < 0) return -1;
    StationStatus& s = stations_[static_cast<std::size_t>(row)];
    s.backedOff = r.backedOff;
    if (!r.typeText.isEmpty()) s.typeText = r.typeText;
    switch (r.state) {
    case StationState::Answered:
        s.asked = true;
        s.state = r.state;
        s.cause = FailureCause::None;
        s.failedInRow = 0;
        s.lastGood = r.time;
        s.meas = r.meas;
        ++s.good;
        s.trend.add(r.time.toMSecsSinceEpoch(), r.meas);
        break;
    case StationState::Failed:
        s.asked = true;
        s.state = r.state;
        s.cause = r.cause;
        ++s.failedInRow;
        ++s.failed;
        break;
    case StationState::Skipped:
        // Still silent as far as is known; the state shows it is being skipped.
        if (s.asked) s.state = StationState::Skipped;
        break;
    }
    return row;
}

bool StationBoard::wantsType(std::uint8_t address) const {
    const int row = indexOf(address);
    return row >= 0 && stations_[static_cast<std::size_t>(row)].typeText.isEmpty();
}

std::vector<std::uint8_t> StationBoard::backedOff() const {
    std::vector<std::uint8_t> out;
    for (const auto& s : stations_)
        if (s.backedOff) out.push_back(s.address);
    return out;
}

} // namespace vx52
