#pragma once
// The program's eight windows over the simulated regulator on COM 1 at address 1 (an
// in-process loopback line), a settings store in memory, scripted prompts and a fake clock.
// Timer1 runs for real, each of its events a second of the clock, as many as the test grants
// (seconds.run(n)).

#include "fixtures/memory_store.h"
#include "app/Unit_hl.h"
#include "app/trend_chart.h"
#include "app/windows.h"
#include "app/dialogs/Unitport.h"
#include "fixtures/fake_time.h"
#include "fixtures/loopback_line.h"
#include "fixtures/scripted_prompts.h"
#include "fixtures/timer_seconds.h"
#include "ui_Unit_hl.h"

#include <QComboBox>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace vx52::test {

// Scripted prompts that can run something while a box or the save dialog is "open" (with
// TimerSeconds::waitFor it spins the event loop, as a modal box does).
class HookedPrompts : public ScriptedPrompts {
public:
    std::function<void()> whileOpen;
    std::function<void()> whileSaveOpen;
    Answer message(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override {
        if (whileOpen) whileOpen();
        return ScriptedPrompts::message(parent, text, caption, icon, buttons);
    }
    QString saveFile(QWidget* parent, const FileDialog& dialog) override {
        if (whileSaveOpen) whileSaveOpen();
        return ScriptedPrompts::saveFile(parent, dialog);
    }
};

struct MeasureRig {
    MemoryStore settings;
    LoopbackLine line;
    HookedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    QTemporaryDir folder; // recording files, if any, land here
    QString previousFolder = QDir::currentPath();
    std::unique_ptr<AppWindows> windows;
    std::unique_ptr<TimerSeconds> seconds;

    // eventsPerSecond: see TimerSeconds.
    explicit MeasureRig(const QMap<QString, QString>& stored = {}, int eventsPerSecond = 1) {
        settings.entries[QStringLiteral("PORT/COM")] = QStringLiteral("1");
        settings.entries[QStringLiteral("ADRESA/DA")] = QStringLiteral("1");
        for (auto it = stored.begin(); it != stored.end(); ++it)
            settings.entries[it.key()] = it.value();
        QDir::setCurrent(folder.path());
        windows = std::make_unique<AppWindows>(Services{settings, line, prompts, clock, pause});
        seconds = std::make_unique<TimerSeconds>(*main().Timer1, clock, 5, eventsPerSecond);
        seconds->idle = [this] { return !windows->worker().busy(); };
        // The device holds still unless a test moves it.
        line.regulator().setProcessRunning(false);
    }
    ~MeasureRig() {
        seconds.reset();
        windows.reset();
        QDir::setCurrent(previousFolder);
    }

    Tqdx01& main() { return *windows->qdx01; }
    // Selects a line in the port dialog's list, as the main window's reads open that one.
    void chooseLine(int com) {
        windows->qdx01->port->findChild<QComboBox*>(QStringLiteral("cb_com"))->setCurrentIndex(com);
    }
    Ui::Tqdx01& ui() { return *main().ui; }
    TrendChart& chart() { return *ui().Chart1; }
    ParamSet::Meas& device() { return line.regulator().tables().MEAS; }

    QStringList values() {
        return {ui().pa_meas1->text(), ui().pa_meas2->text(), ui().pa_meas3->text(),
                ui().pa_meas4->text()};
    }
    QList<QLabel*> relays() { return {ui().pa_re1, ui().pa_re2, ui().pa_re3, ui().pa_re4}; }

    // "Přečíst", once nothing else runs on the line, and its result shown.
    void read() {
        QVERIFY(idle());
        ui().tl_precist->click();
        QVERIFY(idle());
    }
    bool idle() {
        return TimerSeconds::waitFor([this] { return !windows->worker().busy(); }, 20000);
    }
    NoticeStrip& notices() { return *main().notices; }
};

} // namespace vx52::test
