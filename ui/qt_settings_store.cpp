#include "ui/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <limits>

namespace vx52 {

namespace {

QString entryPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

std::optional<int> parseDecimalInteger(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

QtSettingsStore::QtSettingsStore()
#ifdef Q_OS_WIN
    : settings_(std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\TevVx52"),
                                            QSettings::NativeFormat))
#else
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("TevVx52")))
#endif
{
#ifndef Q_OS_WIN
    // The store may come to hold a password: it is born readable by its user alone, and a
    // rewrite keeps the permissions of the file it replaces.
    if (!QFileInfo::exists(location())) keepPrivate();
#endif
}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

bool QtSettingsStore::keepPrivate() {
#ifdef Q_OS_WIN
    return true;
#else
    const QString file = location();
    if (!QFileInfo::exists(file)) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile created(file);
        if (!created.open(QIODevice::WriteOnly)) return false;
    }
    return QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
#endif
}

int QtSettingsStore::readInteger(const QString& section, const QString& key, int defaultValue) {
    const QVariant value = settings_->value(entryPath(section, key));
    if (!value.isValid()) return defaultValue;
    return parseDecimalInteger(value.toString()).value_or(defaultValue);
}

void QtSettingsStore::writeInteger(const QString& section, const QString& key, int value) {
    settings_->setValue(entryPath(section, key), QString::number(value));
}

QString QtSettingsStore::readString(const QString& section, const QString& key,
                                    const QString& defaultValue) {
    const QVariant value = settings_->value(entryPath(section, key));
    if (!value.isValid()) return defaultValue;
    // An INI text holding a comma comes back as a list; it is still one entry.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void QtSettingsStore::writeString(const QString& section, const QString& key, const QString& value) {
    settings_->setValue(entryPath(section, key), value);
}

void QtSettingsStore::flush() { settings_->sync(); }

QString QtSettingsStore::location() const { return settings_->fileName(); }

} // namespace vx52
