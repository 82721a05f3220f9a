#include "app/chart_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Lowest and highest finite value of a contiguous run; the first loop is written so that
// the compiler vectorises it.
void extent(const double* ys, std::size_t n, double& lo, double& hi) {
    double l = lo, h = hi;
    for (std::size_t i = 0; i < n; ++i) {
        l = ys[i] < l ? ys[i] : l;
        h = ys[i] > h ? ys[i] : h;
    }
    if (std::isfinite(l) && std::isfinite(h)) {
        lo = l;
        hi = h;
        return;
    }
    // An infinite value is not drawn: the slow way round, for that rare run only.
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(ys[i])) continue;
        lo = std::min(lo, ys[i]);
        hi = std::max(hi, ys[i]);
    }
}

// First index from `from` whose X is not below x: galloping from `from` keeps the search
// within the few cache lines of one column instead of the whole series.
std::size_t gallop(const double* xs, std::size_t from, std::size_t count, double x) {
    std::size_t lo = from, step = 1, hi = from + 1;
    while (hi < count && xs[hi] < x) {
        lo = hi;
        step *= 2;
        hi = from + step;
    }
    hi = std::min(hi, count);
    return std::size_t(std::lower_bound(xs + lo, xs + hi, x) - xs);
}

} // namespace

void reduceToColumns(const ChartSeries& series, double x0, double pixelsPerDay, double left,
                     std::vector<ChartColumn>& out, ColumnRange& range) {
    reduceToColumns(series, 0, series.size(), x0, pixelsPerDay, left, out, range);
}

void reduceToColumns(const ChartSeries& series, int from, int to, double x0, double pixelsPerDay,
                     double left, std::vector<ChartColumn>& out, ColumnRange& range) {
    out.clear();
    if (!(pixelsPerDay > 0) || from < 0 || from >= to) return;
    long long column = std::numeric_limits<long long>::min();
    std::size_t budget = std::size_t(to - from);
    for (auto piece : {series.firstPiece(from), series.secondPiece(from)}) {
        piece.count = std::min(piece.count, budget);
        budget -= piece.count;
        std::size_t i = 0;
        while (i < piece.count) {
            const double px = left + (piece.xs[i] - x0) * pixelsPerDay;
            const auto c = static_cast<long long>(std::floor(px));
            // X ascends: the column's points end where the next column begins.
            const double nextX = x0 + (double(c + 1) - left) / pixelsPerDay;
            std::size_t j = gallop(piece.xs, i, piece.count, nextX);
            j = std::max(j, i + 1);
            double lo = std::numeric_limits<double>::infinity(), hi = -lo;
            extent(piece.ys + i, j - i, lo, hi);
            if (!(lo <= hi)) { // no finite value in the run
                i = j;
                continue;
            }
            const double first = std::isfinite(piece.ys[i]) ? piece.ys[i] : lo;
            const double last = std::isfinite(piece.ys[j - 1]) ? piece.ys[j - 1] : hi;
            const int count = int(j - i);
            if (c == column && !out.empty()) { // a column split by the ring buffer's wrap
                ChartColumn& cur = out.back();
                cur.last = last;
                cur.lastColor = piece.colors[j - 1];
                cur.lo = std::min(cur.lo, lo);
                cur.hi = std::max(cur.hi, hi);
                cur.count += count;
            } else {
                out.push_back(
                    {px, first, last, lo, hi, piece.colors[i], piece.colors[j - 1], count});
                column = c;
            }
            range.lo = std::min(range.lo, lo);
            range.hi = std::max(range.hi, hi);
            i = j;
        }
    }
}

namespace {

// The value where the segment from a to b crosses pixel x.
double valueAt(const ChartColumn& a, const ChartColumn& b, double x) {
    if (!(b.px > a.px)) return b.first;
    return a.last + (b.first - a.last) * (x - a.px) / (b.px - a.px);
}

} // namespace

void clipToPlot(std::vector<ChartColumn>& columns, double leftPx, double rightPx) {
    if (columns.empty()) return;
    const double before = leftPx - 1, after = rightPx + 1;
    if (columns.size() == 1) {
        if (columns[0].px < before || columns[0].px > after) columns.clear();
        return;
    }
    ChartColumn& first = columns.front();
    if (first.px < before) {
        const double y = valueAt(first, columns[1], before);
        first = {before, y, y, y, y, first.lastColor, first.lastColor, 1};
    }
    ChartColumn& last = columns.back();
    const ChartColumn& previous = columns[columns.size() - 2];
    if (last.px > after) {
        const double y = valueAt(previous, last, after);
        // The segment to a point takes that point's colour: so does its clipped end.
        last = {after, y, y, y, y, last.firstColor, last.firstColor, 1};
    }
    // Both ends beyond the same edge: nothing of the line is in view.
    if (columns.front().px > after || columns.back().px < before) columns.clear();
}
