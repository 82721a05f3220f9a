#include "link/exchange_failure.h"

#include "link/frame.h"

#include <cstdio>

namespace vx52 {

namespace {

std::string hex(std::uint8_t byte) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", byte);
    return buf;
}

ExchangeFailure failure(FailureCause cause) {
    ExchangeFailure f;
    f.cause = cause;
    return f;
}

ExchangeFailure badFrame(std::uint8_t found) {
    ExchangeFailure f = failure(FailureCause::BadFrame);
    f.code = found;
    return f;
}

ExchangeFailure nothingOrShort(std::size_t count, std::size_t expected) {
    ExchangeFailure f = failure(count == 0 ? FailureCause::NoReply : FailureCause::ShortReply);
    f.expected = expected;
    f.received = count;
    return f;
}

ExchangeFailure badLength(std::size_t le, std::size_t wanted) {
    ExchangeFailure f = failure(FailureCause::BadLength);
    f.received = le;
    f.expected = wanted;
    return f;
}

ExchangeFailure refused(std::uint8_t fc) {
    ExchangeFailure f = failure(FailureCause::Refused);
    f.code = fc;
    return f;
}

// Addresses of a sound reply: to this PC, from the station asked.
ExchangeFailure checkAddresses(std::uint8_t to, std::uint8_t from, std::uint8_t asked,
                               std::uint8_t host) {
    if (to == host && from == asked) return {};
    ExchangeFailure f = failure(FailureCause::WrongStation);
    f.from = from;
    f.to = to;
    return f;
}

} // namespace

std::string ExchangeFailure::text() const {
    switch (cause) {
    case FailureCause::None:
        return "no failure";
    case FailureCause::LineFailed:
        return "the line failed";
    case FailureCause::NoReply:
        return "no reply after " + std::to_string(waited.count()) + " ms";
    case FailureCause::ShortReply:
        if (expected == 0) return "short reply: " + std::to_string(received) + " bytes";
        return "short reply: " + std::to_string(received) + " of " + std::to_string(expected) +
               " bytes";
    case FailureCause::BadLength:
        return "bad length: LE " + std::to_string(received) + ", expected " +
               std::to_string(expected);
    case FailureCause::BadFrame:
        return "not the awaited frame (byte " + hex(code) + ")";
    case FailureCause::BadCheckSum:
        return "bad check sum";
    case FailureCause::WrongStation:
        if (to != host)
            return "reply from station " + std::to_string(from) + " to " + std::to_string(to) +
                   ", asked " + std::to_string(asked) + " from " + std::to_string(host);
        return "reply from station " + std::to_string(from) + ", asked " + std::to_string(asked);
    case FailureCause::Refused:
        return "refused (FC " + hex(code) + ")";
    case FailureCause::BadTable:
        return "table number out of range";
    }
    return "unknown failure";
}

ExchangeFailure classifyAck(std::span<const std::uint8_t> reply, std::uint8_t from,
                            std::uint8_t host) {
    ExchangeFailure f;
    if (reply.size() < kAckLength)
        f = nothingOrShort(reply.size(), kAckLength);
    else if (reply.size() > kAckLength)
        f = badLength(reply.size(), kAckLength);
    else if (reply[0] != kSD1)
        f = badFrame(reply[0]);
    else if (reply[5] != kED)
        f = badFrame(reply[5]);
    else if (static_cast<std::uint8_t>(reply[1] + reply[2] + reply[3]) != reply[4])
        f = failure(FailureCause::BadCheckSum);
    else if (f = checkAddresses(reply[1], reply[2], from, host); !f.failed() && reply[3] != kFcAck)
        f = refused(reply[3]);
    f.asked = from;
    f.host = host;
    return f;
}

ExchangeFailure classifyDataReply(std::span<const std::uint8_t> reply, std::size_t expected,
                                  std::uint8_t asked, std::uint8_t host) {
    const auto sort = [&]() -> ExchangeFailure {
        const std::size_t count = reply.size();
        // A sound acknowledgement in place of the data: a refusal, or another station's.
        if (count == kAckLength && reply[0] == kSD1) {
            const ExchangeFailure f = classifyAck(reply, asked, host);
            if (f.cause == FailureCause::Refused || f.cause == FailureCause::WrongStation)
                return f;
        }
        if (expected != 0 && count < expected) return nothingOrShort(count, expected);
        if (count == 0) return nothingOrShort(0, 0);
        if (reply[0] != kSD2) return badFrame(reply[0]);
        if (count < 3) return nothingOrShort(count, 0);
        // LE taken as a signed byte for the texts: 3..127; a table or the measurement needs its own.
        const std::size_t le = reply[1];
        const std::size_t wanted = expected != 0 ? expected - 6 : count >= 6 ? count - 6 : 0;
        if (reply[1] != reply[2] || le < 3 || le > 127 || (expected != 0 && le != wanted))
            return badLength(le, wanted);
        if (count < le + 6) return nothingOrShort(count, le + 6);
        if (count > le + 6) return badLength(le, wanted);
        if (reply[le + 5] != kED) return badFrame(reply[le + 5]);
        if (checkSum(reply.subspan(4, le)) != reply[le + 4]) return failure(FailureCause::BadCheckSum);
        if (reply[6] != kFcDataReply) return badFrame(reply[6]);
        return checkAddresses(reply[4], reply[5], asked, host);
    };
    ExchangeFailure f = sort();
    f.asked = asked;
    f.host = host;
    return f;
}

} // namespace vx52
