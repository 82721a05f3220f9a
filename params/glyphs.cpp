#include "params/glyphs.h"

#include <QPainter>
#include <QPixmap>

namespace vx52 {
namespace {

// A memory chip with pins on both sides; grey for the disabled state.
QPixmap chip(const QColor& body, const QColor& pins) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pins);
    for (int y = 3; y <= 11; y += 4) {
        painter.drawRect(1, y, 2, 2);
        painter.drawRect(13, y, 2, 2);
    }
    painter.setBrush(body);
    painter.drawRect(3, 1, 10, 14);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(8, 3), 1, 1);
    return pixmap;
}

} // namespace

QIcon eepromGlyph() {
    QIcon icon;
    icon.addPixmap(chip(QColor(0x20, 0x20, 0x20), QColor(0xc0, 0x90, 0x20)), QIcon::Normal);
    icon.addPixmap(chip(QColor(0x90, 0x90, 0x90), QColor(0xb0, 0xb0, 0xb0)), QIcon::Disabled);
    return icon;
}

} // namespace vx52
