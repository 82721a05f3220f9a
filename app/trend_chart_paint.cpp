// Drawing of the trend chart: panel, walls, grid, axis texts and the four series, flat or as
// ribbons one behind the other.

#include "app/chart_axes.h"
#include "app/chart_columns.h"
#include "app/chart_ribbon.h"
#include "app/chart_search.h"
#include "app/trend_chart.h"

#include "ui/color_value.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The plot's geometry: the front plane and the depth offset of the back wall.
struct Frame {
    QRectF front;
    double depth = 0; // pixels the back wall is set back, up and to the right
    double x0 = 0, x1 = 1;
    double pixelsPerDay = 1;
    ValueAxis values;

    double xPixel(double x) const { return front.left() + (x - x0) * pixelsPerDay; }
    double yPixel(double y) const {
        return front.bottom() - (y - values.lo) / (values.hi - values.lo) * front.height();
    }
    QPointF back(QPointF p, double z) const { return {p.x() + z, p.y() - z}; }
};

constexpr double kDepthScale = 0.5; // 100 % sets the back wall back by half the plot's size

// A flat line through the columns, one polyline per run of equal colour: the segment to a
// point takes the point's colour.
template <typename Sink>
void polylineRuns(const std::vector<ChartColumn>& columns, const Frame& f, Sink sink) {
    QPolygonF run;
    std::uint32_t runColor = 0;
    auto extend = [&](QPointF p, std::uint32_t color) {
        if (run.isEmpty()) {
            run << p;
            runColor = color;
            return;
        }
        if (color != runColor) {
            const QPointF joint = run.back();
            if (run.size() > 1) sink(run, runColor);
            run.clear();
            run << joint;
            runColor = color;
        }
        run << p;
    };
    for (const auto& c : columns) {
        extend({c.px, f.yPixel(c.first)}, c.firstColor);
        if (c.count > 1) {
            extend({c.px, f.yPixel(c.lo)}, c.lastColor);
            extend({c.px, f.yPixel(c.hi)}, c.lastColor);
            extend({c.px, f.yPixel(c.last)}, c.lastColor);
        }
    }
    if (run.size() > 1) sink(run, runColor);
}

// The ribbon of one series between depths z0 and z1: each run of one colour is swept back
// along the depth diagonal and filled one screen column at a time; its front and back edges
// are drawn darker so the ribbon's turns read as depth.
void drawRibbon(QPainter& p, const std::vector<ChartColumn>& columns, const Frame& f, double z0,
                double z1, PixelLine& line, std::vector<PixelSpan>& swept,
                std::vector<QLine>& lines) {
    rasterizeLine(
        columns, [&f](double y) { return f.yPixel(y); }, line);
    const int d0 = int(std::lround(z0));
    const int d1 = std::max(d0, int(std::lround(z1)));
    const int n = int(line.spans.size());
    auto column = [](int x, double lo, double hi) {
        return QLine(x, int(std::floor(lo)), x, int(std::ceil(hi)));
    };
    for (int a = 0; a < n;) {
        if (!line.spans[std::size_t(a)].used) {
            ++a;
            continue;
        }
        const std::uint32_t color = line.spans[std::size_t(a)].color;
        int b = a;
        while (b + 1 < n && line.spans[std::size_t(b + 1)].used &&
               line.spans[std::size_t(b + 1)].color == color)
            ++b;
        sweepBack(line, a, b, d0, d1, swept);
        lines.clear();
        const int x0 = line.first + a + d0;
        for (std::size_t i = 0; i < swept.size(); ++i)
            if (swept[i].used) lines.push_back(column(x0 + int(i), swept[i].lo, swept[i].hi));
        const QColor c = vx52::colorFromValue(color);
        p.setPen(QPen(c, 0));
        p.drawLines(lines.data(), int(lines.size()));

        // A ribbon only a few pixels deep is a thick line: edges would hide its colour.
        if (d1 - d0 < 4) {
            a = b + 1;
            continue;
        }
        lines.clear();
        for (int k = a; k <= b; ++k) {
            const PixelSpan& s = line.spans[std::size_t(k)];
            const int x = line.first + k;
            lines.push_back(column(x + d0, s.lo - d0, s.hi - d0));
            lines.push_back(column(x + d1, s.lo - d1, s.hi - d1));
        }
        p.setPen(QPen(c.darker(150), 0));
        p.drawLines(lines.data(), int(lines.size()));
        a = b + 1;
    }
}

// Sparse lines are drawn two pixels wide to read well; dense ones one pixel wide, where a
// wide pen's joins would cost more than the whole rest of the repaint.
void drawFlat(QPainter& p, const std::vector<ChartColumn>& columns, const Frame& f) {
    const int width = double(columns.size()) * 3 < f.front.width() ? 2 : 0;
    polylineRuns(columns, f, [&](const QPolygonF& run, std::uint32_t runColor) {
        p.setPen(
            QPen(vx52::colorFromValue(runColor), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPolyline(run);
    });
}

void drawWalls(QPainter& p, const Frame& f, const QColor& wall) {
    const QRectF& r = f.front;
    const double d = f.depth;
    const QPolygonF back = QPolygonF(r).translated(d, -d);
    const QPen edge(wall.darker(160), 0);
    p.setPen(edge);
    if (d > 0) {
        const QPolygonF left{r.topLeft(), f.back(r.topLeft(), d), f.back(r.bottomLeft(), d),
                             r.bottomLeft()};
        const QPolygonF floor{r.bottomLeft(), f.back(r.bottomLeft(), d), f.back(r.bottomRight(), d),
                              r.bottomRight()};
        p.setBrush(wall.darker(112));
        p.drawPolygon(left);
        p.setBrush(wall.darker(125));
        p.drawPolygon(floor);
    }
    p.setBrush(wall);
    p.drawPolygon(back);
    p.setBrush(Qt::NoBrush);
}

void drawGrid(QPainter& p, const Frame& f, const std::vector<AxisTick>& timeTicks,
              const QColor& wall) {
    const QRectF& r = f.front;
    const double d = f.depth;
    p.setPen(QPen(wall.darker(135), 0, Qt::DotLine));
    for (const auto& t : f.values.ticks) {
        const double y = f.yPixel(t.value);
        if (d > 0) p.drawLine(QPointF(r.left(), y), f.back({r.left(), y}, d));
        p.drawLine(f.back({r.left(), y}, d), f.back({r.right(), y}, d));
    }
    for (const auto& t : timeTicks) {
        const double x = f.xPixel(t.value);
        if (d > 0) p.drawLine(QPointF(x, r.bottom()), f.back({x, r.bottom()}, d));
        p.drawLine(f.back({x, r.bottom()}, d), f.back({x, r.top()}, d));
    }
}

void drawAxisTexts(QPainter& p, const Frame& f, const std::vector<AxisTick>& timeTicks,
                   const QColor& ink, int widgetWidth) {
    const QFontMetrics fm = p.fontMetrics();
    const QRectF& r = f.front;
    p.setPen(QPen(ink, 0));
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    for (const auto& t : f.values.ticks) {
        const double y = f.yPixel(t.value);
        p.drawLine(QPointF(r.left() - 4, y), QPointF(r.left(), y));
        const QRectF box(0, y - fm.height() / 2.0, r.left() - 7, fm.height());
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, t.text);
    }
    double lastRight = -1e9;
    for (const auto& t : timeTicks) {
        const double x = f.xPixel(t.value);
        p.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 4));
        const int w = fm.horizontalAdvance(t.text);
        const double left = x - w / 2.0;
        if (left < lastRight + 6 || left < 0 || left + w > widgetWidth) continue;
        p.drawText(QPointF(left, r.bottom() + 6 + fm.ascent()), t.text);
        lastRight = left + w;
    }
}

} // namespace

namespace {

// The points of a series within the shown time span and the nearest one beyond each edge,
// as columns clipped to the plot; the value range counts only the points inside.
void reduceWindow(const ChartSeries& series, const Frame& f, std::vector<ChartColumn>& out,
                  ColumnRange& range) {
    const int first = firstAtOrAfter(series, f.x0);
    const int end = firstAfter(series, f.x1);
    ColumnRange all{std::numeric_limits<double>::infinity(),
                    -std::numeric_limits<double>::infinity()};
    reduceToColumns(series, std::max(0, first - 1), std::min(series.size(), end + 1), f.x0,
                    f.pixelsPerDay, f.front.left(), out, all);
    clipToPlot(out, f.front.left(), f.front.right());
    for (const auto& c : out) {
        if (c.px < f.front.left() - 0.5 || c.px > f.front.right() + 0.5) continue;
        range.lo = std::min(range.lo, c.lo);
        range.hi = std::max(range.hi, c.hi);
    }
}

} // namespace

void TrendChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor panel = vx52::colorFromValue(panel_color_);
    const QColor wall = vx52::colorFromValue(wall_color_);
    const QColor ink = palette().color(QPalette::WindowText);
    p.fillRect(rect(), panel);

    const QFontMetrics fm = p.fontMetrics();
    const double left = fm.horizontalAdvance(QStringLiteral("-00000,0")) + 12;
    const double right = width() - fm.horizontalAdvance(QStringLiteral("00:00:00")) / 2.0 - 6;
    place_.legend = legendLayout(fm, QPointF(left, 2));
    paintLegend(p, place_.legend, pens_, shown_, ink);
    const double top = 2 + legendHeight(fm) + 4;
    const double bottom = height() - fm.height() - 12;
    place_.valid = false;
    if (right - left < 20 || bottom - top < 20) return;

    Frame f;
    const QRectF area(QPointF(left, top), QPointF(right, bottom));
    f.depth =
        view_3d_
            ? std::round(std::min(area.width(), area.height()) * depth_3d_ / 100.0 * kDepthScale)
            : 0.0;
    f.front =
        QRectF(area.left(), area.top() + f.depth, area.width() - f.depth, area.height() - f.depth);

    const bool haveData = anyPoints();
    const Span shown = shownTime();
    f.x0 = shown.lo;
    f.x1 = shown.hi;
    f.pixelsPerDay = f.front.width() / (f.x1 - f.x0);

    ColumnRange range{std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity()};
    for (int s = 0; s < kSeriesCount; ++s) {
        if (!shown_[std::size_t(s)]) columns_[s].clear();
        else if (view_.live())
            reduceToColumns(series_[s], f.x0, f.pixelsPerDay, f.front.left(), columns_[s], range);
        else
            reduceWindow(series_[s], f, columns_[s], range);
    }
    if (range.lo > range.hi) range = {0, 100};
    f.values = view_.values() ? valuesWithin(view_.values()->lo, view_.values()->hi,
                                             int(f.front.height()), fm.height() * 2, locale())
                              : scaleValues(range.lo, range.hi, int(f.front.height()),
                                            fm.height() * 2, locale());
    const auto times =
        haveData ? timeTicks(f.x0, f.x1, int(f.front.width()), fm) : std::vector<AxisTick>{};
    place_ = {area, f.front, f.depth, shown, {f.values.lo, f.values.hi}, place_.legend, true};

    drawWalls(p, f, wall);
    drawGaps(p, gaps_, f.front, f.depth, f.x0, f.pixelsPerDay);
    drawGrid(p, f, times, wall);
    p.save();
    p.setClipRect(area.adjusted(-1, -1, 1, 1));
    PixelLine line;
    std::vector<PixelSpan> swept;
    std::vector<QLine> lines;
    // Series 1 stands in front: draw from the back.
    for (int s = kSeriesCount - 1; s >= 0; --s) {
        if (f.depth > 0) {
            const double slot = f.depth / kSeriesCount;
            drawRibbon(p, columns_[s], f, slot * (s + 0.15), slot * (s + 0.85), line, swept, lines);
        } else {
            drawFlat(p, columns_[s], f);
        }
    }
    p.restore();
    drawAxisTexts(p, f, times, ink, width());
    if (!picture_) paintCursor(p);
}
