#include "app/overview/station_delegate.h"

#include "app/overview/station_model.h"
#include "ui/color_value.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFrame>

#include <algorithm>
#include <limits>

namespace vx52 {

namespace {

constexpr int kMargin = 3;
constexpr int kRelaySize = 14;

} // namespace

StationDelegate::StationDelegate(const StationModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

void StationDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const int column = index.column();
    if (column == StationModel::Relays) {
        QStyledItemDelegate::paint(painter, option, index);
        paintRelays(painter, option.rect, index.row());
        return;
    }
    if (column < StationModel::Out1 || column > StationModel::Out4) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyledItemDelegate::paint(painter, option, index);
    QRect area = option.rect.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    area.setWidth(std::min(kTrendWidth, area.width() / 2));
    paintTrend(painter, area, index.row(), column - StationModel::Out1);
}

QSize StationDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int column = index.column();
    if (column >= StationModel::Out1 && column <= StationModel::Out4)
        size.setWidth(size.width() + kTrendWidth + 2 * kMargin);
    if (column == StationModel::Relays) size.setWidth(4 * (kRelaySize + kMargin) + kMargin);
    size.setHeight(std::max(size.height(), kRelaySize + 2 * kMargin));
    return size;
}

void StationDelegate::paintTrend(QPainter* painter, const QRect& area, int row, int channel) const {
    const StationStatus* s = model_.station(row);
    if (s == nullptr || s->trend.empty() || area.width() < 4) return;
    const auto& points = s->trend.points();
    const qint64 end = points.back().ms;
    // Until the span has filled, the points there are spread over the whole width.
    const qint64 start = std::max(end - StationTrend::kSpanMs, points.front().ms);
    const double shown = double(std::max<qint64>(end - start, 1));
    float low = std::numeric_limits<float>::max();
    float high = std::numeric_limits<float>::lowest();
    for (const auto& p : points) {
        low = std::min(low, p.values[static_cast<std::size_t>(channel)]);
        high = std::max(high, p.values[static_cast<std::size_t>(channel)]);
    }
    const double span = high > low ? double(high) - double(low) : 1.0;
    const auto x = [&](qint64 ms) {
        return area.left() + double(ms - start) * area.width() / shown;
    };
    const auto y = [&](float v) {
        const double mid = high > low ? (double(v) - low) / span : 0.5;
        return area.bottom() - mid * area.height();
    };
    QPainterPath path;
    for (const auto& p : points) {
        const QPointF at(x(p.ms), y(p.values[static_cast<std::size_t>(channel)]));
        if (path.elementCount() == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(s->silent() ? QColor(0x90, 0x90, 0x90) : QColor(0x20, 0x60, 0xC0), 1));
    painter->drawPath(path);
    painter->restore();
}

void StationDelegate::paintRelays(QPainter* painter, const QRect& area, int row) const {
    const StationStatus* s = model_.station(row);
    if (s == nullptr || !s->lastGood.isValid()) return;
    const QStyle* style = QApplication::style();
    for (int n = 0; n < 4; ++n) {
        const bool on = ((s->meas.RELAYS >> n) & 1) != 0;
        const QRect box(area.left() + kMargin + n * (kRelaySize + kMargin),
                        area.center().y() - kRelaySize / 2, kRelaySize, kRelaySize);
        painter->fillRect(box, colorFromValue(on ? kYellow : kButtonFace));
        QStyleOptionFrame frame;
        frame.rect = box;
        frame.lineWidth = 1;
        frame.state = on ? QStyle::State_Raised : QStyle::State_Sunken;
        style->drawPrimitive(QStyle::PE_Frame, &frame, painter);
    }
}

} // namespace vx52
