#include "link/frame.h"

#include <algorithm>
#include <numeric>

namespace vx52 {

std::uint8_t checkSum(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

std::size_t buildVariableFrame(std::span<std::uint8_t> out, std::uint8_t da, std::uint8_t sa,
                               std::uint8_t fc, std::span<const std::uint8_t> data) {
    const auto le = static_cast<std::uint8_t>(data.size() + 3);
    out[0] = kSD2;
    out[1] = le;
    out[2] = le;
    out[3] = kSD2;
    out[4] = da;
    out[5] = sa;
    out[6] = fc;
    std::copy(data.begin(), data.end(), out.begin() + 7);
    return finishVariableFrame(out);
}

std::size_t finishVariableFrame(std::span<std::uint8_t> buf) {
    const std::size_t le = buf[1];
    buf[le + 4] = checkSum(buf.subspan(4, le)); // check sum over DA..data
    buf[le + 5] = kED;
    return le + 6;
}

std::size_t buildFixedFrame(std::span<std::uint8_t> out, std::uint8_t da, std::uint8_t sa,
                            std::uint8_t fc) {
    out[0] = kSD1;
    out[1] = da;
    out[2] = sa;
    out[3] = fc;
    out[4] = static_cast<std::uint8_t>(da + sa + fc);
    out[5] = kED;
    return kAckLength;
}

bool CheckDataReply(std::span<const std::uint8_t> frame) {
    if (frame.size() < 7 || frame[0] != kSD2) return false;
    const std::size_t le = frame[1];
    if (frame[1] != frame[2]) return false;
    if (frame[6] != kFcDataReply) return false;
    if (le < 3 || frame.size() < le + 6) return false;
    if (frame[le + 5] != kED) return false;
    return checkSum(frame.subspan(4, le)) == frame[le + 4];
}

bool CheckAck(std::span<const std::uint8_t> frame) {
    if (frame.size() != kAckLength) return false;
    if (frame[0] != kSD1 || frame[3] != kFcAck || frame[5] != kED) return false;
    return static_cast<std::uint8_t>(frame[1] + frame[2] + frame[3]) == frame[4];
}

} // namespace vx52
