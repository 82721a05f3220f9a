#pragma once
// Several regulators on one line, each at its own address with its own tables and process.
// A request reaches every station; the one it is addressed to answers. A silenced station
// hears but never answers, as one that lost its power or its wiring would.

#include "sim/regulator.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <vector>

namespace vx52::sim {

class StationBus {
public:
    StationBus() = default;
    StationBus(const StationBus&) = delete;
    StationBus& operator=(const StationBus&) = delete;

    // A station at config.address (give each its own seed, so that their processes differ).
    Regulator& add(RegulatorConfig config);
    // The station that has the address now, or nullptr.
    Regulator* station(std::uint8_t address);
    Regulator& first() { return *stations_.front(); }
    std::size_t size() const { return stations_.size(); }
    std::vector<std::uint8_t> addresses() const;

    void setSilent(std::uint8_t address, bool silent);
    bool silent(std::uint8_t address) const { return silent_.contains(address); }
    // The silenced stations answer again, or fall silent again (the simulator's signals).
    void setSilenceHeld(bool held) { silenceHeld_ = held; }

    // The reply of the station addressed (empty when none answers), and that station.
    Reply respond(std::span<const std::uint8_t> frame, std::chrono::milliseconds now,
                  Regulator** answered = nullptr);

private:
    std::vector<std::unique_ptr<Regulator>> stations_;
    std::set<std::uint8_t> silent_;
    bool silenceHeld_ = true;
};

} // namespace vx52::sim
