#pragma once
// The catalogue of the fourteen parameter tables: payload length and fields in wire order.
// Floats travel as big-endian IEEE-754 singles, int16 big-endian two's complement, bytes as is.

#include "link/param_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vx52 {

constexpr int kTableCount = 14;
constexpr int kCardCount = 12; // tables 0..11 are the editable parameter cards
constexpr int kMeasTable = 12;

struct FieldDef {
    std::string_view key;
    FieldType type;
    std::size_t offset; // byte offset of the field inside ParamSet
};

struct TableDef {
    std::string_view group;
    std::size_t length; // payload length n(t)
    std::span<const FieldDef> fields;
};

const std::array<TableDef, kTableCount>& catalogue();

constexpr std::array<std::size_t, kTableCount> kPayloadLength{4,  11, 11, 11, 11, 11, 11,
                                                              12, 6,  2,  14, 1,  19, 12};

inline std::size_t payloadLength(int table) { return kPayloadLength.at(static_cast<std::size_t>(table)); }

std::size_t wireSize(FieldType type);

// Writes the fields of table t (0..13) from params into out (out.size() >= n(t)), wire order.
void encodePayload(const ParamSet& params, int table, std::span<std::uint8_t> out);
// Reads n(t) bytes of table t (0..13) from in into params.
void decodePayload(ParamSet& params, int table, std::span<const std::uint8_t> in);

// The link's view: encode table t (0..11) into a transmit buffer from offset 11 and return
// n(t) + 11, the offset of the check sum; decode from offset 7 of a receive buffer.
std::size_t EncodeTable(const ParamSet& params, int table, std::span<std::uint8_t, 256> tx_buf);
void DecodeTable(ParamSet& params, int table, std::span<const std::uint8_t, 256> rx_buf);

} // namespace vx52
