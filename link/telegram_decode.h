#pragma once
// What a telegram on the line means: its direction, frame kind and function code, the
// operation it belongs to, its result and its fields. A reply is read against the request it
// answers (station asked, operation, length awaited), so decoding follows the line in order.
// The monitor window and `vx52-cli --trace --decode` both print these texts.

#include "link/exchange_failure.h"
#include "link/translatable.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vx52 {

enum class TelegramDirection : std::uint8_t { Request, Reply };

enum class FrameKind : std::uint8_t {
    Request,   // any frame the program sends
    DataReply, // variable-length frame from the station
    Ack,       // fixed-length frame with FC 0x00
    Refusal,   // fixed-length frame with another FC
    None,      // no byte arrived
    Unknown,   // neither start byte
};

enum class TelegramOperation : std::uint8_t {
    Unknown,
    DeviceType,
    ReadTable,
    WriteTable,
    Measurement,
    Version,
    Eeprom,
    Probe,
};

// A reply's result is the link's own judgement of it (classifyDataReply, classifyAck): the
// monitor shows what the link concluded. NoReply: waitMs says how long the read waited;
// ShortReply: expected bytes awaited; WrongStation: sender answered; Refused: fc.
using TelegramResult = FailureCause;
constexpr int kTelegramResultCount = kFailureCauseCount;

// One decoded telegram, kept compact: the monitor holds a million of them.
struct TelegramRow {
    std::uint32_t waitMs = 0;  // a reply: time since its request was sent
    std::uint16_t length = 0;  // bytes of the telegram
    std::uint8_t expected = 0; // bytes awaited, for a short reply
    TelegramDirection direction = TelegramDirection::Request;
    FrameKind kind = FrameKind::Unknown;
    TelegramOperation operation = TelegramOperation::Unknown;
    TelegramResult result = TelegramResult::None;
    std::uint8_t station = 0; // DA of a request; the station asked, for a reply
    std::uint8_t sender = 0;  // SA of a reply frame
    std::uint8_t fc = 0;      // valid when hasFc
    bool hasFc : 1 = false;
    bool late : 1 = false;  // bytes discarded after a failed exchange, judged as its reply
    std::uint8_t table = 0; // for table operations

    bool failed() const { return result != TelegramResult::None; }
};

// Reads the line in order: each request is remembered, each reply is judged against it.
class TelegramDecoder {
public:
    TelegramRow request(std::span<const std::uint8_t> bytes, bool lineOk);
    TelegramRow reply(std::span<const std::uint8_t> bytes, bool lineOk,
                      std::chrono::milliseconds wait);
    // Bytes that came after the read of the last request had ended.
    TelegramRow late(std::span<const std::uint8_t> bytes, std::chrono::milliseconds wait);
    void reset() { requestLength_ = 0; }

private:
    std::array<std::uint8_t, 256> request_{};
    std::size_t requestLength_ = 0;
};

// The texts below are written in Czech and marked for the catalogue in the context
// "Telegram"; `lookup` gives a text in the language shown (placeholders %1, %2 kept).
using TextLookup = std::string (*)(const char* text);
inline std::string asWritten(const char* text) {
    return text;
}

// The row's columns as the monitor shows them.
std::string directionText(const TelegramRow& row); // "→" request, "←" reply
std::string frameKindText(const TelegramRow& row, TextLookup lookup = asWritten); // "data FC 08"
// "čtení tabulky 7 PID"
std::string operationText(const TelegramRow& row, TextLookup lookup = asWritten);
// "čtení tabulky", for filters
std::string operationName(TelegramOperation operation, TextLookup lookup = asWritten);
// "bez odpovědi po 556 ms", "pozdní odpověď"
std::string resultText(const TelegramRow& row, TextLookup lookup = asWritten);
// "bez odpovědi", for counters
std::string resultName(TelegramResult result, TextLookup lookup = asWritten);
// All columns but time and bytes in one line: "← 1 | data FC 08 | měření | 28 B | OK".
std::string rowText(const TelegramRow& row, TextLookup lookup = asWritten);

// Bytes as two-digit upper-case hex separated by spaces: "68 04 04 68".
std::string hexText(std::span<const std::uint8_t> bytes);

// The decoded content of a telegram, one line each: "PID.PB = 1,5" for every field of a
// table or measurement payload that arrived intact (written with decimalSeparator), the
// text of a type or version reply (the station's bytes as they came). Empty otherwise.
std::vector<std::string> fieldLines(const TelegramRow& row, std::span<const std::uint8_t> bytes,
                                    char decimalSeparator);

} // namespace vx52
