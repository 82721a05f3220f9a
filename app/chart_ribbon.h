#pragma once
// A series as a ribbon in depth. The line is first cut into pixel columns, each holding the
// rows the line passes through there; sweeping those columns back along the depth
// diagonal gives, for every screen column, one run of rows to fill. Each screen column is
// one vertical line to draw, so a ribbon costs in proportion to the width.

#include "app/chart_columns.h"

#include <cstdint>
#include <functional>
#include <vector>

struct PixelSpan {
    double lo = 0, hi = 0;   // rows, lo <= hi (top and bottom on screen)
    std::uint32_t color = 0; // the colour of the segment passing through the column
    bool used = false;
};

// The line through the columns, rasterised into pixel columns first..first+out.size()-1.
// The segment from one column to the next takes the next column's first colour.
struct PixelLine {
    int first = 0;
    std::vector<PixelSpan> spans;
};
void rasterizeLine(const std::vector<ChartColumn>& columns,
                   const std::function<double(double)>& yPixel, PixelLine& out);

// The columns of `line` moved back by every depth from d0 to d1 pixels (right and up by d),
// restricted to the columns [from, to] of one colour: for each screen column the rows
// covered. Screen column of result[i] is line.first + from + d0 + i.
void sweepBack(const PixelLine& line, int from, int to, int d0, int d1,
               std::vector<PixelSpan>& out);
