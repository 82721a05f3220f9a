#include "link/trace_line.h"

#include <charconv>

namespace vx52 {

namespace {
constexpr std::string_view kLineFailed = " (line failed)";
constexpr std::string_view kLate = " (late)";

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
} // namespace

std::string traceLineText(TelegramDirection direction, long long ms,
                          std::span<const std::uint8_t> bytes, bool lineOk, bool late) {
    std::string text = direction == TelegramDirection::Request ? "TX " : "RX ";
    text += std::to_string(ms);
    if (!bytes.empty()) text += ' ' + hexText(bytes);
    if (!lineOk) text += kLineFailed;
    if (late && direction == TelegramDirection::Reply) text += kLate;
    return text;
}

std::optional<TraceLine> parseTraceLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    TraceLine t;
    if (line.starts_with("TX "))
        t.direction = TelegramDirection::Request;
    else if (line.starts_with("RX "))
        t.direction = TelegramDirection::Reply;
    else
        return std::nullopt;
    line.remove_prefix(3);
    if (t.direction == TelegramDirection::Reply && line.ends_with(kLate)) {
        t.late = true;
        line.remove_suffix(kLate.size());
    }
    if (line.ends_with(kLineFailed)) {
        t.lineOk = false;
        line.remove_suffix(kLineFailed.size());
    }
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), t.ms);
    if (ec != std::errc() || t.ms < 0) return std::nullopt;
    line.remove_prefix(static_cast<std::size_t>(end - line.data()));
    while (!line.empty()) {
        if (line.size() < 3 || line[0] != ' ') return std::nullopt;
        const int hi = hexDigit(line[1]);
        const int lo = hexDigit(line[2]);
        if (hi < 0 || lo < 0) return std::nullopt;
        t.bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        line.remove_prefix(3);
    }
    return t;
}

TraceText parseTrace(std::string_view text) {
    TraceText trace;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (auto t = parseTraceLine(line))
            trace.telegrams.push_back(std::move(*t));
        else if (!line.empty() && line[0] != ' ' && line != "\r")
            ++trace.unreadable;
    }
    return trace;
}

} // namespace vx52
