#pragma once
// The cursor's readout: for the moment under the mouse, the nearest point of every shown
// series, its time in the regional short date and long time, its value with the regional
// decimal separator, in the colour the point was drawn with. The values are the stored
// ones, so in 3D they are exact whatever the depth a ribbon is drawn at.

#include "app/chart_series.h"
#include "app/chart_view.h"

#include <QLocale>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class QPainter;

struct ReadoutRow {
    int series;
    double x, y;
    std::uint32_t color;
    QString value;
};

struct Readout {
    QString time; // of the point nearest in time over all rows
    std::vector<ReadoutRow> rows;
    bool empty() const { return rows.empty(); }
};

constexpr int kReadoutSeries = 4;

// Points considered lie within `window` (the time span shown).
Readout makeReadout(const std::array<const ChartSeries*, kReadoutSeries>& series,
                    const std::array<bool, kReadoutSeries>& shown, double x, Span window,
                    const QLocale& locale);

// The readout's box beside the cursor, kept inside `plot`.
void paintReadout(QPainter& painter, const Readout& readout, QPointF cursor, const QRectF& plot);
