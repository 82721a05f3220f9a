#include "app/window_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vx52 {

namespace {

// A point of the title bar, where the operator would take hold of the window.
// (Stored places near the integer limits are off every screen anyway.)
bool onScreen(const QRect& screen, const QPoint& topLeft) {
    const qint64 x = qint64(topLeft.x()) + 16, y = qint64(topLeft.y()) + 8;
    return x >= screen.left() && x <= screen.right() && y >= screen.top() && y <= screen.bottom();
}

int fitLength(int stored, int smallest, int available) {
    available = std::max(available, 1);
    return std::clamp(stored, std::min(smallest, available), available);
}

// The frame's start on one axis, moved so that the frame ends within the screen.
int fitStart(int stored, int frameLength, int screenStart, int screenLength) {
    const int last = screenStart + std::max(0, screenLength - frameLength);
    return std::clamp(stored, screenStart, last);
}

} // namespace

QRect fitWindow(const QPoint& storedPlace, const QSize& storedSize, const QSize& smallest,
                const QList<QRect>& screens, const QRect& primary, const QMargins& frame) {
    QRect screen = primary;
    bool placed = false;
    for (const QRect& s : screens) {
        if (onScreen(s, storedPlace)) {
            screen = s;
            placed = true;
            break;
        }
    }
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const QSize size(fitLength(storedSize.width(), smallest.width(), screen.width() - frameWidth),
                     fitLength(storedSize.height(), smallest.height(),
                               screen.height() - frameHeight));
    const int outerWidth = size.width() + frameWidth;
    const int outerHeight = size.height() + frameHeight;
    if (placed)
        return {QPoint(fitStart(storedPlace.x(), outerWidth, screen.left(), screen.width()),
                       fitStart(storedPlace.y(), outerHeight, screen.top(), screen.height())),
                size};
    const QPoint centred(screen.left() + std::max(0, (screen.width() - outerWidth) / 2),
                         screen.top() + std::max(0, (screen.height() - outerHeight) / 2));
    return {centred, size};
}

void placeWindow(QWidget& window, const QPoint& storedPlace, const QSize& storedSize,
                 const QSize& smallest) {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect fitted = fitWindow(storedPlace, storedSize, smallest, screens,
                                   primary ? primary->availableGeometry() : QRect(QPoint(), smallest));
    window.move(fitted.topLeft());
    window.resize(fitted.size());
}

} // namespace vx52
