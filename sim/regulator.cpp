#include "sim/regulator.h"

#include "link/frame.h"
#include "link/tables.h"

#include <algorithm>
#include <array>

namespace vx52::sim {

namespace {

constexpr std::uint8_t kFcForeign = 0x0A; // another family's reply code: not a data reply
constexpr std::size_t kForeignBlock = 32;
constexpr std::size_t kMaxText = 120; // keeps LE below 128

std::uint8_t requestDa(std::span<const std::uint8_t> f) {
    return f[0] == kSD1 ? f[1] : f[4];
}
std::uint8_t requestSa(std::span<const std::uint8_t> f) {
    return f[0] == kSD1 ? f[2] : f[5];
}

} // namespace

ParamSet Regulator::factoryTables(std::uint8_t address) {
    ParamSet p;
    p.COMP.SP = 50.0f;
    p.ALARM1 = {80.0f, 1.0f, 0, 1, 0};
    p.ALARM2 = {20.0f, 1.0f, 0, 0, 0};
    p.SENS1 = {1, 1, 0.0f, 100.0f, 0};
    p.SENS2 = {1, 1, 0.0f, 200.0f, 1};
    p.SENS3 = {1, 1, -50.0f, 50.0f, 1};
    p.SENS4 = {2, 2, 0.0f, 10.0f, 4};
    p.PID = {1.0f, 100.0f, 1.0f};
    p.REGO = {0, 60, 2, 0};
    p.DACO = {0, 1};
    p.OSTAT = {0, 1.0f, 1.0f, 0, 0, 0};
    p.ADD.ADRESA = address;
    return p;
}

Regulator::Regulator(RegulatorConfig config)
    : config_(std::move(config)), address_(config_.address),
      tables_(factoryTables(config_.address)), process_(config_.seed), random_(config_.seed + 1) {
    process_.advanceTo(std::chrono::milliseconds(0), tables_);
}

void Regulator::setAddress(std::uint8_t address) {
    address_ = address;
    tables_.ADD.ADRESA = address;
}

void Regulator::setFault(Fault fault, double rate) {
    fault_ = fault;
    faultRate_ = std::clamp(rate, 0.0, 1.0);
}

bool Regulator::faultHits() {
    if (fault_ == Fault::None) return false;
    if (faultRate_ >= 1.0) return true;
    return std::bernoulli_distribution(faultRate_)(random_);
}

void Regulator::advanceProcess(std::chrono::milliseconds now) {
    if (processRunning_) process_.advanceTo(now, tables_);
}

std::string Regulator::typeText() const {
    if (!config_.typeText.empty()) return config_.typeText;
    return config_.kind == DeviceKind::Qdx01 ? kQdx01Type : kRegulatorType;
}

std::string Regulator::versionText() const {
    if (!config_.versionText.empty()) return config_.versionText;
    return config_.kind == DeviceKind::Qdx01 ? kQdx01Version : kRegulatorVersion;
}

Reply Regulator::respond(std::span<const std::uint8_t> frame, std::chrono::milliseconds now) {
    lastFaulted_ = false;
    if (config_.kind == DeviceKind::Nothing || frame.empty()) return {};
    Reply reply = frame[0] == kSD1 ? answerProbe(frame) : answerVariable(frame, now);
    lastFaulted_ = !reply.silent() && faultHits();
    if (lastFaulted_ && fault_ == Fault::Refuse)
        reply = ack(frame, kFcRefused);
    else if (lastFaulted_)
        applyFault(fault_, reply, config_.lateDelay);
    reply.delay += config_.replyDelay;
    return reply;
}

Reply Regulator::answerProbe(std::span<const std::uint8_t> frame) {
    const std::uint8_t da = requestDa(frame);
    if (frame[3] != kFcProbe) return {};
    if (da != address_ && !config_.alsoAnswer.contains(da)) return {};
    return ack(frame, kFcAck);
}

Reply Regulator::answerVariable(std::span<const std::uint8_t> frame,
                                std::chrono::milliseconds now) {
    if (requestDa(frame) != address_ || frame[1] < 4) return {};
    const std::uint8_t fc = frame[6];
    const std::uint8_t command = frame[7];
    if (config_.kind == DeviceKind::Foreign)
        return command == CMD_TYPE ? foreignRecord(frame) : Reply{};

    const bool wantsData = command == CMD_TYPE || command == CMD_READ_TABLE ||
                           command == CMD_READ_MEAS || command == CMD_VERSION;
    const bool wantsAck = command == CMD_WRITE_TABLE || command == CMD_EEPROM;
    if ((wantsData && fc != kFcSendDataReply) || (wantsAck && fc != kFcSendDataAck) ||
        (!wantsData && !wantsAck))
        return ack(frame, kFcRefused);

    switch (command) {
    case CMD_TYPE:
    case CMD_VERSION: {
        std::string text = command == CMD_TYPE ? typeText() : versionText();
        text.resize(std::min(text.size(), kMaxText));
        return dataReply(
            frame, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }
    case CMD_READ_MEAS: {
        advanceProcess(now);
        std::array<std::uint8_t, 19> payload{};
        encodePayload(tables_, kMeasTable, payload);
        return dataReply(frame, payload);
    }
    case CMD_READ_TABLE:
        return readTable(frame, now);
    case CMD_WRITE_TABLE:
        return writeTable(frame);
    case CMD_EEPROM:
        if (onStore_ && !onStore_(tables_)) return ack(frame, kFcRefused);
        ++eepromStores_;
        return ack(frame, kFcAck);
    default:
        return {};
    }
}

Reply Regulator::readTable(std::span<const std::uint8_t> frame, std::chrono::milliseconds now) {
    const int table = frame[8];
    if (frame[1] != 7 || table >= kTableCount || frame[9] != payloadLength(table))
        return ack(frame, kFcRefused);
    if (table >= kMeasTable) advanceProcess(now);
    std::array<std::uint8_t, 32> payload{};
    encodePayload(tables_, table, payload);
    return dataReply(frame, std::span(payload.data(), payloadLength(table)));
}

Reply Regulator::writeTable(std::span<const std::uint8_t> frame) {
    const int table = frame[8];
    if (table >= kCardCount) return ack(frame, kFcRefused);
    const std::size_t n = payloadLength(table);
    if (frame[1] != n + 7 || frame[9] != n) return ack(frame, kFcRefused);
    const auto payload = frame.subspan(11, n);
    if (table == 11 && payload[0] >= kBroadcast) return ack(frame, kFcRefused);
    decodePayload(tables_, table, payload);
    Reply reply = ack(frame, kFcAck); // acknowledged from the address the request named
    if (table == 11) address_ = tables_.ADD.ADRESA;
    return reply;
}

Reply Regulator::foreignRecord(std::span<const std::uint8_t> frame) const {
    std::vector<std::uint8_t> data(1 + 3 * kForeignBlock, 0);
    data[0] = 0x01; // record kind of the other family
    const std::string* blocks[] = {&config_.foreignMaker, &config_.foreignModel,
                                   &config_.foreignVersion};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string& text = *blocks[i];
        std::copy_n(text.begin(), std::min(text.size(), kForeignBlock),
                    data.begin() + static_cast<std::ptrdiff_t>(1 + i * kForeignBlock));
    }
    return dataReply(frame, data, kFcForeign);
}

Reply Regulator::dataReply(std::span<const std::uint8_t> request,
                           std::span<const std::uint8_t> data, std::uint8_t fc) const {
    Reply reply;
    reply.bytes.resize(data.size() + kFrameOverhead);
    buildVariableFrame(reply.bytes, requestSa(request), requestDa(request), fc, data);
    reply.delay = kTurnaround;
    return reply;
}

Reply Regulator::ack(std::span<const std::uint8_t> request, std::uint8_t fc) const {
    Reply reply;
    reply.bytes.resize(kAckLength);
    buildFixedFrame(reply.bytes, requestSa(request), requestDa(request), fc);
    reply.delay = kTurnaround;
    return reply;
}

} // namespace vx52::sim
