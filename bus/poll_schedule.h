#pragma once
// Which stations a polling round asks. Every round goes over all stations in their order and
// asks each for one measurement, except a station that stayed silent for three rounds in a row:
// it is asked only every tenth round from then on, so the others keep their pace, until it
// answers again.

#include <cstdint>
#include <map>
#include <vector>

namespace vx52 {

class PollSchedule {
public:
    static constexpr int kSilentRoundsToBackOff = 3;
    static constexpr int kBackedOffEvery = 10;

    struct Slot {
        std::uint8_t station = 0;
        bool ask = false; // false: skipped in this round, the station being backed off
    };

    explicit PollSchedule(std::vector<std::uint8_t> stations = {});

    // A new list keeps the state of the stations that stay in it.
    void setStations(std::vector<std::uint8_t> stations);
    const std::vector<std::uint8_t>& stations() const { return stations_; }

    // Starts the next round: every station in order, each to be asked or skipped.
    std::vector<Slot> nextRound();
    // The outcome of asking a station in the current round.
    void record(std::uint8_t station, bool answered);

    // Silent for three rounds in a row and not answered since: asked every tenth round.
    bool backedOff(std::uint8_t station) const;
    std::vector<std::uint8_t> backedOffStations() const;
    int silentRounds(std::uint8_t station) const;
    // Rounds started so far; the first round is 1.
    long long round() const { return round_; }

private:
    struct State {
        int silentRounds = 0;
        long long nextAsk = 0; // the round in which a backed-off station is asked again
    };

    std::vector<std::uint8_t> stations_;
    std::map<std::uint8_t, State> state_;
    long long round_ = 0;
};

} // namespace vx52
