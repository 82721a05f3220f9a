#pragma once
// The program's eight windows over an answering regulator on COM 1 at address 1, with a
// settings store in memory, scripted prompts and a fake clock whose seconds are the events of
// the main window's real Timer1, as many as the test grants (seconds.run(n)). The process's current
// folder and its home folder (with a documents folder in it) are a fresh temporary one for
// the rig's life.

#include "app/Unit_hl.h"
#include "app/windows.h"
#include "recording/recording_context.h"
#include "fixtures/timer_seconds.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include <memory>

namespace vx52::test {

struct WindowRig {
    MemoryStore settings;
    LoopbackLine line;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    QByteArray previousHome = qgetenv("HOME");
    QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
    std::unique_ptr<AppWindows> windows;
    std::unique_ptr<TimerSeconds> seconds;

    WindowRig() {
        settings.entries[QStringLiteral("PORT/COM")] = QStringLiteral("1");
        settings.entries[QStringLiteral("ADRESA/DA")] = QStringLiteral("1");
        QDir::setCurrent(folder.path());
        qputenv("HOME", folder.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral(".config")).toUtf8());
        QDir(folder.path()).mkdir(QStringLiteral("Documents"));
        windows = std::make_unique<AppWindows>(Services{settings, line, prompts, clock, pause});
        seconds = std::make_unique<TimerSeconds>(*main().Timer1, clock);
        seconds->idle = [this] { return !windows->worker().busy(); };
    }
    ~WindowRig() {
        seconds.reset();
        windows.reset();
        QDir::setCurrent(previousFolder);
        qputenv("HOME", previousHome);
        qputenv("XDG_CONFIG_HOME", previousConfig);
    }

    Tqdx01& main() { return *windows->qdx01; }
    // Waits, with a deadline, until the line worker has ended all it was handed.
    bool idle() {
        return TimerSeconds::waitFor([this] { return !windows->worker().busy(); }, 20000);
    }
    template <typename T = QWidget> T* control(const char* name) {
        return main().findChild<T*>(QLatin1String(name));
    }
    QAction* action(const char* name) { return control<QAction>(name); }
    QString panel(const char* name) { return control<QLabel>(name)->text(); }
    bool fileChosen() { return action("mn_novy")->isChecked(); }
    QString path(const QString& name) const { return folder.filePath(name); }
    // Automatic reading and "Zápis do souboru" ticked, without their questions.
    void readAndRecord() {
        control<QCheckBox>("check_auto")->setChecked(true);
        control<QCheckBox>("check_zapis")->setChecked(true);
    }

    // The record buffer's bytes, as a write puts them in the file.
    QByteArray recordBytes() {
        QByteArray out;
        for (const auto piece : main().record.pieces())
            out.append(piece.data(), qsizetype(piece.size()));
        return out;
    }
};

} // namespace vx52::test
