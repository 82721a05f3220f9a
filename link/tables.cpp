#include "link/tables.h"

#include <cstddef>
#include <cstring>

namespace vx52 {

namespace {

#define VX52_FIELD(GROUP, KEY, TYPE)                                                             \
    FieldDef {                                                                                   \
        #KEY, FieldType::TYPE, offsetof(ParamSet, GROUP) + offsetof(decltype(ParamSet::GROUP), KEY) \
    }

#define VX52_ALARM(G)                                                                            \
    VX52_FIELD(G, SPLO, Float), VX52_FIELD(G, HYST, Float), VX52_FIELD(G, INALA, Byte),          \
        VX52_FIELD(G, RELE, Byte), VX52_FIELD(G, RALA, Byte)

#define VX52_SENS(G)                                                                             \
    VX52_FIELD(G, TYPE, Byte), VX52_FIELD(G, DP, Byte), VX52_FIELD(G, STRS, Float),              \
        VX52_FIELD(G, ENDS, Float), VX52_FIELD(G, OBR, Byte)

// Fields in wire order, table by table.
const FieldDef kComp[] = {VX52_FIELD(COMP, SP, Float)};
const FieldDef kAlarm1[] = {VX52_ALARM(ALARM1)};
const FieldDef kAlarm2[] = {VX52_ALARM(ALARM2)};
const FieldDef kSens1[] = {VX52_SENS(SENS1)};
const FieldDef kSens2[] = {VX52_SENS(SENS2)};
const FieldDef kSens3[] = {VX52_SENS(SENS3)};
const FieldDef kSens4[] = {VX52_SENS(SENS4)};
const FieldDef kPid[] = {VX52_FIELD(PID, PB, Float), VX52_FIELD(PID, TI, Float),
                         VX52_FIELD(PID, TD, Float)};
const FieldDef kRego[] = {VX52_FIELD(REGO, TYP, Byte), VX52_FIELD(REGO, DSER, Int16),
                          VX52_FIELD(REGO, DEAD, Int16), VX52_FIELD(REGO, FEED, Byte)};
const FieldDef kDaco[] = {VX52_FIELD(DACO, AIN, Byte), VX52_FIELD(DACO, AOUT, Byte)};
const FieldDef kOstat[] = {VX52_FIELD(OSTAT, VERZE, Byte), VX52_FIELD(OSTAT, CON1, Float),
                           VX52_FIELD(OSTAT, CON2, Float), VX52_FIELD(OSTAT, PASS1, Int16),
                           VX52_FIELD(OSTAT, PASS2, Int16), VX52_FIELD(OSTAT, FILT, Byte)};
const FieldDef kAdd[] = {VX52_FIELD(ADD, ADRESA, Byte)};
const FieldDef kMeas[] = {VX52_FIELD(MEAS, OUT1, Float),  VX52_FIELD(MEAS, OUT2, Float),
                          VX52_FIELD(MEAS, OUT3, Float),  VX52_FIELD(MEAS, OUT4, Float),
                          VX52_FIELD(MEAS, RELAYS, Byte), VX52_FIELD(MEAS, WORD, Int16)};
const FieldDef kAux[] = {VX52_FIELD(AUX, V1, Float), VX52_FIELD(AUX, V2, Float),
                         VX52_FIELD(AUX, V3, Float)};

#undef VX52_SENS
#undef VX52_ALARM
#undef VX52_FIELD

const std::array<TableDef, kTableCount> kCatalogue{{
    {"COMP", kPayloadLength[0], kComp},
    {"ALARM1", kPayloadLength[1], kAlarm1},
    {"ALARM2", kPayloadLength[2], kAlarm2},
    {"SENS1", kPayloadLength[3], kSens1},
    {"SENS2", kPayloadLength[4], kSens2},
    {"SENS3", kPayloadLength[5], kSens3},
    {"SENS4", kPayloadLength[6], kSens4},
    {"PID", kPayloadLength[7], kPid},
    {"REGO", kPayloadLength[8], kRego},
    {"DACO", kPayloadLength[9], kDaco},
    {"OSTAT", kPayloadLength[10], kOstat},
    {"ADD", kPayloadLength[11], kAdd},
    {"MEAS", kPayloadLength[12], kMeas},
    {"AUX", kPayloadLength[13], kAux},
}};

void putField(const ParamSet& params, const FieldDef& field, std::uint8_t* out) {
    const auto* src = reinterpret_cast<const unsigned char*>(&params) + field.offset;
    switch (field.type) {
    case FieldType::Float: {
        std::uint32_t bits;
        std::memcpy(&bits, src, 4);
        out[0] = static_cast<std::uint8_t>(bits >> 24);
        out[1] = static_cast<std::uint8_t>(bits >> 16);
        out[2] = static_cast<std::uint8_t>(bits >> 8);
        out[3] = static_cast<std::uint8_t>(bits);
        break;
    }
    case FieldType::Int16: {
        std::uint16_t v;
        std::memcpy(&v, src, 2);
        out[0] = static_cast<std::uint8_t>(v >> 8);
        out[1] = static_cast<std::uint8_t>(v);
        break;
    }
    case FieldType::Byte:
        out[0] = *src;
        break;
    }
}

void getField(ParamSet& params, const FieldDef& field, const std::uint8_t* in) {
    auto* dst = reinterpret_cast<unsigned char*>(&params) + field.offset;
    switch (field.type) {
    case FieldType::Float: {
        const std::uint32_t bits = (std::uint32_t{in[0]} << 24) | (std::uint32_t{in[1]} << 16) |
                                   (std::uint32_t{in[2]} << 8) | std::uint32_t{in[3]};
        std::memcpy(dst, &bits, 4);
        break;
    }
    case FieldType::Int16: {
        const auto v = static_cast<std::uint16_t>((in[0] << 8) | in[1]);
        std::memcpy(dst, &v, 2);
        break;
    }
    case FieldType::Byte:
        *dst = in[0];
        break;
    }
}

} // namespace

const std::array<TableDef, kTableCount>& catalogue() { return kCatalogue; }

std::size_t wireSize(FieldType type) {
    switch (type) {
    case FieldType::Float:
        return 4;
    case FieldType::Int16:
        return 2;
    case FieldType::Byte:
        return 1;
    }
    return 0;
}

void encodePayload(const ParamSet& params, int table, std::span<std::uint8_t> out) {
    const TableDef& def = kCatalogue.at(static_cast<std::size_t>(table));
    std::size_t pos = 0;
    for (const FieldDef& field : def.fields) {
        putField(params, field, out.subspan(pos, wireSize(field.type)).data());
        pos += wireSize(field.type);
    }
}

void decodePayload(ParamSet& params, int table, std::span<const std::uint8_t> in) {
    const TableDef& def = kCatalogue.at(static_cast<std::size_t>(table));
    std::size_t pos = 0;
    for (const FieldDef& field : def.fields) {
        getField(params, field, in.subspan(pos, wireSize(field.type)).data());
        pos += wireSize(field.type);
    }
}

std::size_t EncodeTable(const ParamSet& params, int table, std::span<std::uint8_t, 256> tx_buf) {
    encodePayload(params, table, std::span<std::uint8_t>(tx_buf).subspan(11));
    return payloadLength(table) + 11;
}

void DecodeTable(ParamSet& params, int table, std::span<const std::uint8_t, 256> rx_buf) {
    decodePayload(params, table, std::span<const std::uint8_t>(rx_buf).subspan(7));
}

} // namespace vx52
