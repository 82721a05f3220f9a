#include "sim/faults.h"

#include "link/frame.h"

#include <array>
#include <utility>

namespace vx52::sim {

namespace {

constexpr std::array<std::pair<Fault, std::string_view>, 9> kNames{{
    {Fault::None, "none"},
    {Fault::Silent, "silent"},
    {Fault::BadSum, "badsum"},
    {Fault::WrongFc, "wrongfc"},
    {Fault::Short, "short"},
    {Fault::Refuse, "refuse"},
    {Fault::Gap, "gap"},
    {Fault::Late, "late"},
    {Fault::Garbage, "garbage"},
}};

// Offset of the check sum and of the FC in either frame kind.
std::size_t sumOffset(const std::vector<std::uint8_t>& f) {
    return f[0] == kSD1 ? 4 : static_cast<std::size_t>(f[1]) + 4;
}
std::size_t fcOffset(const std::vector<std::uint8_t>& f) {
    return f[0] == kSD1 ? 3 : 6;
}

void resum(std::vector<std::uint8_t>& f) {
    const std::size_t end = sumOffset(f);
    const std::size_t begin = f[0] == kSD1 ? 1 : 4;
    f[end] = checkSum(std::span<const std::uint8_t>(f.data() + begin, end - begin));
}

} // namespace

std::optional<Fault> parseFault(std::string_view name) {
    for (const auto& [fault, text] : kNames)
        if (text == name) return fault;
    return std::nullopt;
}

std::string_view faultName(Fault fault) {
    for (const auto& [f, text] : kNames)
        if (f == fault) return text;
    return "?";
}

void applyFault(Fault fault, Reply& reply, std::chrono::milliseconds late) {
    if (reply.silent()) return;
    auto& f = reply.bytes;
    switch (fault) {
    case Fault::None:
    case Fault::Refuse:
        break;
    case Fault::Silent:
        f.clear();
        break;
    case Fault::BadSum:
        ++f[sumOffset(f)];
        break;
    case Fault::WrongFc:
        f[fcOffset(f)] = kFcWrong;
        resum(f); // only the FC is wrong, the frame itself is sound
        break;
    case Fault::Short:
        f.pop_back();
        break;
    case Fault::Gap:
        reply.pauseAfter = f.size() / 2;
        reply.pause = kGapPause;
        break;
    case Fault::Late:
        reply.delay += late;
        break;
    case Fault::Garbage: {
        static constexpr std::uint8_t kNoise[] = {0xFF, 0x00, 0xE5, 0x68, 0x3C};
        f.insert(f.begin(), std::begin(kNoise), std::end(kNoise));
        break;
    }
    }
}

} // namespace vx52::sim
