#include "sim/frame_assembler.h"

#include "link/frame.h"

namespace vx52::sim {

FrameAssembler::Scan FrameAssembler::scan(std::size_t& length) const {
    const auto& b = buffer_;
    if (b[0] == kSD1) {
        length = kAckLength;
        if (b.size() < length) return Scan::NeedMore;
        const bool sound = b[5] == kED && static_cast<std::uint8_t>(b[1] + b[2] + b[3]) == b[4];
        return sound ? Scan::Frame : Scan::Skip;
    }
    if (b[0] != kSD2) return Scan::Skip;
    if (b.size() < 4) return Scan::NeedMore;
    const std::size_t le = b[1];
    if (b[2] != b[1] || b[3] != kSD2 || le < 3) return Scan::Skip;
    length = le + 6;
    if (b.size() < length) return Scan::NeedMore;
    const bool sound =
        b[le + 5] == kED && checkSum(std::span<const std::uint8_t>(b.data() + 4, le)) == b[le + 4];
    return sound ? Scan::Frame : Scan::Skip;
}

std::vector<FrameAssembler::Frame> FrameAssembler::push(std::span<const std::uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    std::vector<Frame> frames;
    while (!buffer_.empty()) {
        std::size_t length = 0;
        const Scan s = scan(length);
        if (s == Scan::NeedMore) break;
        if (s == Scan::Skip) {
            buffer_.erase(buffer_.begin());
            continue;
        }
        frames.emplace_back(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
    }
    return frames;
}

} // namespace vx52::sim
