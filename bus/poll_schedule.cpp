#include "bus/poll_schedule.h"

namespace vx52 {

PollSchedule::PollSchedule(std::vector<std::uint8_t> stations) {
    setStations(std::move(stations));
}

void PollSchedule::setStations(std::vector<std::uint8_t> stations) {
    std::map<std::uint8_t, State> kept;
    for (const auto s : stations)
        kept[s] = state_.contains(s) ? state_[s] : State{};
    stations_ = std::move(stations);
    state_ = std::move(kept);
}

std::vector<PollSchedule::Slot> PollSchedule::nextRound() {
    ++round_;
    std::vector<Slot> slots;
    slots.reserve(stations_.size());
    for (const auto s : stations_)
        slots.push_back({s, state_[s].nextAsk <= round_});
    return slots;
}

void PollSchedule::record(std::uint8_t station, bool answered) {
    const auto it = state_.find(station);
    if (it == state_.end()) return;
    State& st = it->second;
    if (answered) {
        st = State{};
        return;
    }
    ++st.silentRounds;
    if (st.silentRounds >= kSilentRoundsToBackOff) st.nextAsk = round_ + kBackedOffEvery;
}

bool PollSchedule::backedOff(std::uint8_t station) const {
    const auto it = state_.find(station);
    return it != state_.end() && it->second.silentRounds >= kSilentRoundsToBackOff;
}

std::vector<std::uint8_t> PollSchedule::backedOffStations() const {
    std::vector<std::uint8_t> out;
    for (const auto s : stations_)
        if (backedOff(s)) out.push_back(s);
    return out;
}

int PollSchedule::silentRounds(std::uint8_t station) const {
    const auto it = state_.find(station);
    return it == state_.end() ? 0 : it->second.silentRounds;
}

} // namespace vx52
