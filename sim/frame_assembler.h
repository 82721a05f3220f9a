#pragma once
// Cuts the bytes the device hears into request frames. Bytes that do not start a sound frame
// are skipped one at a time, so noise in front of a request does not hide it.

#include <cstdint>
#include <span>
#include <vector>

namespace vx52::sim {

class FrameAssembler {
public:
    using Frame = std::vector<std::uint8_t>;

    // Takes the next bytes off the line; returns every complete frame that passes its checks.
    std::vector<Frame> push(std::span<const std::uint8_t> bytes);
    // The line went quiet: an unfinished frame will never be completed.
    void reset() { buffer_.clear(); }
    bool pending() const { return !buffer_.empty(); }

private:
    enum class Scan { Frame, NeedMore, Skip };
    Scan scan(std::size_t& length) const;

    std::vector<std::uint8_t> buffer_;
};

} // namespace vx52::sim
