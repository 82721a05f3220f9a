#pragma once
// The trace's line format, written by `vx52-cli --trace` and by the monitor's "Uložit…", and
// read back by one reader: "TX <ms> <hex bytes>" for a frame sent, "RX <ms> <hex bytes>" for
// a read, " (line failed)" appended when the write or read itself failed, " (late)" for bytes
// discarded after a failed exchange. Lines that start
// with a space (the decoded text of --decode) are no telegrams and are skipped by the reader.

#include "link/telegram_decode.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vx52 {

struct TraceLine {
    TelegramDirection direction = TelegramDirection::Request;
    long long ms = 0; // since the trace began
    std::vector<std::uint8_t> bytes;
    bool lineOk = true;
    bool late = false;
};

// One line, without its line end.
std::string traceLineText(TelegramDirection direction, long long ms,
                          std::span<const std::uint8_t> bytes, bool lineOk, bool late = false);

// A telegram line read back; nothing for any other line (decoded text, blank, damaged).
std::optional<TraceLine> parseTraceLine(std::string_view line);

// Every telegram of a trace, in order, and how many non-blank lines were neither telegrams
// nor decoded text.
struct TraceText {
    std::vector<TraceLine> telegrams;
    int unreadable = 0;
};
TraceText parseTrace(std::string_view text);

} // namespace vx52
