#include "link/link.h"

#include "link/frame.h"
#include "link/tables.h"

#include <algorithm>
#include <cstring>

namespace vx52 {

namespace {
constexpr std::size_t kTextReadLength = 255;    // type and version replies: length unknown
constexpr std::size_t kForeignReadLength = 254; // another family's identification record
// A line that never goes quiet (noise, a babbling station) is waited out no further.
constexpr std::size_t kMostDiscarded = 1024;
} // namespace

std::size_t Link::buildRequest(std::uint8_t fc, std::span<const std::uint8_t> data) {
    return buildVariableFrame(tx_buf, da_, sa_, fc, data);
}

void Link::begin() {
    if (clock_() < owedUntil_ &&
        std::find(owedStations_.begin(), owedStations_.end(), da_) != owedStations_.end())
        payOwedQuiet();
    lastRead_ = 0;
    lastCount_ = 0;
    failure_ = {};
    failure_.asked = da_;
    failure_.host = sa_;
}

std::uint8_t Link::refuseTable() {
    failure_.cause = FailureCause::BadTable;
    return 0;
}

bool Link::send(std::size_t length) {
    const std::span<const std::uint8_t> frame(tx_buf.data(), length);
    // Within a search only acknowledgements come: a late one is kept to be credited.
    const bool ok = line_ != nullptr &&
                    (searching_ ? line_->writeKeepingReceived(frame) : line_->write(frame));
    if (observer_) observer_->sent(frame, ok, TelegramObserver::Clock::now());
    if (!ok) failure_.cause = FailureCause::LineFailed;
    return ok;
}

ReadResult Link::receive(std::size_t n) {
    ReadResult result;
    const std::span<std::uint8_t> buffer(rx_buf.data(), n);
    const auto start = clock_();
    lastRead_ = n;
    if (line_ != nullptr) result = prompt_reply_ ? line_->readPrompt(buffer) : line_->read(buffer);
    waited_ = std::chrono::duration_cast<std::chrono::milliseconds>(clock_() - start);
    result.count = std::min(result.count, n);
    lastCount_ = result.count;
    if (observer_)
        observer_->received(std::span<const std::uint8_t>(rx_buf.data(), result.count), result.ok,
                            TelegramObserver::Clock::now());
    return result;
}

bool Link::accept(const ReadResult& read, ExchangeFailure sorted) {
    if (!read.ok) sorted.cause = FailureCause::LineFailed;
    sorted.waited = waited_;
    failure_ = sorted;
    return !failure_.failed();
}

std::uint8_t Link::finish(bool ok) {
    if (ok) return 1;
    // A search keeps what arrived: a late acknowledgement is credited by the next probe.
    if (line_ == nullptr || searching_) return 0;
    if (lastRead_ != 0 && failure_.cause != FailureCause::LineFailed) {
        if (polling_ && lastCount_ == 0) {
            if (clock_() >= owedUntil_) owedStations_.clear(); // their time-outs have passed
            owedStations_.push_back(da_);
            owedRead_ = std::max(owedRead_, lastRead_);
            owedUntil_ = clock_() + waited_;
        } else {
            awaitQuietLine(lastRead_);
        }
    }
    line_->purgeTransmit();
    line_->purgeReceive();
    return 0;
}

// Reads on with the failed read's length: a read that gets nothing has lasted that read's
// total time-out, so the line has been quiet that long. Bytes up to a pause make one report.
void Link::awaitQuietLine(std::size_t readLength) {
    std::array<std::uint8_t, 256> scratch{};
    std::vector<std::uint8_t> chunk;
    std::size_t discarded = 0;
    const std::span<std::uint8_t> buffer(scratch.data(), std::min(readLength, scratch.size()));
    while (discarded < kMostDiscarded) {
        const ReadResult r = line_->read(buffer);
        const std::size_t count = std::min(r.count, buffer.size());
        chunk.insert(chunk.end(), scratch.begin(), scratch.begin() + count);
        discarded += count;
        if (count < buffer.size()) {
            reportLate(chunk);
            chunk.clear();
        }
        if (!r.ok || count == 0) return;
    }
    reportLate(chunk);
}

void Link::reportLate(std::span<const std::uint8_t> bytes) {
    if (observer_ && !bytes.empty()) observer_->late(bytes, TelegramObserver::Clock::now());
}

void Link::beginPolling() { polling_ = true; }

void Link::endPolling() { polling_ = false; }

void Link::payOwedQuiet() {
    if (line_ != nullptr) {
        awaitQuietLine(owedRead_);
        line_->purgeTransmit();
        line_->purgeReceive();
    }
    owedStations_.clear();
    owedRead_ = 0;
}

void Link::beginSearch() {
    searching_ = true;
    probed_.fill(false);
    answered_.fill(false);
    lateStations_.clear();
}

void Link::endSearch() { searching_ = false; }

std::vector<std::uint8_t> Link::takeLateStations() {
    std::vector<std::uint8_t> stations;
    stations.swap(lateStations_);
    return stations;
}

// Within a search, a sound acknowledgement to this PC from a station probed before and not
// yet counted is that station's late answer.
bool Link::creditLateStation(const ExchangeFailure& sorted) {
    if (!searching_ || sorted.cause != FailureCause::WrongStation || sorted.to != sa_ ||
        rx_buf[3] != kFcAck ||
        sorted.from >= probed_.size() || !probed_[sorted.from] || answered_[sorted.from])
        return false;
    answered_[sorted.from] = true;
    lateStations_.push_back(sorted.from);
    return true;
}

std::uint8_t Link::awaitAck() {
    for (;;) {
        const ReadResult r = receive(kAckLength);
        const ExchangeFailure sorted =
            classifyAck(std::span<const std::uint8_t>(rx_buf.data(), r.count), da_, sa_);
        if (r.ok && creditLateStation(sorted)) continue;
        return accept(r, sorted) ? 1 : 0;
    }
}

std::uint8_t Link::ReadTable(int table) {
    begin();
    if (table < 0 || table >= kTableCount) {
        if (notifier_) notifier_(kReadRangeText, kReadRangeCaption);
        return refuseTable();
    }
    const auto n = static_cast<std::uint8_t>(payloadLength(table));
    const std::uint8_t data[] = {CMD_READ_TABLE, static_cast<std::uint8_t>(table), n, 0};
    const bool sent = send(buildRequest(kFcSendDataReply, data));
    if (!sent || da_ == kBroadcast) return finish(sent);
    const std::size_t expected = n + kFrameOverhead;
    const ReadResult r = receive(expected);
    if (!accept(r, classifyDataReply(std::span<const std::uint8_t>(rx_buf.data(), r.count),
                                     expected, da_, sa_)))
        return finish(false);
    DecodeTable(params_, table, rx_buf);
    return 1;
}

std::uint8_t Link::WriteTable(int table) {
    begin();
    if (table < 0 || table >= kCardCount) {
        if (notifier_) notifier_(kWriteRangeText, kWriteRangeCaption);
        return refuseTable();
    }
    const auto n = static_cast<std::uint8_t>(payloadLength(table));
    tx_buf[0] = kSD2;
    tx_buf[1] = tx_buf[2] = static_cast<std::uint8_t>(n + 7);
    tx_buf[3] = kSD2;
    tx_buf[4] = da_;
    tx_buf[5] = sa_;
    tx_buf[6] = kFcSendDataAck;
    tx_buf[7] = CMD_WRITE_TABLE;
    tx_buf[8] = static_cast<std::uint8_t>(table);
    tx_buf[9] = n;
    tx_buf[10] = 0;
    EncodeTable(params_, table, tx_buf);
    // The acknowledgement of a new bus address (table 11) still comes from the old one: DA.
    return finish(send(finishVariableFrame(tx_buf)) && awaitAck());
}

std::uint8_t Link::ReadMeasurement() {
    begin();
    const std::uint8_t data[] = {CMD_READ_MEAS};
    const bool sent = send(buildRequest(kFcSendDataReply, data));
    if (!sent || da_ == kBroadcast) return finish(sent);
    const std::size_t expected = payloadLength(kMeasTable) + kFrameOverhead;
    const ReadResult r = receive(expected);
    if (!accept(r, classifyDataReply(std::span<const std::uint8_t>(rx_buf.data(), r.count),
                                     expected, da_, sa_)))
        return finish(false);
    DecodeTable(params_, kMeasTable, rx_buf);
    return 1;
}

std::uint8_t Link::readText(std::uint8_t command, std::array<char, 250>& text) {
    begin();
    const std::uint8_t data[] = {command};
    if (!send(buildRequest(kFcSendDataReply, data))) return finish(false);
    const ReadResult r = receive(kTextReadLength);
    // Variable length: LE 3..127 (below 3 there is no data field) and exactly LE + 6 bytes.
    if (!accept(r, classifyDataReply(std::span<const std::uint8_t>(rx_buf.data(), r.count), 0,
                                     da_, sa_)))
        return finish(false);
    const std::size_t le = rx_buf[1];
    text.fill('\0');
    const std::size_t length = std::min<std::size_t>(le - 3, text.size() - 1);
    std::memcpy(text.data(), rx_buf.data() + 7, length);
    return 1;
}

std::uint8_t Link::ReadDeviceType() { return readText(CMD_TYPE, type_text); }

std::uint8_t Link::ReadDeviceVersion() { return readText(CMD_VERSION, version_text); }

std::uint8_t Link::ReadForeignIdent() {
    begin();
    const std::uint8_t data[] = {CMD_TYPE};
    if (!send(buildRequest(kFcSendDataReply, data))) return finish(false);
    const ReadResult r = receive(kForeignReadLength);
    const auto le = static_cast<std::int8_t>(rx_buf[1]);
    // Another family's record: no check sum test, only LE > 4 and the addresses (from the
    // station asked, to this PC). The copied bytes must have arrived in this exchange: rx_buf
    // is never cleared, and a stale earlier reply must not pass for a foreign device.
    ExchangeFailure sorted = failure_;
    if (r.count == 0 || (le > 4 && r.count < static_cast<std::size_t>(le) + 4)) {
        sorted.cause = r.count == 0 ? FailureCause::NoReply : FailureCause::ShortReply;
        sorted.expected = le > 4 ? static_cast<std::size_t>(le) + 4 : 0;
        sorted.received = r.count;
    } else if (le <= 4) {
        sorted.cause = FailureCause::BadLength;
        sorted.received = static_cast<std::uint8_t>(le);
    } else if (rx_buf[4] != sa_ || rx_buf[5] != da_) {
        sorted.cause = FailureCause::WrongStation;
        sorted.from = rx_buf[5];
        sorted.to = rx_buf[4];
    }
    if (!accept(r, sorted)) return finish(false);
    foreign_ident.fill(0);
    std::memcpy(foreign_ident.data(), rx_buf.data() + 8, static_cast<std::size_t>(le) - 4);
    return 1;
}

std::uint8_t Link::StoreToEeprom() {
    begin();
    const std::uint8_t data[] = {CMD_EEPROM};
    return finish(send(buildRequest(kFcSendDataAck, data)) && awaitAck());
}

std::uint8_t Link::ProbeStation() {
    begin();
    if (searching_ && da_ < probed_.size()) probed_[da_] = true;
    const bool ok = send(buildFixedFrame(tx_buf, da_, sa_, kFcProbe)) && awaitAck();
    if (ok && searching_ && da_ < answered_.size()) answered_[da_] = true;
    return finish(ok);
}

std::uint8_t Link::ProbeStationFast() {
    prompt_reply_ = true;
    const std::uint8_t result = ProbeStation();
    prompt_reply_ = false;
    return result;
}

} // namespace vx52
