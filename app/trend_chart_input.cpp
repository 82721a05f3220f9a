// Reading the trend with mouse and keyboard: cursor and readout, zoom, pan, box zoom, the
// legend's switches, the way back to the live view and the context menu.

#include "app/chart_pause_hint.h"
#include "app/trend_chart.h"

#include "ui/color_value.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double kWheelStep = 0.8;  // the span shrinks to this for one notch forward
constexpr double kKeyPan = 0.1;     // share of the span an arrow key moves
constexpr double kDragStart = 3;    // pixels the mouse moves before a press becomes a drag
constexpr double kLeastBox = 4;     // a narrower box is taken as a click

} // namespace

void TrendChart::zoomTime(double anchor, double factor) {
    const bool was = isLive();
    view_.zoom(dataTime(), anchor, factor);
    viewChanged(was);
}

void TrendChart::panTime(double days) {
    const bool was = isLive();
    view_.pan(dataTime(), days);
    viewChanged(was);
}

void TrendChart::zoomToBox(Span time, Span values) {
    const bool was = isLive();
    view_.zoomToBox(time, values);
    viewChanged(was);
}

void TrendChart::showLive() {
    const bool was = isLive();
    view_.goLive();
    viewChanged(was);
}

void TrendChart::viewChanged(bool wasLive) {
    // Mouse positions map through the new spans even before the next repaint.
    place_.time = shownTime();
    if (const auto& held = view_.values()) place_.values = *held;
    hint_->setVisible(!isLive());
    placeHint();
    update();
    if (wasLive != isLive()) emit liveChanged(isLive());
}

void TrendChart::placeHint() {
    hint_->adjustSize();
    hint_->move(width() - hint_->width() - 4, 2);
}

void TrendChart::resizeEvent(QResizeEvent*) {
    placeHint();
}

bool TrendChart::overPlot(QPointF at) const {
    return place_.valid && place_.area.contains(at);
}

double TrendChart::timeAtPixel(double x) const {
    return place_.time.lo + (x - place_.front.left()) / place_.front.width() * place_.time.width();
}

double TrendChart::valueAtPixel(double y) const {
    return place_.values.lo +
           (place_.front.bottom() - y) / place_.front.height() * place_.values.width();
}

void TrendChart::paintCursor(QPainter& p) const {
    if (!place_.valid) return;
    if (drag_ == Drag::Box && cursor_) {
        p.setPen(QPen(QColor(40, 40, 40), 0, Qt::DashLine));
        p.setBrush(QColor(60, 120, 220, 40));
        p.drawRect(QRectF(dragFrom_, *cursor_).normalized());
        return;
    }
    if (!cursor_ || drag_ == Drag::Pan) return;
    const double x = cursor_->x();
    p.setPen(QPen(QColor(40, 40, 40), 0));
    p.drawLine(QPointF(x, place_.area.top()), QPointF(x, place_.area.bottom()));
    const Readout readout = readoutAt(timeAtPixel(x));
    // Each point read is ringed where its series is drawn, at its own depth in 3D.
    const double slot = place_.depth / kSeriesCount;
    p.save();
    p.setClipRect(place_.area);
    for (const auto& row : readout.rows) {
        if (!std::isfinite(row.y)) continue;
        const double z = place_.depth > 0 ? slot * (row.series + 0.5) : 0.0;
        const double px = place_.front.left() + (row.x - place_.time.lo) / place_.time.width() *
                                                    place_.front.width();
        const double py = place_.front.bottom() - (row.y - place_.values.lo) /
                                                      place_.values.width() * place_.front.height();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(vx52::colorFromValue(row.color));
        p.drawEllipse(QPointF(px + z, py - z), 3.5, 3.5);
    }
    p.restore();
    paintReadout(p, readout, *cursor_, place_.area);
}

void TrendChart::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const int entry = legendHit(place_.legend, at);
    if (entry >= 0) {
        setSeriesShown(entry, !seriesShown(entry));
        return;
    }
    if (!overPlot(at)) return;
    drag_ = event->modifiers() & Qt::ShiftModifier ? Drag::Box : Drag::Pending;
    dragFrom_ = dragLast_ = at;
    update();
}

void TrendChart::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    cursor_ = overPlot(at) || drag_ != Drag::None ? std::optional<QPointF>(at) : std::nullopt;
    if (drag_ == Drag::Pending && (at - dragFrom_).manhattanLength() >= kDragStart)
        drag_ = Drag::Pan;
    if (drag_ == Drag::Pan && place_.valid) {
        const QPointF moved = at - dragLast_;
        dragLast_ = at;
        // The trend follows the mouse: dragging right brings earlier times into view.
        const double days = -moved.x() / place_.front.width() * place_.time.width();
        const double value = moved.y() / place_.front.height() * place_.values.width();
        const bool was = isLive();
        view_.pan(dataTime(), days, value);
        viewChanged(was);
    }
    if (drag_ == Drag::None)
        setCursor(legendHit(place_.legend, at) >= 0 ? Qt::PointingHandCursor
                  : cursor_                          ? Qt::CrossCursor
                                                     : Qt::ArrowCursor);
    else
        setCursor(drag_ == Drag::Pan ? Qt::ClosedHandCursor : Qt::CrossCursor);
    update();
}

void TrendChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    const Drag was = drag_;
    drag_ = Drag::None;
    const QPointF at = event->position();
    if (was == Drag::Box && place_.valid && std::abs(at.x() - dragFrom_.x()) >= kLeastBox) {
        // A box of a few pixels' height zooms the time only.
        const bool tall = std::abs(at.y() - dragFrom_.y()) >= kLeastBox;
        const double v0 = tall ? valueAtPixel(dragFrom_.y()) : 0, v1 = tall ? valueAtPixel(at.y()) : 0;
        zoomToBox({timeAtPixel(dragFrom_.x()), timeAtPixel(at.x())}, {v0, v1});
    }
    cursor_ = overPlot(at) ? std::optional<QPointF>(at) : std::nullopt;
    update();
}

void TrendChart::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    // The second click of a double click on the legend switches again.
    const int entry = legendHit(place_.legend, at);
    if (entry >= 0) setSeriesShown(entry, !seriesShown(entry));
    else if (overPlot(at)) showLive();
}

void TrendChart::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0 || !place_.valid) return QWidget::wheelEvent(event);
    const QPointF at = event->position();
    const Span shown = shownTime();
    const double anchor = overPlot(at) ? timeAtPixel(at.x()) : (shown.lo + shown.hi) / 2;
    zoomTime(anchor, std::pow(kWheelStep, notches));
    // The keys (Home, +, -, arrows) go on from a wheel zoom without a click first.
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void TrendChart::keyPressEvent(QKeyEvent* event) {
    const Span shown = shownTime();
    const double middle = (shown.lo + shown.hi) / 2;
    switch (event->key()) {
    case Qt::Key_Home: showLive(); break;
    case Qt::Key_Left: panTime(-kKeyPan * shown.width()); break;
    case Qt::Key_Right: panTime(kKeyPan * shown.width()); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: zoomTime(middle, kWheelStep); break;
    case Qt::Key_Minus: zoomTime(middle, 1 / kWheelStep); break;
    case Qt::Key_Escape:
        if (drag_ == Drag::None) return QWidget::keyPressEvent(event);
        drag_ = Drag::None;
        update();
        break;
    default: return QWidget::keyPressEvent(event);
    }
}

void TrendChart::leaveEvent(QEvent*) {
    if (drag_ != Drag::None) return;
    cursor_.reset();
    update();
}

void TrendChart::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* live = menu.addAction(tr("Živý pohled") + QStringLiteral("\tHome"));
    live->setObjectName(QStringLiteral("mn_zivy"));
    live->setEnabled(!isLive());
    if (!actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(actions());
    }
    if (menu.exec(event->globalPos()) == live) showLive();
}
