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
