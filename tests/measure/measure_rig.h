#pragma once
// The program's eight windows over the simulated regulator on COM 1 at address 1 (an
// in-process loopback line), a settings store in memory, scripted prompts and a clock the
// test steps. Timer1 is stopped: the test delivers the timer's events itself.

#include "fixtures/memory_store.h"
#include "app/Unit_hl.h"
#include "app/trend_chart.h"
#include "app/windows.h"
#include "app/dialogs/Unitport.h"
#include "fixtures/fake_time.h"
#include "fixtures/loopback_line.h"
#include "fixtures/scripted_prompts.h"
#include "ui_Unit_hl.h"

#include <QComboBox>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace vx52::test {

// Scripted prompts that can run something while a box is "open".
class HookedPrompts : public ScriptedPrompts {
public:
    std::function<void()> whileOpen;
    Answer message(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override {
        if (whileOpen) whileOpen();
        return ScriptedPrompts::message(parent, text, caption, icon, buttons);
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

    explicit MeasureRig(const QMap<QString, QString>& stored = {}) {
        settings.entries[QStringLiteral("PORT/COM")] = QStringLiteral("1");
        settings.entries[QStringLiteral("ADRESA/DA")] = QStringLiteral("1");
        for (auto it = stored.begin(); it != stored.end(); ++it)
            settings.entries[it.key()] = it.value();
        QDir::setCurrent(folder.path());
        windows = std::make_unique<AppWindows>(Services{settings, line, prompts, clock, pause});
        main().Timer1->stop();
        // The device holds still unless a test moves it.
        line.regulator().setProcessRunning(false);
    }
    ~MeasureRig() {
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

    void read() { ui().tl_precist->click(); }
    // One timer event one second later.
    void secondTick() {
        clock.advanceSeconds(1);
        main().Timer1Timer();
    }
};

} // namespace vx52::test
