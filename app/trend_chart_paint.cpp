#include "app/trend_chart.h"

#include "ui/color_value.h"

#include <QPainter>

void TrendChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), vx52::colorFromValue(panel_color_));
}
