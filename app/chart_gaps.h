#pragma once
// Stretches of the trend's time without a good reading, shaded on the chart's back wall so
// an outage reads at a glance. The points themselves are not touched: a failed read still
// adds its point with the values shown.

#include <QRectF>

#include <deque>

class QPainter;

class ChartGaps {
public:
    struct Stretch {
        double from;
        double to; // +infinity while the stretch is still open
    };

    // A read without a good reading at x opens a stretch (when none is open); a good one
    // closes it.
    void begin(double x);
    void end(double x);
    bool isOpen() const;
    void clear() { stretches_.clear(); }
    // Forgets the stretches that ended before x (the oldest point still shown).
    void dropBefore(double x);
    const std::deque<Stretch>& stretches() const { return stretches_; }

private:
    std::deque<Stretch> stretches_;
};

// Shades the stretches on the back wall of a plot whose front plane is front, set back by
// depth pixels, showing X from x0 at pixelsPerDay; an open stretch reaches the right edge.
void drawGaps(QPainter& painter, const ChartGaps& gaps, const QRectF& front, double depth,
              double x0, double pixelsPerDay);
