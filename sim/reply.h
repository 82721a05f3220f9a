#pragma once
// What the simulated regulator sends back for one request, with the timing the transport
// must reproduce: a delay before the first byte and an optional pause inside the reply.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx52::sim {

struct Reply {
    std::vector<std::uint8_t> bytes; // empty: the device stays silent
    std::chrono::milliseconds delay{0};
    std::size_t pauseAfter = 0; // bytes sent before the pause; 0 = no pause
    std::chrono::milliseconds pause{0};

    bool silent() const { return bytes.empty(); }
};

// Time the device takes between the end of a request and the first byte of its answer.
constexpr std::chrono::milliseconds kTurnaround{3};

// One character on the line: start bit, 8 data bits, parity, stop bit.
constexpr double characterMillis(int baud) {
    return baud > 0 ? 11000.0 / baud : 0.0;
}

} // namespace vx52::sim
