#include "app/chart_ribbon.h"

#include <algorithm>
#include <cmath>

namespace {

void cover(PixelSpan& s, double y0, double y1, std::uint32_t color) {
    const double lo = std::min(y0, y1), hi = std::max(y0, y1);
    if (!s.used) {
        s = {lo, hi, color, true};
        return;
    }
    s.lo = std::min(s.lo, lo);
    s.hi = std::max(s.hi, hi);
    s.color = color;
}

} // namespace

void rasterizeLine(const std::vector<ChartColumn>& columns,
                   const std::function<double(double)>& yPixel, PixelLine& out) {
    out.spans.clear();
    if (columns.empty()) return;
    out.first = int(std::floor(columns.front().px));
    const int last = int(std::floor(columns.back().px));
    out.spans.assign(std::size_t(last - out.first + 1), PixelSpan{});
    auto at = [&](int column) -> PixelSpan& { return out.spans[std::size_t(column - out.first)]; };

    double prevX = 0, prevY = 0;
    bool havePrevious = false;
    for (const auto& c : columns) {
        const double y = yPixel(c.first);
        if (havePrevious) {
            // The segment from the previous point, cut at every column boundary.
            const int a = int(std::floor(prevX)), b = int(std::floor(c.px));
            const double slope = c.px > prevX ? (y - prevY) / (c.px - prevX) : 0.0;
            for (int k = a; k <= b; ++k) {
                const double x0 = std::max(prevX, double(k));
                const double x1 = std::min(c.px, double(k + 1));
                cover(at(k), prevY + (x0 - prevX) * slope, prevY + (x1 - prevX) * slope,
                      c.firstColor);
            }
        } else {
            cover(at(int(std::floor(c.px))), y, y, c.firstColor);
        }
        const int k = int(std::floor(c.px));
        if (c.count > 1) cover(at(k), yPixel(c.lo), yPixel(c.hi), c.lastColor);
        prevX = c.px;
        prevY = yPixel(c.last);
        havePrevious = true;
    }
}

void sweepBack(const PixelLine& line, int from, int to, int d0, int d1,
               std::vector<PixelSpan>& out) {
    out.clear();
    if (from > to || d0 > d1) return;
    out.resize(std::size_t(to - from + d1 - d0 + 1));
    for (int k = from; k <= to; ++k) {
        const PixelSpan& s = line.spans[std::size_t(k)];
        if (!s.used) continue;
        for (int d = d0; d <= d1; ++d) {
            PixelSpan& o = out[std::size_t(k - from + d - d0)];
            const double lo = s.lo - d, hi = s.hi - d;
            if (!o.used) {
                o = {lo, hi, s.color, true};
            } else {
                o.lo = std::min(o.lo, lo);
                o.hi = std::max(o.hi, hi);
            }
        }
    }
}
