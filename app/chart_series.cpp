#include "app/chart_series.h"

#include <algorithm>

void ChartSeries::append(double x, double y, std::uint32_t color) {
    if (size_ == capacity_) grow();
    // X stays ascending: a point older than the last one (the clock was set back, or summer
    // time ended) moves in behind the newer ones. Rare, so the shift may cost.
    int at = int(size_);
    while (at > 0 && this->x(at - 1) > x) {
        const std::size_t to = slot(at), from = slot(at - 1);
        xs_[to] = xs_[from];
        ys_[to] = ys_[from];
        colors_[to] = colors_[from];
        --at;
    }
    const std::size_t s = slot(at);
    xs_[s] = x;
    ys_[s] = y;
    colors_[s] = color;
    ++size_;
}

void ChartSeries::removeFirst() {
    if (size_ == 0) return;
    head_ = head_ + 1 == capacity_ ? 0 : head_ + 1;
    --size_;
}

void ChartSeries::clear() {
    buffer_.reset();
    xs_ = ys_ = nullptr;
    colors_ = nullptr;
    capacity_ = head_ = size_ = 0;
}

// Grows by an eighth (at least 64 slots): a long trend window wastes little memory, and a
// series that slides at a steady length never grows again.
void ChartSeries::grow() {
    const std::size_t capacity = std::max<std::size_t>(capacity_ + capacity_ / 8, capacity_ + 64);
    auto buffer = std::make_unique<std::byte[]>(capacity * kBytesPerSlot);
    auto* xs = reinterpret_cast<double*>(buffer.get());
    auto* ys = xs + capacity;
    auto* colors = reinterpret_cast<std::uint32_t*>(ys + capacity);
    for (std::size_t i = 0; i < size_; ++i) {
        const std::size_t s = slot(int(i));
        xs[i] = xs_[s];
        ys[i] = ys_[s];
        colors[i] = colors_[s];
    }
    buffer_ = std::move(buffer);
    xs_ = xs;
    ys_ = ys;
    colors_ = colors;
    capacity_ = capacity;
    head_ = 0;
}

ChartSeries::Span ChartSeries::firstPiece(int from) const {
    if (from >= int(size_)) return {nullptr, nullptr, nullptr, 0};
    const std::size_t s = slot(from);
    const std::size_t remaining = size_ - std::size_t(from);
    const std::size_t n = std::min(remaining, capacity_ - s);
    return {xs_ + s, ys_ + s, colors_ + s, n};
}

ChartSeries::Span ChartSeries::secondPiece(int from) const {
    if (from >= int(size_)) return {nullptr, nullptr, nullptr, 0};
    const std::size_t first = firstPiece(from).count;
    const std::size_t remaining = size_ - std::size_t(from);
    if (first == remaining) return {nullptr, nullptr, nullptr, 0};
    return {xs_, ys_, colors_, remaining - first};
}
