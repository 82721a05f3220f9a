#pragma once
// The single place that sees every telegram: each frame the link sends and each read it
// completes. Used for traces (vx52-cli --trace, the simulator's log, tests).

#include <chrono>
#include <cstdint>
#include <span>

namespace vx52 {

class TelegramObserver {
public:
    using Clock = std::chrono::steady_clock;
    virtual ~TelegramObserver() = default;
    virtual void sent(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) = 0;
    virtual void received(std::span<const std::uint8_t> bytes, bool ok,
                          Clock::time_point when) = 0;
};

} // namespace vx52
