#pragma once
// The byte stream the link talks through: the serial line in the program, a loopback to the
// simulated regulator or a scripted line in tests.
//
// Time-out rule of read(): one deadline per read. With c the time of one character at the
// line's speed (11 bits: start, 8 data, parity, stop), a read of n bytes returns when
//   - n bytes have arrived, or
//   - more than max(100 ms, 3c) have passed since the last byte arrived (once one has), or
//   - max(2 * n, n * c) + 500 ms have passed since the read began.
// From 9600 bit/s up that is 100 ms and 2 * n + 500 ms; below, the limits stretch so that a
// reply sent at the line's pace always fits.
// Receiving fewer bytes than asked, or none, is still ok; ok is false only when the line
// itself failed (not open, device gone).
//
// readPrompt() is the fast search's read: the reply must begin within promptReplyTimeout()
// after the request has left (write() returns only then); a read that gets no first byte by
// then returns with none, otherwise the rule above ends it.
//
// Nothing else waits on the line: the link waits for a quiet line by reading (Link).
//
// write() first purges the receive side, then the transmit side, then sends the bytes; it
// returns when they have left the driver. writeKeepingReceived() keeps what has arrived
// (an address search: a late acknowledgement still names its station).

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vx52 {

constexpr std::chrono::milliseconds kGapTimeout{100};

// n character times at baud bit/s, rounded up; 0 when the speed is not known (baud <= 0).
constexpr long long characterTimesMs(std::size_t n, int baud) {
    return baud > 0 ? (static_cast<long long>(n) * 11000 + baud - 1) / baud : 0;
}

constexpr std::chrono::milliseconds gapTimeout(int baud = 0) {
    return std::max(kGapTimeout, std::chrono::milliseconds(characterTimesMs(3, baud)));
}

constexpr std::chrono::milliseconds totalReadTimeout(std::size_t n, int baud = 0) {
    return std::chrono::milliseconds(
               std::max(2 * static_cast<long long>(n), characterTimesMs(n, baud))) +
           std::chrono::milliseconds(500);
}

// The fast search's window for the first byte: 30 character times, at least 50 ms (a USB
// adapter holds received bytes up to 16 ms), never longer than a normal probe's read of the
// 6-byte acknowledgement.
constexpr std::chrono::milliseconds kPromptReplyFloor{50};
constexpr std::chrono::milliseconds promptReplyTimeout(int baud) {
    const auto window =
        std::max(kPromptReplyFloor, std::chrono::milliseconds(characterTimesMs(30, baud)));
    return std::min(window, totalReadTimeout(6, baud));
}

struct ReadResult {
    bool ok = false;
    std::size_t count = 0;
};

class ByteLine {
public:
    virtual ~ByteLine() = default;
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    virtual ReadResult read(std::span<std::uint8_t> buffer) = 0;
    // A line with no speed of its own (a scripted one) reads as usual.
    virtual ReadResult readPrompt(std::span<std::uint8_t> buffer) { return read(buffer); }
    virtual bool writeKeepingReceived(std::span<const std::uint8_t> bytes) { return write(bytes); }
    virtual void purgeReceive() = 0;
    virtual void purgeTransmit() = 0;
};

} // namespace vx52
