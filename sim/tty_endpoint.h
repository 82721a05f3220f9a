#pragma once
// The simulator's end of a serial line: the master side of a pseudo-terminal it creates, or
// a real serial device. Replies go out paced at the line speed, so the far end sees real
// character timing, pauses and delays.

#include "sim/reply.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <memory>
#include <string>
#include <vector>

namespace vx52::sim {

class TtyEndpoint {
public:
    ~TtyEndpoint();
    TtyEndpoint(const TtyEndpoint&) = delete;
    TtyEndpoint& operator=(const TtyEndpoint&) = delete;

    static std::unique_ptr<TtyEndpoint> openPty(std::string& error);
    static std::unique_ptr<TtyEndpoint> openPort(const std::string& path, int baud,
                                                 std::string& error);

    // The path the program connects to.
    const std::string& path() const { return path_; }

    // Waits up to timeout for bytes and appends them to out. False when the line failed.
    bool receive(std::vector<std::uint8_t>& out, std::chrono::milliseconds timeout);
    // Queues a reply behind whatever is queued: after its delay, one character every 11 bits
    // at baud, with its pause. Nothing waits here; flushDue() sends what is due.
    void queue(const Reply& reply, int baud);
    // Writes every queued character whose time has come. False when the line failed.
    bool flushDue();
    // Time until the next queued character is due; nullopt when nothing is queued.
    std::optional<std::chrono::milliseconds> untilNextDue() const;
    // The speed the far end set on a pseudo-terminal; 0 when not known (a real port).
    int peerSpeed() const;

private:
    TtyEndpoint(int fd, int slave, std::string path)
        : fd_(fd), slave_(slave), path_(std::move(path)) {}

    using Clock = std::chrono::steady_clock;
    struct Due {
        Clock::time_point at;
        std::uint8_t byte;
    };

    std::deque<Due> outgoing_;
    int fd_ = -1;
    int slave_ = -1; // held open so the master never sees a hang-up between clients
    std::string path_;
};

} // namespace vx52::sim
