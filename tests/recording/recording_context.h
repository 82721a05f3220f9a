#pragma once
// What a window of the recording tests receives: an answering regulator on an in-process
// line (COM 1, address 1), a settings store in memory, scripted prompts and a hand-stepped
// clock.

#include "fixtures/fake_time.h"
#include "fixtures/loopback_line.h"
#include "fixtures/scripted_prompts.h"
#include "link/link.h"
#include "ui/app_context.h"
#include "ui/settings_store.h"

#include <QMap>

namespace vx52::test {

class MemorySettings : public SettingsStore {
public:
    QMap<QString, QString> entries; // "SECTION/Key" -> text

    int readInteger(const QString& section, const QString& key, int defaultValue) override {
        bool ok = false;
        const int v = entries.value(section + '/' + key).toInt(&ok);
        return ok ? v : defaultValue;
    }
    void writeInteger(const QString& section, const QString& key, int value) override {
        entries[section + '/' + key] = QString::number(value);
    }
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) override {
        return entries.value(section + '/' + key, defaultValue);
    }
    void writeString(const QString& section, const QString& key, const QString& value) override {
        entries[section + '/' + key] = value;
    }
    void flush() override {}
};

struct RecordingContext {
    Link link;
    LoopbackLine line;
    MemorySettings settings;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    AppContext ctx{link, line, settings, prompts, clock, pause};

    RecordingContext() {
        link.setLine(&line);
        link.SetDeviceAddress(1);
        link.SetHostAddress(0);
        line.setComNumber(1);
    }
};

} // namespace vx52::test
