#pragma once
// Axis scaling of the trend chart: "nice" value steps for Y, calendar steps for the
// date-time X axis, and the tick texts (regional decimal separator for values).

#include <QFontMetrics>
#include <QLocale>
#include <QString>

#include <vector>

struct AxisTick {
    double value; // Y value, or X as days since 30 December 1899
    QString text;
};

struct ValueAxis {
    double lo = 0, hi = 1;
    std::vector<AxisTick> ticks;
};

// Expands [lo, hi] to whole steps of 1, 2 or 5 × 10^k with a tick every minSpacing pixels
// or more over the given length.
ValueAxis scaleValues(double lo, double hi, int pixels, int minSpacing, const QLocale& locale);
// Keeps [lo, hi] as it is (a span the operator chose) with ticks on whole steps inside it.
ValueAxis valuesWithin(double lo, double hi, int pixels, int minSpacing, const QLocale& locale);

// Ticks on whole calendar steps (1 s .. 1 year) within [lo, hi], spaced so that texts of the
// chosen format do not overlap over the given length.
std::vector<AxisTick> timeTicks(double lo, double hi, int pixels, const QFontMetrics& metrics);
