#pragma once
// Which of the store's telegrams the list shows: all of them, or those that pass the
// filter (station, only failures, one operation), as an index of sequence numbers.
// The view follows the store in steps (sync), so the window can tell its list how many rows
// dropped at the top and how many came at the bottom; while paused it is simply not synced.

#include "app/monitor/telegram_store.h"

#include <cstdint>
#include <optional>

namespace vx52 {

struct TelegramFilter {
    std::optional<std::uint8_t> station;
    bool failuresOnly = false;
    std::optional<TelegramOperation> operation;

    bool active() const { return station || failuresOnly || operation; }
    bool matches(const TelegramRow& row) const {
        return (!station || row.station == *station) && (!failuresOnly || row.failed()) &&
               (!operation || row.operation == *operation);
    }
};

class TelegramView {
public:
    explicit TelegramView(const TelegramStore& store) : store_(store) { rebuild(); }

    struct Change {
        std::size_t removedAtTop = 0;
        std::size_t addedAtBottom = 0;
        bool reset = false; // the rows cannot be carried over: start afresh
    };

    const TelegramFilter& filter() const { return filter_; }
    // Applies a filter over every kept telegram.
    void setFilter(const TelegramFilter& filter);
    // Takes what the store gained and lost since the last sync.
    Change sync();
    // The same in steps, for a list that must be told before each change: whether the rows
    // cannot be carried over, how many drop at the top, how many new ones come.
    bool needsRebuild() const;
    std::size_t pendingDrop() const;
    void applyDrop();
    std::size_t collectNew();
    // Shows the first count collected rows (all of them by default).
    void applyNew(std::size_t count = SIZE_MAX);
    // Starts afresh from the store as it is now.
    void rebuild();

    std::size_t rowCount() const;
    // The sequence number of a row; the store may have dropped it since (see contains()).
    std::uint64_t seqAt(std::size_t row) const;
    // The row showing seq, or the first row after it.
    std::size_t rowOf(std::uint64_t seq) const;

    std::size_t memoryBytes() const { return index_.capacity() * sizeof(std::uint64_t); }

private:
    void dropIndexHead(std::size_t n);

    const TelegramStore& store_;
    TelegramFilter filter_;
    std::uint64_t first_ = 0; // unfiltered: rows are first_..end_-1
    std::uint64_t end_ = 0;   // the store's end at the last sync
    // Filtered: the matching sequence numbers from index_[indexHead_] on.
    std::vector<std::uint64_t> index_;
    std::size_t indexHead_ = 0;
    std::vector<std::uint64_t> pending_; // collected, not yet shown
    std::uint64_t pendingEnd_ = 0;
};

} // namespace vx52
