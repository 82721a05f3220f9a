#include "app/window_fit.h"

#include <algorithm>

namespace vx52 {

namespace {

// A point of the title bar, where the operator would take hold of the window.
// (Stored places near the integer limits are off every screen anyway.)
bool onScreen(const QRect& screen, const QPoint& topLeft) {
    const qint64 x = qint64(topLeft.x()) + 16, y = qint64(topLeft.y()) + 8;
    return x >= screen.left() && x <= screen.right() && y >= screen.top() && y <= screen.bottom();
}

int fitLength(int stored, int designed, int available) {
    return std::clamp(stored, designed, std::max(designed, available));
}

} // namespace

QRect fitWindow(const QPoint& storedPlace, const QSize& storedSize, const QSize& designed,
                const QList<QRect>& screens, const QRect& primary) {
    const QPoint topLeft = storedPlace;
    QRect screen = primary;
    bool placed = false;
    for (const QRect& s : screens) {
        if (onScreen(s, topLeft)) {
            screen = s;
            placed = true;
            break;
        }
    }
    const QSize size(fitLength(storedSize.width(), designed.width(), screen.width()),
                     fitLength(storedSize.height(), designed.height(), screen.height()));
    if (placed) return {topLeft, size};
    const QPoint centred(screen.left() + std::max(0, (screen.width() - size.width()) / 2),
                         screen.top() + std::max(0, (screen.height() - size.height()) / 2));
    return {centred, size};
}

} // namespace vx52
