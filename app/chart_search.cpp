#include "app/chart_search.h"

#include <algorithm>
#include <cmath>

namespace {

// The first index in [0, size) for which `above` holds; `above` turns true once and stays.
template <typename Pred> int partitionPoint(const ChartSeries& series, Pred above) {
    int lo = 0, hi = series.size();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (above(series.x(mid))) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

} // namespace

int firstAtOrAfter(const ChartSeries& series, double x) {
    return partitionPoint(series, [x](double px) { return px >= x; });
}

int firstAfter(const ChartSeries& series, double x) {
    return partitionPoint(series, [x](double px) { return px > x; });
}

int nearestIndex(const ChartSeries& series, double x, Span window) {
    const int first = firstAtOrAfter(series, window.lo);
    const int end = firstAfter(series, window.hi);
    if (first >= end) return -1;
    // The candidates either side of x; a value that is no number is passed over outward.
    int right = std::clamp(firstAtOrAfter(series, x), first, end);
    int left = right - 1;
    while (right < end && !std::isfinite(series.y(right)))
        ++right;
    while (left >= first && !std::isfinite(series.y(left)))
        --left;
    const bool haveLeft = left >= first, haveRight = right < end;
    if (!haveLeft) return haveRight ? right : -1;
    if (!haveRight) return left;
    return x - series.x(left) <= series.x(right) - x ? left : right;
}
