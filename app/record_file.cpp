#include "app/record_file.h"

#include "app/record_buffer.h"
#include "link/failure.h"

#include <QDir>
#include <QSaveFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace vx52 {

namespace {

[[noreturn]] void fail(const QString& fileName, const QString& reason) {
    const QString text = QStringLiteral("Nelze zapsat soubor \"%1\": %2")
                             .arg(QDir::toNativeSeparators(fileName), reason);
    throw Failure(text.toStdString());
}

// The commit waits until the bytes are on the disk; starting the disk writes while the rest
// is still being copied lets the two overlap instead of adding up.
void startWriteBack(QSaveFile& file, qint64 offset, qint64 length) {
#ifdef Q_OS_LINUX
    if (file.flush()) ::sync_file_range(file.handle(), offset, length, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(file);
    Q_UNUSED(offset);
    Q_UNUSED(length);
#endif
}

} // namespace

void writeRecordFile(const QString& fileName, const RecordBuffer& buffer) {
    QSaveFile file(fileName);
    // Writing in place would be the only way into a folder where no new file may be made;
    // that would give up the whole-or-nothing replace, so such a folder is a failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) fail(fileName, file.errorString());
    qint64 written = 0;
    for (const auto piece : buffer.pieces()) {
        if (file.write(piece.data(), qint64(piece.size())) != qint64(piece.size())) {
            const QString reason = file.errorString();
            file.cancelWriting();
            fail(fileName, reason);
        }
        startWriteBack(file, written, qint64(piece.size()));
        written += qint64(piece.size());
    }
    if (!file.commit()) fail(fileName, file.errorString());
}

} // namespace vx52
