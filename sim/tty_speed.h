#pragma once
// Line speed and raw mode through the kernel's termios2 interface, which takes any speed
// (14400, 128000, 256000 too). Kept apart from <termios.h>, whose types clash with it.

namespace vx52::sim {

// Raw 8-bit line; with baud > 0 the speed is set too, with parity even parity (8E1).
bool configureRawLine(int fd, int baud, bool parity);
// The speed set on the line (on a pseudo-terminal master: the one its slave side set).
int lineSpeed(int fd);

} // namespace vx52::sim
