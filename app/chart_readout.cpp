#include "app/chart_readout.h"

#include "app/chart_legend.h"
#include "app/chart_search.h"
#include "app/trend_chart.h"
#include "ui/color_value.h"
#include "ui/regional.h"
#include "ui/value_text.h"

#include <QPainter>

#include <cmath>
#include <limits>

Readout makeReadout(const std::array<const ChartSeries*, kReadoutSeries>& series,
                    const std::array<bool, kReadoutSeries>& shown, double x, Span window,
                    const QLocale& locale) {
    Readout out;
    double nearest = std::numeric_limits<double>::infinity(), when = 0;
    for (int s = 0; s < kReadoutSeries; ++s) {
        if (!shown[std::size_t(s)] || !series[std::size_t(s)]) continue;
        const ChartSeries& points = *series[std::size_t(s)];
        const int i = nearestIndex(points, x, window);
        if (i < 0) continue;
        const double px = points.x(i), y = points.y(i);
        out.rows.push_back({s, px, y, points.color(i), vx52::valueText(y, locale)});
        if (std::abs(px - x) < nearest) {
            nearest = std::abs(px - x);
            when = px;
        }
    }
    if (!out.empty()) {
        const QDateTime moment = TrendChart::fromChartTime(when);
        out.time = vx52::shortDateText(moment.date(), locale) + QLatin1Char(' ') +
                   vx52::longTimeText(moment.time(), locale);
    }
    return out;
}

namespace {

// Pale pens (yellow) would vanish on the light box: their text is drawn darker.
QColor legible(const QColor& c) {
    const double luminance = 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue();
    return luminance > 160 ? c.darker(180) : c;
}

} // namespace

void paintReadout(QPainter& painter, const Readout& readout, QPointF cursor, const QRectF& plot) {
    if (readout.empty()) return;
    painter.save();
    const QFontMetrics fm = painter.fontMetrics();
    const double pad = 5, swatch = 10, line = fm.height() + 1;
    double nameWidth = 0, valueWidth = 0;
    for (const auto& row : readout.rows) {
        nameWidth = std::max(nameWidth, double(fm.horizontalAdvance(seriesName(row.series))));
        valueWidth = std::max(valueWidth, double(fm.horizontalAdvance(row.value)));
    }
    const double width = std::max(double(fm.horizontalAdvance(readout.time)),
                                  swatch + pad + nameWidth + 2 * pad + valueWidth) +
                         2 * pad;
    const double height = line * double(readout.rows.size() + 1) + 2 * pad;
    // Right of the cursor, or left of it where the plot ends.
    double left = cursor.x() + 12;
    if (left + width > plot.right()) left = cursor.x() - 12 - width;
    left = std::max(left, plot.left());
    const double top = std::clamp(cursor.y() - height / 2, plot.top() + 2,
                                  std::max(plot.top() + 2, plot.bottom() - height - 2));
    const QRectF box(left, top, width, height);
    painter.setPen(QPen(QColor(110, 110, 110), 0));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);

    double baseline = top + pad + fm.ascent();
    painter.setPen(Qt::black);
    painter.drawText(QPointF(left + pad, baseline), readout.time);
    for (const auto& row : readout.rows) {
        baseline += line;
        const QColor colour = vx52::colorFromValue(row.color);
        const QRectF sample(left + pad, baseline - fm.ascent() + (fm.ascent() - swatch) / 2,
                            swatch, swatch);
        painter.fillRect(sample, colour);
        painter.setPen(legible(colour));
        painter.drawText(QPointF(sample.right() + pad, baseline), seriesName(row.series));
        const double valueLeft = box.right() - pad - fm.horizontalAdvance(row.value);
        painter.drawText(QPointF(valueLeft, baseline), row.value);
    }
    painter.restore();
}
