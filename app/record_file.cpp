#include "app/record_file.h"

#include "app/record_buffer.h"
#include "link/failure.h"
#include "ui/codepage.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

namespace vx52 {

namespace {

[[noreturn]] void fail(const QString& fileName, const QString& reason) {
    const QString text =
        QCoreApplication::translate("RecordFile", "Nelze zapsat soubor \"%1\": %2")
            .arg(QDir::toNativeSeparators(fileName), reason);
    throw Failure(text.toStdString());
}

} // namespace

void writeRecordFile(const QString& fileName, const RecordBuffer& buffer) {
    requireCodePage(); // without it every line would have been encoded to nothing
    // QSaveFile puts the bytes on the disk before the rename, so not even a power cut just
    // after a periodic write can leave an empty file in place of the old one.
    QSaveFile file(fileName);
    // Writing in place is the fallback for folders where no new file may be made; it would
    // give up the whole-or-nothing replace, so such a folder is a failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) fail(fileName, file.errorString());
    for (const auto piece : buffer.pieces()) {
        if (file.write(piece.data(), qint64(piece.size())) != qint64(piece.size())) {
            const QString reason = file.errorString();
            file.cancelWriting();
            fail(fileName, reason);
        }
    }
    // A failure while the last buffered bytes go out is not seen by commit(): flush first.
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(fileName, reason);
    }
    if (!file.commit()) fail(fileName, file.errorString());
}

} // namespace vx52
