#pragma once
// The one rule for every window that comes up at a stored place and size: the size within
// the screen's available area (and not below the window's smallest), and the whole frame on
// a screen. A window whose title bar lands on a screen is moved onto that screen as far as it
// must be, not just shrunk; one off every screen is centred on the primary screen.

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace vx52 {

// The room the window manager's frame takes around the window, before the window is shown
// and its real frame is known (title bar above, borders around).
inline constexpr QMargins kFrameAllowance{8, 32, 8, 8};

// storedPlace: the frame's top left corner as stored; storedSize: the window's size without
// its frame. screens: the available areas of every screen; primary: the one to centre on.
// Returns the frame's corner and the window's size.
// (A QSize, not a QRect: a stored width of 2147483647 must not overflow a right edge.)
QRect fitWindow(const QPoint& storedPlace, const QSize& storedSize, const QSize& smallest,
                const QList<QRect>& screens, const QRect& primary,
                const QMargins& frame = kFrameAllowance);

// fitWindow over this system's screens, applied to the window.
void placeWindow(QWidget& window, const QPoint& storedPlace, const QSize& storedSize,
                 const QSize& smallest);

} // namespace vx52
