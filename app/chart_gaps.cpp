#include "app/chart_gaps.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

void ChartGaps::begin(double x) {
    if (!isOpen()) stretches_.push_back({x, std::numeric_limits<double>::infinity()});
}

void ChartGaps::end(double x) {
    if (isOpen()) stretches_.back().to = std::max(x, stretches_.back().from);
}

bool ChartGaps::isOpen() const { return !stretches_.empty() && std::isinf(stretches_.back().to); }

void ChartGaps::dropBefore(double x) {
    while (!stretches_.empty() && stretches_.front().to < x)
        stretches_.pop_front();
}

void drawGaps(QPainter& painter, const ChartGaps& gaps, const QRectF& front, double depth,
              double x0, double pixelsPerDay) {
    if (gaps.stretches().empty()) return;
    const QRectF wall = front.translated(depth, -depth);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(96, 96, 96, 72));
    for (const auto& s : gaps.stretches()) {
        const double left = std::max(wall.left(), wall.left() + (s.from - x0) * pixelsPerDay);
        const double right =
            std::isinf(s.to) ? wall.right()
                             : std::min(wall.right(), wall.left() + (s.to - x0) * pixelsPerDay);
        if (right < wall.left() || left > wall.right()) continue;
        // A single missed reading stays visible however dense the trend is.
        const double width = std::max(right - left, 2.0);
        painter.drawRect(QRectF(std::min(left, wall.right() - width), wall.top(), width,
                                wall.height()));
    }
    painter.restore();
}
