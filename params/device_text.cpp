#include "params/device_text.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cstring>

namespace vx52 {

QString deviceText(const char* bytes, std::size_t capacity) {
    const auto length = static_cast<qsizetype>(strnlen(bytes, capacity));
    QStringDecoder decode("windows-1250");
    return decode(QByteArrayView(bytes, length));
}

} // namespace vx52
