#pragma once
// The points of one chart series in one contiguous ring buffer: X values, Y values and
// colours stored side by side in a single allocation (20 bytes a point). Deleting the oldest
// point moves the head; nothing is copied until the buffer grows.

#include <cstddef>
#include <cstdint>
#include <memory>

class ChartSeries {
public:
    int size() const { return int(size_); }
    bool empty() const { return size_ == 0; }

    // Keeps X ascending: a point with an X below the last one is inserted in its place.
    void append(double x, double y, std::uint32_t color);
    void removeFirst();
    void clear();

    double x(int i) const { return xs_[slot(i)]; }
    double y(int i) const { return ys_[slot(i)]; }
    std::uint32_t color(int i) const { return colors_[slot(i)]; }

    // The stored run [i, size) may wrap: the two contiguous pieces of it, for tight loops.
    struct Span {
        const double* xs;
        const double* ys;
        const std::uint32_t* colors;
        std::size_t count;
    };
    Span firstPiece(int from) const;
    Span secondPiece(int from) const;

    std::size_t bytes() const { return capacity_ * kBytesPerSlot; }

private:
    static constexpr std::size_t kBytesPerSlot = 2 * sizeof(double) + sizeof(std::uint32_t);

    std::size_t slot(int i) const {
        std::size_t s = head_ + std::size_t(i);
        return s >= capacity_ ? s - capacity_ : s;
    }
    void grow();

    std::unique_ptr<std::byte[]> buffer_;
    double* xs_ = nullptr;
    double* ys_ = nullptr;
    std::uint32_t* colors_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
};
