#pragma once
// Writes every telegram of the link to a stream: "TX <ms> <hex bytes>" for each frame sent,
// "RX <ms> <hex bytes>" for each read, milliseconds counted from the printer's creation.

#include "link/telegram_observer.h"

#include <ostream>

namespace vx52::cli {

class TracePrinter : public TelegramObserver {
public:
    explicit TracePrinter(std::ostream& out, Clock::time_point start = Clock::now())
        : out_(out), start_(start) {}

    void sent(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override {
        line("TX", bytes, ok, when);
    }
    void received(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override {
        line("RX", bytes, ok, when);
    }

private:
    void line(const char* direction, std::span<const std::uint8_t> bytes, bool ok,
              Clock::time_point when) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(when - start_).count();
        out_ << direction << ' ' << ms;
        for (const auto b : bytes)
            out_ << ' ' << kHex[b >> 4] << kHex[b & 15];
        if (!ok) out_ << " (line failed)";
        out_ << '\n' << std::flush;
    }

    std::ostream& out_;
    Clock::time_point start_;
};

} // namespace vx52::cli
