#include "app/chart_legend.h"

#include "ui/color_value.h"

#include <QPainter>

namespace {

constexpr double kStroke = 18; // the colour sample's length
constexpr double kPad = 4;
constexpr double kGap = 14;

} // namespace

QString seriesName(int series) {
    return QStringLiteral("OUT %1").arg(series + 1);
}

double legendHeight(const QFontMetrics& metrics) {
    return metrics.height() + 2 * kPad;
}

LegendBoxes legendLayout(const QFontMetrics& metrics, QPointF topLeft) {
    LegendBoxes boxes;
    double x = topLeft.x();
    for (int s = 0; s < kLegendEntries; ++s) {
        const double w = kPad + kStroke + kPad + metrics.horizontalAdvance(seriesName(s)) + kPad;
        boxes[std::size_t(s)] = QRectF(x, topLeft.y(), w, legendHeight(metrics));
        x += w + kGap;
    }
    return boxes;
}

int legendHit(const LegendBoxes& boxes, QPointF at) {
    for (int s = 0; s < kLegendEntries; ++s)
        if (boxes[std::size_t(s)].contains(at)) return s;
    return -1;
}

void paintLegend(QPainter& painter, const LegendBoxes& boxes,
                 const std::array<std::uint32_t, kLegendEntries>& pens,
                 const std::array<bool, kLegendEntries>& shown, const QColor& ink) {
    painter.save();
    const QFontMetrics fm = painter.fontMetrics();
    const QColor muted(128, 128, 128);
    for (int s = 0; s < kLegendEntries; ++s) {
        const QRectF& box = boxes[std::size_t(s)];
        const bool on = shown[std::size_t(s)];
        const QColor pen = vx52::colorFromValue(pens[std::size_t(s)]);
        const QRectF sample(box.left() + kPad, box.center().y() - 3, kStroke, 6);
        if (on) {
            painter.fillRect(sample, pen);
        } else {
            painter.setPen(QPen(muted, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(sample.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        painter.setPen(on ? ink : muted);
        const QPointF text(sample.right() + kPad, box.center().y() - fm.height() / 2.0 + fm.ascent());
        painter.drawText(text, seriesName(s));
    }
    painter.restore();
}
