#pragma once
// The single place that sees every telegram: each frame the link sends and each read it
// completes, and the bytes it discarded while waiting for a quiet line after a failed
// exchange (a late reply). Used for traces (vx52-cli --trace, the monitor, tests).

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
    // Bytes that arrived after the read of the last request had ended, up to a pause.
    virtual void late(std::span<const std::uint8_t> /*bytes*/, Clock::time_point /*when*/) {}
};

} // namespace vx52
