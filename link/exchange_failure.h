#pragma once
// Why the link's last exchange failed, for callers that report it (vx52-cli, the telegram
// monitor). The windows keep their own texts; the operations' results stay 1/0.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vx52 {

enum class FailureCause : std::uint8_t {
    None,         // the last operation succeeded
    LineFailed,   // no line, or the line itself failed (not open, device gone, write refused)
    NoReply,      // nothing arrived within the read time-out
    ShortReply,   // fewer bytes arrived than the reply needs
    BadLength,    // LE not the one the request needs, LE twice differs, or longer than LE says
    BadFrame,     // start byte, end byte or function code is not that of the awaited reply
    BadCheckSum,  // check sum over DA..data (or DA, SA, FC) does not match
    WrongStation, // sound reply, but not from the station asked or not to this PC
    Refused,      // acknowledgement with a function code other than 0x00
    BadTable,     // table number out of range: nothing was sent
};
constexpr int kFailureCauseCount = 10;

struct ExchangeFailure {
    FailureCause cause = FailureCause::None;
    std::size_t expected = 0;           // bytes the reply needs (ShortReply), LE (BadLength)
    std::size_t received = 0;           // bytes that arrived (ShortReply), LE (BadLength)
    std::chrono::milliseconds waited{}; // how long the read waited (NoReply)
    std::uint8_t asked = 0;             // the station the request went to
    std::uint8_t from = 0;              // WrongStation: the reply's SA
    std::uint8_t to = 0;                // WrongStation: the reply's DA
    std::uint8_t host = 0;              // WrongStation: this PC's address
    std::uint8_t code = 0;              // Refused: FC; BadFrame: the byte found

    bool failed() const { return cause != FailureCause::None; }
    // One line in English: "no reply after 556 ms", "short reply: 10 of 28 bytes",
    // "bad check sum", "reply from station 2, asked 1", "refused (FC 05)", ...
    std::string text() const;
};

// Sorts a received data reply of a request that needs exactly `expected` bytes (expected ==
// 0: the length comes from LE, as for the texts) from station `asked` to PC `host`.
ExchangeFailure classifyDataReply(std::span<const std::uint8_t> reply, std::size_t expected,
                                  std::uint8_t asked, std::uint8_t host);
// Sorts a received acknowledgement; `from` is the station it must come from.
ExchangeFailure classifyAck(std::span<const std::uint8_t> reply, std::uint8_t from,
                            std::uint8_t host);

} // namespace vx52
