#include "link/telegram_decode.h"

#include "link/frame.h"
#include "link/param_set.h"
#include "link/tables.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

namespace vx52 {

namespace {

constexpr std::size_t kReadTableRequest = 13; // 68 07 07 68 DA SA 6C 01 t n 00 FCS 16

struct Asked {
    TelegramOperation operation = TelegramOperation::Unknown;
    std::uint8_t table = 0;
    std::uint8_t station = 0; // DA of the request
    std::uint8_t host = 0;    // SA of the request
    bool known = false;
};

// What a request frame asks for: the command byte of a variable frame, or the probe.
Asked readRequest(std::span<const std::uint8_t> f) {
    Asked a;
    if (f.size() == kAckLength && f[0] == kSD1) {
        a.station = f[1];
        a.host = f[2];
        a.operation = f[3] == kFcProbe ? TelegramOperation::Probe : TelegramOperation::Unknown;
        a.known = true;
        return a;
    }
    if (f.size() < 10 || f[0] != kSD2) return a;
    a.station = f[4];
    a.host = f[5];
    a.known = true;
    switch (f[7]) {
    case CMD_TYPE: a.operation = TelegramOperation::DeviceType; break;
    case CMD_READ_TABLE: a.operation = TelegramOperation::ReadTable; break;
    case CMD_WRITE_TABLE: a.operation = TelegramOperation::WriteTable; break;
    case CMD_READ_MEAS: a.operation = TelegramOperation::Measurement; break;
    case CMD_VERSION: a.operation = TelegramOperation::Version; break;
    case CMD_EEPROM: a.operation = TelegramOperation::Eeprom; break;
    default: break;
    }
    if ((a.operation == TelegramOperation::ReadTable && f.size() >= kReadTableRequest) ||
        (a.operation == TelegramOperation::WriteTable && f.size() >= 11))
        a.table = f[8];
    return a;
}

bool answeredByAck(TelegramOperation op) {
    return op == TelegramOperation::WriteTable || op == TelegramOperation::Eeprom || op == TelegramOperation::Probe;
}

// Length of the data reply an operation calls for; 0 when the reply says it (texts).
std::size_t dataReplyLength(const Asked& a) {
    if (a.operation == TelegramOperation::Measurement) return payloadLength(kMeasTable) + kFrameOverhead;
    if (a.operation == TelegramOperation::ReadTable && a.table < kTableCount)
        return payloadLength(a.table) + kFrameOverhead;
    return 0;
}

std::uint8_t clampByte(std::size_t n) { return static_cast<std::uint8_t>(std::min<std::size_t>(n, 255)); }

// What the frame says of itself: its kind, FC and sender.
void describeFrame(std::span<const std::uint8_t> f, TelegramRow& row) {
    if (f[0] == kSD1) {
        row.kind = f.size() >= 4 && f[3] != kFcAck ? FrameKind::Refusal : FrameKind::Ack;
        if (f.size() >= 4) {
            row.fc = f[3];
            row.hasFc = true;
        }
        if (f.size() >= 3) row.sender = f[2];
    } else if (f[0] == kSD2) {
        row.kind = FrameKind::DataReply;
        if (f.size() >= 7) {
            row.fc = f[6];
            row.hasFc = true;
        }
        if (f.size() >= 6) row.sender = f[5];
    } else {
        row.kind = FrameKind::Unknown;
    }
}

// The link's judgement of the reply, with the check its request calls for. Without a known
// request the frame is judged by its own kind and addresses.
void judge(std::span<const std::uint8_t> f, const Asked& a, TelegramRow& row) {
    const bool ack = a.known ? answeredByAck(a.operation) : f[0] == kSD1;
    const std::uint8_t station = a.known ? a.station : row.sender;
    const std::uint8_t host = a.known ? a.host : f[0] == kSD1 ? (f.size() > 1 ? f[1] : 0)
                                                              : (f.size() > 4 ? f[4] : 0);
    const ExchangeFailure judged =
        ack ? classifyAck(f, station, host) : classifyDataReply(f, dataReplyLength(a), station, host);
    row.result = judged.cause;
    if (judged.cause == FailureCause::ShortReply) row.expected = clampByte(judged.expected);
}

std::string number(std::uint32_t n) { return std::to_string(n); }

// The text with %1, %2, ... replaced by the given values, wherever the language puts them.
std::string filled(std::string text, std::initializer_list<std::string> values) {
    int n = 0;
    for (const std::string& value : values) {
        const std::string mark = '%' + std::to_string(++n);
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), value);
    }
    return text;
}

std::string hexByte(std::uint8_t b) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[b >> 4], kHex[b & 15]};
}

std::string fieldValueText(double value, FieldType type, char decimalSeparator) {
    char buf[48];
    std::to_chars_result r;
    if (type == FieldType::Float)
        r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(value));
    else
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
    std::string text(buf, r.ptr);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

void payloadLines(int table, std::span<const std::uint8_t> payload, char sep,
                  std::vector<std::string>& out) {
    ParamSet scratch;
    decodePayload(scratch, table, payload);
    const TableDef& def = catalogue()[static_cast<std::size_t>(table)];
    for (const FieldDef& f : def.fields) {
        const std::string name = std::string(def.group) + "." + std::string(f.key);
        const auto field = findField(scratch, name);
        out.push_back(name + " = " + fieldValueText(field->get(), f.type, sep));
    }
}

} // namespace

TelegramRow TelegramDecoder::request(std::span<const std::uint8_t> bytes, bool lineOk) {
    requestLength_ = std::min(bytes.size(), request_.size());
    std::copy_n(bytes.begin(), requestLength_, request_.begin());
    const Asked a = readRequest(bytes);
    TelegramRow row;
    row.direction = TelegramDirection::Request;
    row.kind = FrameKind::Request;
    row.operation = a.operation;
    row.table = a.table;
    row.station = a.station;
    row.sender = a.host;
    row.length = static_cast<std::uint16_t>(std::min<std::size_t>(bytes.size(), 0xFFFF));
    if (bytes.size() >= 7 && bytes[0] == kSD2) {
        row.fc = bytes[6];
        row.hasFc = true;
    } else if (bytes.size() >= 4 && bytes[0] == kSD1) {
        row.fc = bytes[3];
        row.hasFc = true;
    } else {
        row.kind = FrameKind::Unknown;
    }
    row.result = lineOk ? TelegramResult::None : TelegramResult::LineFailed;
    return row;
}

TelegramRow TelegramDecoder::reply(std::span<const std::uint8_t> bytes, bool lineOk,
                                   std::chrono::milliseconds wait) {
    const Asked a = readRequest(std::span<const std::uint8_t>(request_.data(), requestLength_));
    TelegramRow row;
    row.direction = TelegramDirection::Reply;
    row.operation = a.operation;
    row.table = a.table;
    row.station = a.station;
    row.length = static_cast<std::uint16_t>(std::min<std::size_t>(bytes.size(), 0xFFFF));
    row.waitMs = static_cast<std::uint32_t>(std::clamp<long long>(wait.count(), 0, 0xFFFFFFFFLL));
    if (!lineOk) {
        row.kind = bytes.empty() ? FrameKind::None : FrameKind::Unknown;
        row.result = TelegramResult::LineFailed;
    } else if (bytes.empty()) {
        row.kind = FrameKind::None;
        row.result = TelegramResult::NoReply;
    } else {
        describeFrame(bytes, row);
        judge(bytes, a, row);
    }
    return row;
}

TelegramRow TelegramDecoder::late(std::span<const std::uint8_t> bytes,
                                  std::chrono::milliseconds wait) {
    TelegramRow row = reply(bytes, true, wait);
    row.late = true;
    return row;
}

std::string directionText(const TelegramRow& row) {
    return row.direction == TelegramDirection::Request ? "→" : "←";
}

std::string frameKindText(const TelegramRow& row, TextLookup lookup) {
    std::string text;
    switch (row.kind) {
    case FrameKind::Request:
        text = lookup(QT_TRANSLATE_NOOP("Telegram", "požadavek"));
        break;
    case FrameKind::DataReply:
        text = lookup(QT_TRANSLATE_NOOP("Telegram", "data"));
        break;
    case FrameKind::Ack:
        text = lookup(QT_TRANSLATE_NOOP("Telegram", "potvrzení"));
        break;
    case FrameKind::Refusal:
        text = lookup(QT_TRANSLATE_NOOP("Telegram", "odmítnutí"));
        break;
    case FrameKind::None: return "—";
    case FrameKind::Unknown:
        text = lookup(QT_TRANSLATE_NOOP("Telegram", "neznámý rámec"));
        break;
    }
    if (row.hasFc) text += " FC " + hexByte(row.fc);
    return text;
}

std::string operationName(TelegramOperation operation, TextLookup lookup) {
    switch (operation) {
    case TelegramOperation::DeviceType:
        return lookup(QT_TRANSLATE_NOOP("Telegram", "typ zařízení"));
    case TelegramOperation::ReadTable:
        return lookup(QT_TRANSLATE_NOOP("Telegram", "čtení tabulky"));
    case TelegramOperation::WriteTable:
        return lookup(QT_TRANSLATE_NOOP("Telegram", "zápis tabulky"));
    case TelegramOperation::Measurement:
        return lookup(QT_TRANSLATE_NOOP("Telegram", "měření"));
    case TelegramOperation::Version:
        return lookup(QT_TRANSLATE_NOOP("Telegram", "verze firmwaru"));
    case TelegramOperation::Eeprom: return "EEPROM";
    case TelegramOperation::Probe:
        return lookup(QT_TRANSLATE_NOOP("Telegram", "hledání stanice"));
    case TelegramOperation::Unknown: break;
    }
    return "?";
}

std::string operationText(const TelegramRow& row, TextLookup lookup) {
    std::string text = operationName(row.operation, lookup);
    if (row.operation == TelegramOperation::ReadTable || row.operation == TelegramOperation::WriteTable) {
        text += ' ' + number(row.table);
        if (row.table < kTableCount)
            text += ' ' + std::string(catalogue()[row.table].group);
    }
    return text;
}

std::string resultName(TelegramResult result, TextLookup lookup) {
    const char* text = "?";
    switch (result) {
    case FailureCause::None: return "OK";
    case FailureCause::LineFailed:
        text = QT_TRANSLATE_NOOP("Telegram", "chyba linky");
        break;
    case FailureCause::NoReply:
        text = QT_TRANSLATE_NOOP("Telegram", "bez odpovědi");
        break;
    case FailureCause::ShortReply:
        text = QT_TRANSLATE_NOOP("Telegram", "krátká odpověď");
        break;
    case FailureCause::BadLength:
        text = QT_TRANSLATE_NOOP("Telegram", "chybná délka");
        break;
    case FailureCause::BadFrame:
        text = QT_TRANSLATE_NOOP("Telegram", "chybný rámec");
        break;
    case FailureCause::BadCheckSum:
        text = QT_TRANSLATE_NOOP("Telegram", "chybný kontrolní součet");
        break;
    case FailureCause::WrongStation:
        text = QT_TRANSLATE_NOOP("Telegram", "cizí stanice");
        break;
    case FailureCause::Refused:
        text = QT_TRANSLATE_NOOP("Telegram", "odmítnuto");
        break;
    case FailureCause::BadTable:
        text = QT_TRANSLATE_NOOP("Telegram", "tabulka mimo rozsah");
        break;
    }
    return lookup(text);
}

std::string resultText(const TelegramRow& row, TextLookup lookup) {
    if (row.late)
        return row.failed() ? filled(lookup(QT_TRANSLATE_NOOP("Telegram", "pozdní odpověď, %1")),
                                     {resultName(row.result, lookup)})
                            : lookup(QT_TRANSLATE_NOOP("Telegram", "pozdní odpověď"));
    switch (row.result) {
    case FailureCause::NoReply:
        return filled(lookup(QT_TRANSLATE_NOOP("Telegram", "bez odpovědi po %1 ms")),
                      {number(row.waitMs)});
    case FailureCause::ShortReply:
        if (row.expected == 0)
            return filled(lookup(QT_TRANSLATE_NOOP("Telegram", "krátká odpověď: %1 B")),
                          {number(row.length)});
        return filled(lookup(QT_TRANSLATE_NOOP("Telegram", "krátká odpověď: %1 z %2 B")),
                      {number(row.length), number(row.expected)});
    case FailureCause::WrongStation:
        // From the station asked, so the DA named another PC.
        if (row.sender == row.station)
            return lookup(QT_TRANSLATE_NOOP("Telegram", "odpověď jinému adresátovi"));
        return filled(lookup(QT_TRANSLATE_NOOP("Telegram", "cizí stanice %1")),
                      {number(row.sender)});
    case FailureCause::Refused:
        return filled(lookup(QT_TRANSLATE_NOOP("Telegram", "odmítnuto (FC %1)")),
                      {hexByte(row.fc)});
    default:
        return resultName(row.result, lookup);
    }
}

std::string rowText(const TelegramRow& row, TextLookup lookup) {
    return directionText(row) + ' ' + number(row.station) + " | " + frameKindText(row, lookup) +
           " | " + operationText(row, lookup) + " | " + number(row.length) + " B | " +
           resultText(row, lookup);
}

std::string hexText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const auto b : bytes) {
        if (!text.empty()) text += ' ';
        text += hexByte(b);
    }
    return text;
}

std::vector<std::string> fieldLines(const TelegramRow& row, std::span<const std::uint8_t> bytes,
                                    char decimalSeparator) {
    std::vector<std::string> lines;
    if (row.failed()) return lines;
    if (row.direction == TelegramDirection::Request) {
        if (row.operation == TelegramOperation::WriteTable && row.table < kCardCount &&
            bytes.size() >= 11 + payloadLength(row.table) + 2)
            payloadLines(row.table, bytes.subspan(11, payloadLength(row.table)), decimalSeparator,
                         lines);
        return lines;
    }
    if (row.kind != FrameKind::DataReply) return lines;
    const std::size_t le = bytes[1];
    switch (row.operation) {
    case TelegramOperation::Measurement:
        payloadLines(kMeasTable, bytes.subspan(7, payloadLength(kMeasTable)), decimalSeparator,
                     lines);
        break;
    case TelegramOperation::ReadTable:
        if (row.table < kTableCount)
            payloadLines(row.table, bytes.subspan(7, payloadLength(row.table)), decimalSeparator,
                         lines);
        break;
    case TelegramOperation::DeviceType:
    case TelegramOperation::Version:
    case TelegramOperation::Unknown: {
        // The text up to its first zero byte, as the station sent it.
        const auto text = bytes.subspan(7, le - 3);
        const auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
        lines.emplace_back(text.begin(), end);
        break;
    }
    default: break;
    }
    return lines;
}

} // namespace vx52
