#pragma once
// Reduces a series to one entry per pixel column: the first, last, lowest and highest value
// of the points falling into it, with the colours of its first and last point. Drawing the
// columns costs in proportion to the plot's width, whatever the number of points.

#include "app/chart_series.h"

#include <cstdint>
#include <vector>

struct ChartColumn {
    double px; // pixel X of the column's first point
    double first, last, lo, hi;
    std::uint32_t firstColor, lastColor;
    int count;
};

struct ColumnRange {
    double lo, hi; // Y extent over all columns; lo > hi when there are none
};

// Maps X to pixels as left + (x - x0) * pixelsPerDay. Points with a non-finite Y are skipped.
void reduceToColumns(const ChartSeries& series, double x0, double pixelsPerDay, double left,
                     std::vector<ChartColumn>& out, ColumnRange& range);
// The same over the points [from, to) only.
void reduceToColumns(const ChartSeries& series, int from, int to, double x0, double pixelsPerDay,
                     double left, std::vector<ChartColumn>& out, ColumnRange& range);

// A zoomed view draws the line on to the nearest point beyond each edge of the plot, which
// may lie any distance away. Such an end column is moved onto the edge (one pixel outside
// it), its value taken from the segment there, so nothing far off screen is rasterised.
void clipToPlot(std::vector<ChartColumn>& columns, double leftPx, double rightPx);
