// libFuzzer target: arbitrary bytes as the regulator's replies to every link operation.
// Input: byte 0 picks the regulator address; then, per read, one length byte and that many
// reply bytes (cut at the end of the input).
#include "link/byte_line.h"
#include "link/link.h"
#include "link/tables.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

class FuzzLine : public vx52::ByteLine {
public:
    FuzzLine(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool write(std::span<const std::uint8_t>) override { return true; }
    vx52::ReadResult read(std::span<std::uint8_t> buffer) override {
        if (pos_ >= size_) return {true, 0};
        std::size_t n = data_[pos_++];
        n = std::min({n, size_ - pos_, buffer.size()});
        std::memcpy(buffer.data(), data_ + pos_, n);
        pos_ += n;
        return {true, n};
    }
    void purgeReceive() override {}
    void purgeTransmit() override {}

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzLine line(data + 1, size - 1);
    vx52::Link link;
    link.setLine(&line);
    link.SetDeviceAddress(data[0] & 0x7F);
    for (int t = -1; t <= vx52::kTableCount; ++t) link.ReadTable(t);
    for (int t = -1; t <= vx52::kCardCount; ++t) link.WriteTable(t);
    link.ReadMeasurement();
    link.ReadDeviceType();
    link.ReadDeviceVersion();
    link.ReadForeignIdent();
    link.StoreToEeprom();
    link.ProbeStation();
    // The texts must stay zero-terminated whatever arrived.
    if (std::memchr(link.type_text.data(), 0, link.type_text.size()) == nullptr) __builtin_trap();
    if (std::memchr(link.version_text.data(), 0, link.version_text.size()) == nullptr)
        __builtin_trap();
    return 0;
}
