#include "app/chart_view.h"

#include <algorithm>
#include <utility>

namespace {

Span ordered(Span s) {
    if (s.lo > s.hi) std::swap(s.lo, s.hi);
    return s;
}

// Widens a span narrower than `least` around its middle.
Span atLeast(Span s, double least) {
    if (s.width() >= least) return s;
    const double mid = (s.lo + s.hi) / 2;
    return {mid - least / 2, mid + least / 2};
}

} // namespace

void ChartView::zoom(Span data, double anchor, double factor) {
    if (!(factor > 0)) return;
    const Span now = time(data);
    const double most = std::max(data.width() * 10, kMinZoomOutSpan);
    const double width = std::clamp(now.width() * factor, kMinSpan, std::max(most, now.width()));
    const double scale = now.width() > 0 ? width / now.width() : 1.0;
    // The anchor keeps its share of the span on either side.
    const double lo = anchor - (anchor - now.lo) * scale;
    time_ = Span{lo, lo + width};
}

void ChartView::pan(Span data, double days, double value) {
    Span next = time(data);
    next.lo += days;
    next.hi += days;
    // Not past the points: the view's far edge stops at the data's near edge.
    if (next.hi < data.lo) days = data.lo - next.hi;
    else if (next.lo > data.hi) days = data.hi - next.lo;
    else days = 0;
    next.lo += days;
    next.hi += days;
    time_ = next;
    if (values_) {
        values_->lo += value;
        values_->hi += value;
    }
}

void ChartView::zoomToBox(Span time, Span values) {
    time_ = atLeast(ordered(time), kMinSpan);
    values = ordered(values);
    values_ = values.width() > 0 ? std::optional<Span>(values) : std::nullopt;
}

void ChartView::goLive() {
    time_.reset();
    values_.reset();
}
