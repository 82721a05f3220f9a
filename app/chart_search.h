#pragma once
// Finding points of a series by time. X ascends along a series, so each search halves the
// index range: a handful of steps even at 100 001 points.

#include "app/chart_series.h"
#include "app/chart_view.h"

// The first index whose X is not below x (size() when none).
int firstAtOrAfter(const ChartSeries& series, double x);
// The first index whose X is above x (size() when none).
int firstAfter(const ChartSeries& series, double x);

// The index of the point nearest to x in time among those within `window` (ends included)
// whose value is a finite number; -1 when there is none. Of two points equally near, the
// earlier.
int nearestIndex(const ChartSeries& series, double x, Span window);
