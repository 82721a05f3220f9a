#pragma once
// The monitor's store: the last telegrams of the link (a million by default), each decoded
// once as it arrives and kept as a 32-byte record plus its own bytes; older ones drop.
// It is the link's telegram observer; the monitor window shows it through a view.
// Telegrams are numbered from the start of the run (sequence numbers never repeat, also
// after clear), so a view can tell which of its rows have dropped out.

#include "link/telegram_decode.h"
#include "link/telegram_observer.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace vx52 {

struct StoredTelegram {
    std::int64_t wallMs = 0;   // wall clock, milliseconds since 1970 UTC
    std::uint64_t offset = 0;  // where its bytes lie in the store's byte arena
    TelegramRow row;
};

// What the counters above the list show; they count everything since the last clear,
// also telegrams that have dropped out of the store.
struct TelegramCounters {
    struct Station {
        std::uint64_t requests = 0;
        std::uint64_t good = 0;
        std::uint64_t failed = 0;
    };
    std::uint64_t requests = 0;
    std::uint64_t goodReplies = 0;
    std::uint64_t lateReplies = 0; // discarded after a failed exchange; neither good nor failed
    std::array<std::uint64_t, kTelegramResultCount> failures{}; // by result; [Ok] stays 0
    std::array<Station, 256> stations{};
    std::uint64_t timedReplies = 0; // replies with at least one byte
    std::uint64_t replyMsSum = 0;
    std::uint32_t longestReplyMs = 0;

    std::uint64_t failureCount() const;
    double meanReplyMs() const;
};

class TelegramStore : public TelegramObserver {
public:
    static constexpr std::size_t kDefaultLimit = 1'000'000;

    explicit TelegramStore(std::size_t limit = kDefaultLimit);

    // The observer's side: the link's steady time is turned into wall-clock time.
    void sent(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override;
    void received(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override;
    void late(std::span<const std::uint8_t> bytes, Clock::time_point when) override;

    // Appends a telegram decoded against the ones before it. wait: for a reply, the time
    // since its request.
    void appendRequest(std::span<const std::uint8_t> bytes, bool lineOk, std::int64_t wallMs);
    void appendReply(std::span<const std::uint8_t> bytes, bool lineOk, std::int64_t wallMs,
                     std::chrono::milliseconds wait);
    void appendLate(std::span<const std::uint8_t> bytes, std::int64_t wallMs,
                    std::chrono::milliseconds wait);

    // Called after every append (the window batches its updates).
    std::function<void()> onAppend;

    std::uint64_t firstSeq() const { return first_; }
    std::uint64_t endSeq() const { return first_ + count_; }
    std::size_t size() const { return count_; }
    std::size_t limit() const { return limit_; }
    bool contains(std::uint64_t seq) const { return seq >= first_ && seq < endSeq(); }
    const StoredTelegram& at(std::uint64_t seq) const;
    std::span<const std::uint8_t> bytes(const StoredTelegram& t) const;

    const TelegramCounters& counters() const { return counters_; }

    // Drops every telegram and zeroes the counters; sequence numbers go on.
    void clear();

    // Heap bytes the store holds, and the telegrams' own bytes among the kept ones.
    std::size_t memoryBytes() const;
    std::uint64_t telegramBytes() const { return arena_.usedBytes(); }

private:
    // Telegram bytes in fixed chunks; a telegram never straddles two, and a chunk is freed
    // once every telegram in it has dropped.
    class ByteArena {
    public:
        std::uint64_t append(std::span<const std::uint8_t> bytes);
        const std::uint8_t* at(std::uint64_t offset) const;
        void dropBefore(std::uint64_t offset, std::uint64_t droppedBytes);
        void clear();
        std::size_t memoryBytes() const;
        std::uint64_t usedBytes() const { return used_; }

    private:
        static constexpr std::size_t kChunk = 1 << 20;
        std::deque<std::unique_ptr<std::uint8_t[]>> chunks_;
        std::uint64_t firstChunk_ = 0; // number of chunks_.front()
        std::uint64_t end_ = 0;        // next free offset
        std::uint64_t used_ = 0;       // bytes of kept telegrams
    };

    void append(const TelegramRow& row, std::span<const std::uint8_t> bytes, std::int64_t wallMs);
    void count(const TelegramRow& row);
    std::int64_t wallMsOf(Clock::time_point when) const;

    std::size_t limit_;
    std::vector<StoredTelegram> ring_;
    std::size_t head_ = 0; // ring position of first_
    std::uint64_t first_ = 0;
    std::size_t count_ = 0;
    ByteArena arena_;
    TelegramDecoder decoder_;
    TelegramCounters counters_;
    Clock::time_point lastSent_{};
    Clock::time_point steadyAnchor_;
    std::int64_t wallAnchorMs_;
};

} // namespace vx52
