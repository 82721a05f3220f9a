#include "app/monitor/telegram_view.h"

#include <algorithm>

namespace vx52 {

void TelegramView::setFilter(const TelegramFilter& filter) {
    filter_ = filter;
    rebuild();
}

void TelegramView::rebuild() {
    first_ = store_.firstSeq();
    end_ = store_.endSeq();
    index_.clear();
    indexHead_ = 0;
    pending_.clear();
    pendingEnd_ = end_;
    if (!filter_.active()) {
        index_.shrink_to_fit();
        return;
    }
    for (std::uint64_t seq = first_; seq < end_; ++seq)
        if (filter_.matches(store_.at(seq).row)) index_.push_back(seq);
}

void TelegramView::dropIndexHead(std::size_t n) {
    indexHead_ += n;
    // Compact now and then, so the index does not grow without end.
    if (indexHead_ > 4096 && indexHead_ * 2 > index_.size()) {
        index_.erase(index_.begin(), index_.begin() + static_cast<std::ptrdiff_t>(indexHead_));
        indexHead_ = 0;
    }
}

bool TelegramView::needsRebuild() const {
    return store_.firstSeq() > end_ || store_.endSeq() < end_;
}

std::size_t TelegramView::pendingDrop() const {
    const std::uint64_t storeFirst = store_.firstSeq();
    if (!filter_.active())
        return static_cast<std::size_t>(std::max(storeFirst, first_) - first_);
    const auto live = index_.begin() + static_cast<std::ptrdiff_t>(indexHead_);
    return static_cast<std::size_t>(std::lower_bound(live, index_.end(), storeFirst) - live);
}

void TelegramView::applyDrop() {
    if (filter_.active()) dropIndexHead(pendingDrop());
    first_ = std::max(store_.firstSeq(), first_);
}

std::size_t TelegramView::collectNew() {
    pendingEnd_ = store_.endSeq();
    if (!filter_.active()) return static_cast<std::size_t>(pendingEnd_ - end_);
    pending_.clear();
    for (std::uint64_t seq = end_; seq < pendingEnd_; ++seq)
        if (filter_.matches(store_.at(seq).row)) pending_.push_back(seq);
    return pending_.size();
}

void TelegramView::applyNew(std::size_t count) {
    if (!filter_.active()) {
        end_ = std::min(pendingEnd_, end_ + std::min<std::uint64_t>(count, pendingEnd_ - end_));
        return;
    }
    count = std::min(count, pending_.size());
    index_.insert(index_.end(), pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    end_ = pending_.empty() ? pendingEnd_ : pending_.front();
}

TelegramView::Change TelegramView::sync() {
    Change change;
    if (needsRebuild()) { // everything shown has gone (or a clear)
        const bool hadRows = rowCount() > 0;
        rebuild();
        change.reset = hadRows || rowCount() > 0;
        return change;
    }
    change.removedAtTop = pendingDrop();
    applyDrop();
    change.addedAtBottom = collectNew();
    applyNew();
    return change;
}

std::size_t TelegramView::rowCount() const {
    return filter_.active() ? index_.size() - indexHead_ : static_cast<std::size_t>(end_ - first_);
}

std::uint64_t TelegramView::seqAt(std::size_t row) const {
    return filter_.active() ? index_[indexHead_ + row] : first_ + row;
}

std::size_t TelegramView::rowOf(std::uint64_t seq) const {
    if (!filter_.active()) return seq <= first_ ? 0 : static_cast<std::size_t>(std::min(seq, end_) - first_);
    const auto live = index_.begin() + static_cast<std::ptrdiff_t>(indexHead_);
    return static_cast<std::size_t>(std::lower_bound(live, index_.end(), seq) - live);
}

} // namespace vx52
