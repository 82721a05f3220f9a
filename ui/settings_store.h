#pragma once
// The per-user settings store "TevVx52": sections holding entries of decimal integer text.
// A read gives the caller's default when the section or entry is missing or its text is not
// a decimal integer; a write creates what is missing.

#include <QString>

namespace vx52 {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual int readInteger(const QString& section, const QString& key, int defaultValue) = 0;
    virtual void writeInteger(const QString& section, const QString& key, int value) = 0;
    virtual QString readString(const QString& section, const QString& key,
                               const QString& defaultValue) = 0;
    virtual void writeString(const QString& section, const QString& key, const QString& value) = 0;
    // Puts every written entry on disk.
    virtual void flush() = 0;
    // Where the entries live (a file's name); empty when they are in no file.
    virtual QString location() const { return {}; }
    // Makes the store readable and writable by its user alone, before a secret is written
    // into it; false when it cannot be made so.
    virtual bool keepPrivate() { return true; }
};

} // namespace vx52
