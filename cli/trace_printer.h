#pragma once
// Writes every telegram of the link to a stream in the trace's line format (link/trace_line.h),
// milliseconds counted from the printer's creation. With decoding on, each telegram is
// followed by its decoded row and fields, indented, as the monitor window shows them.

#include "link/telegram_decode.h"
#include "link/telegram_observer.h"
#include "link/trace_line.h"
#include "ui/language.h"

#include <ostream>

namespace vx52::cli {

class TracePrinter : public TelegramObserver {
public:
    explicit TracePrinter(std::ostream& out, Clock::time_point start = Clock::now())
        : out_(out), start_(start), lastSent_(start) {}

    void setDecode(bool decode) { decode_ = decode; }

    void sent(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override {
        lastSent_ = when;
        line(TelegramDirection::Request, bytes, ok, when);
        if (decode_) decoded(decoder_.request(bytes, ok), bytes);
    }
    void received(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override {
        line(TelegramDirection::Reply, bytes, ok, when);
        if (decode_)
            decoded(decoder_.reply(bytes, ok,
                                   std::chrono::duration_cast<std::chrono::milliseconds>(
                                       when - lastSent_)),
                    bytes);
    }

    void late(std::span<const std::uint8_t> bytes, Clock::time_point when) override {
        line(TelegramDirection::Reply, bytes, true, when, true);
        if (decode_)
            decoded(decoder_.late(bytes, std::chrono::duration_cast<std::chrono::milliseconds>(
                                             when - lastSent_)),
                    bytes);
    }

private:
    void line(TelegramDirection direction, std::span<const std::uint8_t> bytes, bool ok,
              Clock::time_point when, bool late = false) {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(when - start_).count();
        out_ << traceLineText(direction, ms, bytes, ok, late) << '\n' << std::flush;
    }
    void decoded(const TelegramRow& row, std::span<const std::uint8_t> bytes) {
        out_ << "  " << rowText(row, telegramText) << '\n';
        for (const std::string& field : fieldLines(row, bytes, '.'))
            out_ << "    " << field << '\n';
        out_ << std::flush;
    }

    std::ostream& out_;
    Clock::time_point start_;
    Clock::time_point lastSent_;
    TelegramDecoder decoder_;
    bool decode_ = false;
};

} // namespace vx52::cli
