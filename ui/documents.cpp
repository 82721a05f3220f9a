#include "ui/documents.h"

#include <QDir>
#include <QStandardPaths>

namespace vx52 {

QString inDocuments(const QString& fileName) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    return QDir(folder).filePath(fileName);
}

} // namespace vx52
