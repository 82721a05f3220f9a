#pragma once
// The settings store "TevVx52" on QSettings: on Windows the registry key
// HKEY_CURRENT_USER\TevVx52 (a section is a subkey, an entry a string value); elsewhere the
// per-user native settings file (TevVx52.conf under the user's configuration folder).
// Entries are always written as decimal text.

#include "ui/settings_store.h"

#include <QSettings>

#include <memory>
#include <optional>

namespace vx52 {

// The integer a stored text stands for: optional sign and decimal digits, within 32 bits.
std::optional<int> parseDecimalInteger(const QString& text);

class QtSettingsStore : public SettingsStore {
public:
    // The user's own store.
    QtSettingsStore();
    // A store in the given INI file (a store of its own, kept apart from the user's).
    explicit QtSettingsStore(const QString& iniFile);

    int readInteger(const QString& section, const QString& key, int defaultValue) override;
    void writeInteger(const QString& section, const QString& key, int value) override;
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) override;
    void writeString(const QString& section, const QString& key, const QString& value) override;
    void flush() override;

    // Where the entries live: the registry path or the file name.
    QString location() const override;
    // The file gets the permissions 0600 (on Windows the user's registry hive is his alone).
    bool keepPrivate() override;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace vx52
