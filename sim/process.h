#pragma once
// The regulated process behind the simulated regulator: channel 1 follows the set point
// through a first-order lag whose speed comes from the PID parameters, channels 2 to 4
// drift slowly inside their sensor ranges, and the relays follow the alarms.

#include "link/param_set.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <random>

namespace vx52::sim {

class Process {
public:
    explicit Process(std::uint32_t seed = 52);

    // Moves the process on to the given time since start and writes MEAS and AUX of params.
    void advanceTo(std::chrono::milliseconds now, ParamSet& params);

    // Time constant of channel 1 for the current PID settings.
    static double lagSeconds(const ParamSet::Pid& pid);
    // Where channel 1 settles: the set point with integral action, short of it without.
    static double settlingValue(const ParamSet& params);

    // Sets MEAS.RELAYS from the measured values and the alarm settings.
    void updateRelays(ParamSet& params);

private:
    void step(double dt, ParamSet& params);
    bool alarmState(int index, const ParamSet::Alarm& alarm, const ParamSet& params);

    std::chrono::milliseconds time_{0};
    double seconds_ = 0;
    double channel1_ = 20.0;
    double output_ = 0; // actuating value in per cent
    std::array<double, 3> drift_{};
    std::array<bool, 2> exceeded_{};
    std::mt19937 random_;
};

} // namespace vx52::sim
