#include "link/port/com_ports.h"

namespace vx52 {

QString ComPorts::defaultDevice(int com) {
#ifdef Q_OS_WIN
    return comName(com);
#else
    return QStringLiteral("/dev/ttyS%1").arg(com - 1);
#endif
}

QString ComPorts::devicePath(int com) const {
    if (com < kFirst || com > kLast) return {};
    const QString fallback = defaultDevice(com);
    if (!lookup_) return fallback;
    const QString path = lookup_(deviceKey(com), fallback).trimmed();
    return path.isEmpty() ? fallback : path;
}

} // namespace vx52
