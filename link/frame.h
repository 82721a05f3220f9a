#pragma once
// Telegram layout on the line: variable-length frames (SD2, 0x68) for requests with data and
// data replies, fixed-length frames (SD1, 0x10) for the station probe and acknowledgements.

#include <cstddef>
#include <cstdint>
#include <span>

namespace vx52 {

constexpr std::uint8_t kSD2 = 0x68;
constexpr std::uint8_t kSD1 = 0x10;
constexpr std::uint8_t kED = 0x16;
constexpr std::uint8_t kBroadcast = 127;

constexpr std::uint8_t kFcSendDataReply = 0x6C; // expects a data reply
constexpr std::uint8_t kFcSendDataAck = 0x63;   // expects an acknowledgement
constexpr std::uint8_t kFcProbe = 0x69;
constexpr std::uint8_t kFcDataReply = 0x08;
constexpr std::uint8_t kFcAck = 0x00;

enum Command : std::uint8_t {
    CMD_TYPE = 0,
    CMD_READ_TABLE = 1,
    CMD_WRITE_TABLE = 2,
    CMD_READ_MEAS = 3,
    CMD_VERSION = 4,
    CMD_EEPROM = 6,
};

constexpr std::size_t kAckLength = 6;
constexpr std::size_t kFrameOverhead = 9; // SD2 LE LE SD2 DA SA FC ... FCS ED

// Sum of the bytes modulo 256.
std::uint8_t checkSum(std::span<const std::uint8_t> bytes);

// Builds a variable-length frame with the given data field into out; returns its length
// (LE + 6). out must hold data.size() + 9 bytes.
std::size_t buildVariableFrame(std::span<std::uint8_t> out, std::uint8_t da, std::uint8_t sa,
                               std::uint8_t fc, std::span<const std::uint8_t> data);
// Closes a variable-length frame whose header and data field are already in buf:
// check sum over DA..data at LE + 4, end byte at LE + 5. Returns LE + 6.
std::size_t finishVariableFrame(std::span<std::uint8_t> buf);

// Builds a fixed-length frame (6 bytes) into out; returns 6.
std::size_t buildFixedFrame(std::span<std::uint8_t> out, std::uint8_t da, std::uint8_t sa,
                            std::uint8_t fc);

// Checks a data reply lying at the start of frame (SD2, LE twice, FC 0x08, end byte, check
// sum). The second SD2 and the addresses are not checked. Never reads beyond frame.
bool CheckDataReply(std::span<const std::uint8_t> frame);
// Checks a positive acknowledgement: exactly 6 bytes, SD1, FC 0x00, end byte, check sum.
bool CheckAck(std::span<const std::uint8_t> frame);

} // namespace vx52
