#pragma once
// The bus overview's recording: every reading as one CSV row (UTF-8), appended to the chosen
// file once a period. The rows not yet in the file are kept in memory: a write that fails
// keeps them, and the next one tries again, so nothing is lost while the file cannot be
// written; once in the file they leave memory. A new or empty file gets the header first.

#include "bus/station_reading.h"

#include <QByteArray>
#include <QString>

namespace vx52 {

class OverviewRecord {
public:
    void setFile(const QString& fileName) { file_ = fileName; }
    QString file() const { return file_; }

    void add(const StationReading& reading);
    // Appends the kept rows to the file. Raises Failure naming the file and the reason when
    // it cannot; the rows stay kept and the file is left as it was.
    void write();

    qsizetype keptRows() const { return rows_; }
    qsizetype memoryBytes() const { return pending_.capacity(); }

private:
    QString file_;
    QByteArray pending_;
    qsizetype rows_ = 0;
};

} // namespace vx52
