#pragma once
// Faults the simulated regulator can put into its replies, to exercise the link's checks
// and the line's time-outs.

#include "sim/reply.h"

#include <optional>
#include <string_view>

namespace vx52::sim {

enum class Fault {
    None,
    Silent,  // no reply at all
    BadSum,  // check sum off by one
    WrongFc, // function code 0x09
    Short,   // last byte dropped
    Refuse,  // acknowledgement with FC 0x05 instead of the answer
    Gap,     // 150 ms pause in the middle of the reply
    Late,    // first byte late, 700 ms unless told
    Garbage, // noise bytes before the reply
};

constexpr std::uint8_t kFcRefused = 0x05;
constexpr std::uint8_t kFcWrong = 0x09;
constexpr std::chrono::milliseconds kGapPause{150};
constexpr std::chrono::milliseconds kLateDelay{700};

std::optional<Fault> parseFault(std::string_view name);
std::string_view faultName(Fault fault);

// Damages a healthy reply the way the fault says. Refuse is decided by the device (it needs
// the addresses), so it is not handled here.
void applyFault(Fault fault, Reply& reply, std::chrono::milliseconds late = kLateDelay);

} // namespace vx52::sim
