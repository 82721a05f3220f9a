#pragma once
// What the main window and its owner receive in these tests: a settings store in a file of
// its own that logs every read and write, a serial line that is never there, scripted
// prompts and a hand-stepped clock.

#include "fixtures/fake_time.h"
#include "fixtures/scripted_prompts.h"
#include "link/com_line.h"
#include "link/failure.h"
#include "ui/qt_settings_store.h"

#include <QStringList>
#include <QTemporaryDir>

namespace vx52::test {

// A line whose every open fails, as with no adapter plugged in.
class AbsentLine : public ComLine {
public:
    void OpenLine(int com) override {
        resetToNoPort();
        throw Failure("Sériový port COM" + std::to_string(com) + " nelze otevřít");
    }
    void CloseLine() override {}
    void ApplyLineSettings() override {}
    bool isOpen() const override { return false; }
    bool write(std::span<const std::uint8_t>) override { return false; }
    ReadResult read(std::span<std::uint8_t>) override { return {false, 0}; }
    void purgeReceive() override {}
    void purgeTransmit() override {}
};

// The real store on an INI file, logging "read SECTION/Key" and "write SECTION/Key=text".
class LoggedStore : public SettingsStore {
public:
    explicit LoggedStore(const QString& file) : store(file) {}

    QtSettingsStore store;
    QStringList log;

    QStringList writes() const { return log.filter(QStringLiteral("write ")); }
    QStringList reads() const { return log.filter(QStringLiteral("read ")); }

    int readInteger(const QString& section, const QString& key, int defaultValue) override {
        log << QStringLiteral("read %1/%2").arg(section, key);
        return store.readInteger(section, key, defaultValue);
    }
    void writeInteger(const QString& section, const QString& key, int value) override {
        log << QStringLiteral("write %1/%2=%3").arg(section, key).arg(value);
        store.writeInteger(section, key, value);
    }
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) override {
        log << QStringLiteral("read %1/%2").arg(section, key);
        return store.readString(section, key, defaultValue);
    }
    void writeString(const QString& section, const QString& key, const QString& value) override {
        log << QStringLiteral("write %1/%2=%3").arg(section, key, value);
        store.writeString(section, key, value);
    }
    void flush() override { store.flush(); }
};

} // namespace vx52::test
