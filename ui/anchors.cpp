#include "ui/anchors.h"

#include <QEvent>

namespace vx52 {

Anchors::Anchors(QWidget* container, QSize designSize)
    : QObject(container), container_(container), design_size_(designSize) {
    container_->installEventFilter(this);
}

void Anchors::follow(QWidget* control, Qt::Edges edges) {
    entries_.append({control, control->geometry(), edges});
    control->setGeometry(placeFor(entries_.back(), container_->size()));
}

void Anchors::apply() {
    for (const Entry& entry : std::as_const(entries_))
        if (entry.control) entry.control->setGeometry(placeFor(entry, container_->size()));
}

bool Anchors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == container_ && event->type() == QEvent::Resize) apply();
    return QObject::eventFilter(watched, event);
}

QRect Anchors::placeFor(const Entry& entry, QSize size) const {
    const QRect d = entry.design;
    const int dw = size.width() - design_size_.width();
    const int dh = size.height() - design_size_.height();
    int left = d.left(), width = d.width(), top = d.top(), height = d.height();
    const bool l = entry.edges.testFlag(Qt::LeftEdge) || !entry.edges.testFlag(Qt::RightEdge);
    const bool r = entry.edges.testFlag(Qt::RightEdge);
    const bool t = entry.edges.testFlag(Qt::TopEdge) || !entry.edges.testFlag(Qt::BottomEdge);
    const bool b = entry.edges.testFlag(Qt::BottomEdge);
    if (l && r) width += dw;
    else if (r) left += dw;
    if (t && b) height += dh;
    else if (b) top += dh;
    return QRect(left, top, std::max(0, width), std::max(0, height));
}

} // namespace vx52
