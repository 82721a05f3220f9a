#pragma once
// The chart's legend: one entry per pen, "OUT 1" … "OUT 4" beside a stroke in the pen's
// colour, in a row above the plot. Clicking an entry hides or shows its series; a hidden
// series' entry is drawn hollow and grey.

#include <QFontMetrics>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>
#include <cstdint>

class QPainter;

constexpr int kLegendEntries = 4;
using LegendBoxes = std::array<QRectF, kLegendEntries>;

QString seriesName(int series); // "OUT 1" … "OUT 4"

// The entries' boxes in a row starting at topLeft.
LegendBoxes legendLayout(const QFontMetrics& metrics, QPointF topLeft);
double legendHeight(const QFontMetrics& metrics);

// The entry under the point, or -1.
int legendHit(const LegendBoxes& boxes, QPointF at);

void paintLegend(QPainter& painter, const LegendBoxes& boxes,
                 const std::array<std::uint32_t, kLegendEntries>& pens,
                 const std::array<bool, kLegendEntries>& shown, const QColor& ink);
