#include "ui/version_record.h"

#include <QList>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vx52 {

#ifdef Q_OS_WIN

VersionRecord VersionRecord::ofFile(const QString& path) {
    const QByteArray file = path.toLocal8Bit();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.constData(), &handle);
    if (size == 0) return {};
    QByteArray data(qsizetype(size) + 1, '\0');
    if (!GetFileVersionInfoA(file.constData(), 0, size, data.data())) return {};
    return VersionRecord(std::move(data));
}

std::optional<QString> VersionRecord::query(const QString& path) const {
    if (data_.isEmpty()) return std::nullopt;
    char* value = nullptr;
    UINT length = 0;
    const QByteArray key = path.toLocal8Bit();
    if (!VerQueryValueA(data_.constData(), key.constData(), reinterpret_cast<void**>(&value),
                        &length) ||
        value == nullptr)
        return std::nullopt;
    // The record's strings are in code page 1250, as its key says.
    return QString::fromLocal8Bit(value, qstrnlen(value, length));
}

#else

VersionRecord VersionRecord::ofFile(const QString&) { return {}; }

std::optional<QString> VersionRecord::query(const QString& path) const {
    const QList<QByteArray> lines = data_.split('\n');
    const QByteArray wanted = path.toUtf8();
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) line.chop(1);
        const qsizetype equals = line.indexOf('=');
        if (equals < 0 || line.startsWith('#')) continue;
        // Query paths do not tell upper from lower case.
        if (line.left(equals).compare(wanted, Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(line.mid(equals + 1));
    }
    return std::nullopt;
}

#endif

} // namespace vx52
