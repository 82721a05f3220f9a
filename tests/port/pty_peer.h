#pragma once
// The far end of a pseudo-terminal, driven by the test itself: it sees what the line sends,
// answers with chosen bytes at chosen moments, reports the speed the line set, and can
// vanish.

#include "sim/tty_speed.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>
#include <vector>

namespace vx52::test {

class PtyPeer {
public:
    PtyPeer() {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0) path_ = ::ptsname(fd_);
    }
    ~PtyPeer() { vanish(); }
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool valid() const { return fd_ >= 0 && !path_.isEmpty(); }
    QString path() const { return path_; }

    bool send(const std::vector<std::uint8_t>& bytes) {
        return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // Everything the line sent within the time given.
    std::vector<std::uint8_t>
    take(std::chrono::milliseconds within = std::chrono::milliseconds(200)) {
        std::vector<std::uint8_t> out;
        pollfd p{fd_, POLLIN, 0};
        while (::poll(&p, 1, static_cast<int>(within.count())) > 0 && (p.revents & POLLIN)) {
            std::uint8_t buf[256];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0) break;
            out.insert(out.end(), buf, buf + n);
            within = std::chrono::milliseconds(20);
        }
        return out;
    }
    int speed() const { return sim::lineSpeed(fd_); }
    void vanish() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    QString path_;
};

} // namespace vx52::test
