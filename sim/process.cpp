#include "sim/process.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vx52::sim {

namespace {

constexpr double kMaxStep = 0.1; // seconds per integration step

struct Range {
    double low;
    double high;
};

// A sensor range as configured, or a sane one when it is empty or inverted.
Range rangeOf(const ParamSet::Sens& sens) {
    if (std::isfinite(sens.STRS) && std::isfinite(sens.ENDS) && sens.ENDS > sens.STRS)
        return {sens.STRS, sens.ENDS};
    return {0.0, 100.0};
}

const ParamSet::Sens& sensor(const ParamSet& p, int channel) {
    switch (channel) {
    case 0:
        return p.SENS1;
    case 1:
        return p.SENS2;
    case 2:
        return p.SENS3;
    default:
        return p.SENS4;
    }
}

float measured(const ParamSet& p, int channel) {
    switch (channel & 3) {
    case 0:
        return p.MEAS.OUT1;
    case 1:
        return p.MEAS.OUT2;
    case 2:
        return p.MEAS.OUT3;
    default:
        return p.MEAS.OUT4;
    }
}

double finiteOr(float v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

} // namespace

Process::Process(std::uint32_t seed) : random_(seed) {}

double Process::lagSeconds(const ParamSet::Pid& pid) {
    const double gain = std::clamp(finiteOr(pid.PB, 1.0), 0.05, 100.0);
    const double derivative = std::clamp(finiteOr(pid.TD, 0.0), 0.0, 600.0);
    return std::clamp(8.0 / gain + 0.05 * derivative, 0.5, 300.0);
}

double Process::settlingValue(const ParamSet& p) {
    const double sp = finiteOr(p.COMP.SP, 0.0);
    if (finiteOr(p.PID.TI, 0.0) > 0) return sp;
    const double gain = std::max(finiteOr(p.PID.PB, 0.0), 0.0);
    return sp * gain / (1.0 + gain);
}

void Process::advanceTo(std::chrono::milliseconds now, ParamSet& params) {
    // The first reading right after start is already a measured value, not zeros.
    if (seconds_ == 0) step(0.001, params);
    if (now > time_) {
        double left = std::chrono::duration<double>(now - time_).count();
        // A long idle spell only needs the process settled, not every step of it.
        left = std::min(left, 600.0);
        while (left > 0) {
            const double dt = std::min(left, kMaxStep);
            step(dt, params);
            left -= dt;
        }
        time_ = now;
    }
    updateRelays(params);
}

void Process::step(double dt, ParamSet& p) {
    seconds_ += dt;
    std::normal_distribution<double> noise(0.0, 1.0);

    const Range r1 = rangeOf(p.SENS1);
    const double target = std::clamp(settlingValue(p), r1.low, r1.high);
    const double tau = lagSeconds(p.PID);
    const double before = channel1_;
    channel1_ += (target - channel1_) * (1.0 - std::exp(-dt / tau));
    channel1_ = std::clamp(channel1_, r1.low, r1.high);
    const double span1 = r1.high - r1.low;
    output_ = std::clamp(50.0 + 100.0 * (channel1_ - before) / (span1 * dt) * tau, 0.0, 100.0);
    p.MEAS.OUT1 = static_cast<float>(
        std::clamp(channel1_ + 0.0005 * span1 * noise(random_), r1.low, r1.high));

    // Channels 2..4: slow waves with a bounded random walk on top.
    static constexpr std::array<double, 3> kPeriod{170.0, 290.0, 410.0};
    for (int k = 0; k < 3; ++k) {
        const Range r = rangeOf(sensor(p, k + 1));
        const double half = (r.high - r.low) / 2;
        auto& d = drift_[static_cast<std::size_t>(k)];
        d = std::clamp(d + 0.002 * half * noise(random_) * std::sqrt(dt), -0.1 * half, 0.1 * half);
        const double wave =
            0.35 * half *
            std::sin(2 * std::numbers::pi * seconds_ / kPeriod[static_cast<std::size_t>(k)] + k);
        const auto v = static_cast<float>(std::clamp(r.low + half + wave + d, r.low, r.high));
        (k == 0 ? p.MEAS.OUT2 : k == 1 ? p.MEAS.OUT3 : p.MEAS.OUT4) = v;
    }
    p.MEAS.WORD = static_cast<std::int16_t>(std::lround(output_ * 10));
    p.AUX.V1 = static_cast<float>(24.0 + 0.5 * std::sin(seconds_ / 600.0));
    p.AUX.V2 = static_cast<float>(24.1 + 0.02 * noise(random_));
    p.AUX.V3 = static_cast<float>(output_);
}

bool Process::alarmState(int index, const ParamSet::Alarm& a, const ParamSet& p) {
    const double value = measured(p, a.INALA);
    // POSU: the limit is a deviation from the set point; STAV: an absolute value.
    const double limit = finiteOr(a.SPLO, 0.0) + (a.RALA == 1 ? finiteOr(p.COMP.SP, 0.0) : 0.0);
    const double hyst = std::fabs(finiteOr(a.HYST, 0.0));
    bool& over = exceeded_[static_cast<std::size_t>(index)];
    if (!over && value > limit)
        over = true;
    else if (over && value < limit - hyst)
        over = false;
    // HEAT: relay on until the limit is exceeded; COOL: relay on once it is exceeded.
    return a.RELE == 1 ? over : !over;
}

void Process::updateRelays(ParamSet& p) {
    std::uint8_t relays = 0;
    if (alarmState(0, p.ALARM1, p)) relays |= 0x01;
    if (alarmState(1, p.ALARM2, p)) relays |= 0x02;
    if (output_ > 50.0) relays |= 0x04; // regulation output: heating
    p.MEAS.RELAYS = relays;
}

} // namespace vx52::sim
