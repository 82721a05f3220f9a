#include "app/monitor/telegram_store.h"

#include <algorithm>
#include <cstring>

namespace vx52 {

std::uint64_t TelegramCounters::failureCount() const {
    std::uint64_t n = 0;
    for (const auto f : failures)
        n += f;
    return n;
}

double TelegramCounters::meanReplyMs() const {
    return timedReplies == 0 ? 0.0 : static_cast<double>(replyMsSum) / static_cast<double>(timedReplies);
}

std::uint64_t TelegramStore::ByteArena::append(std::span<const std::uint8_t> bytes) {
    if (end_ % kChunk + bytes.size() > kChunk) end_ += kChunk - end_ % kChunk;
    if (chunks_.empty()) firstChunk_ = end_ / kChunk;
    while (end_ / kChunk >= firstChunk_ + chunks_.size())
        chunks_.push_back(std::make_unique<std::uint8_t[]>(kChunk));
    const std::uint64_t offset = end_;
    if (!bytes.empty()) std::memcpy(chunks_.back().get() + offset % kChunk, bytes.data(), bytes.size());
    end_ += bytes.size();
    used_ += bytes.size();
    return offset;
}

const std::uint8_t* TelegramStore::ByteArena::at(std::uint64_t offset) const {
    return chunks_[static_cast<std::size_t>(offset / kChunk - firstChunk_)].get() + offset % kChunk;
}

void TelegramStore::ByteArena::dropBefore(std::uint64_t offset, std::uint64_t droppedBytes) {
    used_ -= droppedBytes;
    while (chunks_.size() > 1 && firstChunk_ < offset / kChunk) {
        chunks_.pop_front();
        ++firstChunk_;
    }
}

void TelegramStore::ByteArena::clear() {
    chunks_.clear();
    used_ = 0;
    end_ += kChunk - end_ % kChunk; // a fresh chunk, offsets keep growing
}

std::size_t TelegramStore::ByteArena::memoryBytes() const { return chunks_.size() * kChunk; }

TelegramStore::TelegramStore(std::size_t limit)
    : limit_(std::max<std::size_t>(limit, 1)), steadyAnchor_(Clock::now()),
      wallAnchorMs_(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count()) {}

std::int64_t TelegramStore::wallMsOf(Clock::time_point when) const {
    return wallAnchorMs_ +
           std::chrono::duration_cast<std::chrono::milliseconds>(when - steadyAnchor_).count();
}

void TelegramStore::sent(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) {
    lastSent_ = when;
    appendRequest(bytes, ok, wallMsOf(when));
}

void TelegramStore::received(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) {
    appendReply(bytes, ok, wallMsOf(when),
                std::chrono::duration_cast<std::chrono::milliseconds>(when - lastSent_));
}

void TelegramStore::late(std::span<const std::uint8_t> bytes, Clock::time_point when) {
    appendLate(bytes, wallMsOf(when),
               std::chrono::duration_cast<std::chrono::milliseconds>(when - lastSent_));
}

void TelegramStore::appendLate(std::span<const std::uint8_t> bytes, std::int64_t wallMs,
                               std::chrono::milliseconds wait) {
    append(decoder_.late(bytes, wait), bytes, wallMs);
}

void TelegramStore::appendRequest(std::span<const std::uint8_t> bytes, bool lineOk,
                                  std::int64_t wallMs) {
    append(decoder_.request(bytes, lineOk), bytes, wallMs);
}

void TelegramStore::appendReply(std::span<const std::uint8_t> bytes, bool lineOk,
                                std::int64_t wallMs, std::chrono::milliseconds wait) {
    append(decoder_.reply(bytes, lineOk, wait), bytes, wallMs);
}

void TelegramStore::append(const TelegramRow& row, std::span<const std::uint8_t> bytes,
                           std::int64_t wallMs) {
    count(row);
    bytes = bytes.first(row.length); // a row never claims more than it holds
    StoredTelegram t{wallMs, arena_.append(bytes), row};
    if (count_ < limit_) {
        if (ring_.size() == ring_.capacity())
            ring_.reserve(std::min(limit_, std::max<std::size_t>(1024, ring_.capacity() * 2)));
        ring_.push_back(t);
        ++count_;
    } else {
        StoredTelegram& oldest = ring_[head_];
        const std::uint64_t droppedBytes = oldest.row.length;
        ring_[head_] = t;
        head_ = (head_ + 1) % limit_;
        ++first_;
        arena_.dropBefore(ring_[head_].offset, droppedBytes);
    }
    if (onAppend) onAppend();
}

void TelegramStore::count(const TelegramRow& row) {
    auto& station = counters_.stations[row.station];
    if (row.direction == TelegramDirection::Request) {
        ++counters_.requests;
        ++station.requests;
        if (row.failed()) {
            ++counters_.failures[static_cast<std::size_t>(row.result)];
            ++station.failed;
        }
        return;
    }
    if (row.late) {
        ++counters_.lateReplies;
        return;
    }
    if (row.failed()) {
        ++counters_.failures[static_cast<std::size_t>(row.result)];
        ++station.failed;
    } else {
        ++counters_.goodReplies;
        ++station.good;
    }
    if (row.length > 0) {
        ++counters_.timedReplies;
        counters_.replyMsSum += row.waitMs;
        counters_.longestReplyMs = std::max(counters_.longestReplyMs, row.waitMs);
    }
}

const StoredTelegram& TelegramStore::at(std::uint64_t seq) const {
    return ring_[(head_ + static_cast<std::size_t>(seq - first_)) % ring_.size()];
}

std::span<const std::uint8_t> TelegramStore::bytes(const StoredTelegram& t) const {
    return {arena_.at(t.offset), t.row.length};
}

void TelegramStore::clear() {
    first_ += count_;
    count_ = 0;
    head_ = 0;
    ring_.clear();
    ring_.shrink_to_fit();
    arena_.clear();
    counters_ = {};
    decoder_.reset();
}

std::size_t TelegramStore::memoryBytes() const {
    return ring_.capacity() * sizeof(StoredTelegram) + arena_.memoryBytes();
}

} // namespace vx52
