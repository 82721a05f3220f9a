#include "sim/tty_speed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vx52::sim {

bool configureRawLine(int fd, int baud, bool parity) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_iflag = parity ? INPCK : 0;
    t.c_oflag = 0;
    t.c_lflag = 0;
    t.c_cflag = (t.c_cflag & ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS)) | CS8 | CREAD | CLOCAL;
    if (parity) t.c_cflag |= PARENB;
    if (baud > 0) {
        t.c_cflag = (t.c_cflag & ~CBAUD) | BOTHER;
        t.c_ispeed = static_cast<speed_t>(baud);
        t.c_ospeed = static_cast<speed_t>(baud);
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ioctl(fd, TCSETS2, &t) == 0;
}

int lineSpeed(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return 0;
    return static_cast<int>(t.c_ospeed);
}

} // namespace vx52::sim
