#pragma once
// Where the main window comes up, from its stored place and size: the stored size only
// between the designed size and the screen's available area, and the stored place only when
// the window's title bar lands on some screen; otherwise centred on the primary screen.

#include <QList>
#include <QRect>
#include <QSize>

namespace vx52 {

// screens: the available areas of every screen; primary: the one to centre on.
// (A QSize, not a QRect: a stored width of 2147483647 must not overflow a right edge.)
QRect fitWindow(const QPoint& storedPlace, const QSize& storedSize, const QSize& designed,
                const QList<QRect>& screens, const QRect& primary);

} // namespace vx52
