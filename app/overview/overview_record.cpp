#include "app/overview/overview_record.h"

#include "link/failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vx52 {

namespace {

[[noreturn]] void cannotWrite(const QFile& file) {
    throw Failure(QCoreApplication::translate("OverviewRecord", "Soubor %1 nelze zapsat: %2")
                      .arg(QDir::toNativeSeparators(file.fileName()), file.errorString())
                      .toStdString());
}

} // namespace

void OverviewRecord::add(const StationReading& reading) {
    pending_ += csvRow(reading).toUtf8();
    pending_ += '\n';
    ++rows_;
}

void OverviewRecord::write() {
    if (rows_ == 0 || file_.isEmpty()) return;
    QFile file(file_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) cannotWrite(file);
    const qint64 before = file.size();
    QByteArray bytes;
    if (before == 0) bytes = csvHeader().toUtf8() + '\n';
    bytes += pending_;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // A row cut in half would stay in front of the same rows written again.
        file.resize(before);
        cannotWrite(file);
    }
    file.close();
    pending_.clear();
    pending_.squeeze();
    rows_ = 0;
}

} // namespace vx52
