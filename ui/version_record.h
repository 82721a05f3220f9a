#pragma once
// The version record the platform keeps with an executable, read by query paths such as
// "\StringFileInfo\040504E2\FileVersion" (string table for Czech, code page 1250).
// On Windows it is the file's version resource, read with the version functions; elsewhere
// it is a text built into the program, one "path=value" line per value.

#include <QByteArray>
#include <QString>

#include <optional>

namespace vx52 {

inline const QString kFileVersionQuery = QStringLiteral("\\StringFileInfo\\040504E2\\FileVersion");

class VersionRecord {
public:
    VersionRecord() = default; // no record
    explicit VersionRecord(QByteArray data) : data_(std::move(data)) {}

    // The record of an executable file; none when the file has no version resource (only
    // Windows keeps one in the file).
    static VersionRecord ofFile(const QString& path);

    qsizetype size() const { return data_.size(); }
    // The value at the query path, or nothing when the record has none there.
    std::optional<QString> query(const QString& path) const;

private:
    QByteArray data_;
};

} // namespace vx52
