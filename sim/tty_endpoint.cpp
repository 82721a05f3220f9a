#include "sim/tty_endpoint.h"

#include "sim/tty_speed.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace vx52::sim {

namespace {

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

} // namespace

TtyEndpoint::~TtyEndpoint() {
    if (slave_ >= 0) ::close(slave_);
    if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<TtyEndpoint> TtyEndpoint::openPty(std::string& error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        error = systemError("cannot create a pseudo-terminal");
        if (master >= 0) ::close(master);
        return nullptr;
    }
    const char* name = ::ptsname(master);
    const int slave = name ? ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
    if (slave < 0) {
        error = systemError("cannot open the pseudo-terminal's slave side");
        ::close(master);
        return nullptr;
    }
    // Raw until the program sets its own mode: no echo, no line editing of the frames.
    configureRawLine(slave, 0, false);
    return std::unique_ptr<TtyEndpoint>(new TtyEndpoint(master, slave, name));
}

std::unique_ptr<TtyEndpoint> TtyEndpoint::openPort(const std::string& path, int baud,
                                                   std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = systemError("cannot open " + path);
        return nullptr;
    }
    if (!configureRawLine(fd, baud, true)) {
        error = systemError("cannot configure " + path);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<TtyEndpoint>(new TtyEndpoint(fd, -1, path));
}

bool TtyEndpoint::receive(std::vector<std::uint8_t>& out, std::chrono::milliseconds timeout) {
    pollfd p{fd_, POLLIN, 0};
    const int rc = ::poll(&p, 1, static_cast<int>(timeout.count()));
    if (rc < 0) return errno == EINTR;
    if (rc == 0) return true;
    if (p.revents & (POLLERR | POLLNVAL)) return false;
    std::uint8_t buf[512];
    const ssize_t got = ::read(fd_, buf, sizeof buf);
    if (got < 0) return errno == EINTR || errno == EAGAIN;
    if (got == 0) return !(p.revents & POLLHUP);
    out.insert(out.end(), buf, buf + got);
    return true;
}

void TtyEndpoint::queue(const Reply& reply, int baud) {
    const auto perChar = std::chrono::duration<double, std::milli>(characterMillis(baud));
    auto at = Clock::now() + reply.delay;
    if (!outgoing_.empty()) at = std::max(at, outgoing_.back().at);
    for (std::size_t i = 0; i < reply.bytes.size(); ++i) {
        if (reply.pauseAfter != 0 && i == reply.pauseAfter) at += reply.pause;
        at += std::chrono::duration_cast<Clock::duration>(perChar);
        outgoing_.push_back({at, reply.bytes[i]});
    }
}

bool TtyEndpoint::flushDue() {
    const auto now = Clock::now();
    std::vector<std::uint8_t> ready;
    while (!outgoing_.empty() && outgoing_.front().at <= now) {
        ready.push_back(outgoing_.front().byte);
        outgoing_.pop_front();
    }
    std::size_t sent = 0;
    while (sent < ready.size()) {
        const ssize_t n = ::write(fd_, ready.data() + sent, ready.size() - sent);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::chrono::milliseconds> TtyEndpoint::untilNextDue() const {
    if (outgoing_.empty()) return std::nullopt;
    const auto left = outgoing_.front().at - Clock::now();
    // Rounded up, so a wait never ends just before the character is due.
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::ceil<std::chrono::milliseconds>(left));
}

int TtyEndpoint::peerSpeed() const {
    return slave_ >= 0 ? lineSpeed(fd_) : 0;
}

} // namespace vx52::sim
