// "&Komunikační port" in the main window: the timer pause around the dialog, the line opened
// at every showing and closed afterwards, also when the line cannot be opened.

#include "app/Unit_hl.h"
#include "app/windows.h"
#include "fixtures/fake_time.h"
#include "fixtures/loopback_line.h"
#include "fixtures/scripted_prompts.h"
#include "app/dialogs/Unitport.h"
#include "ui/qt_settings_store.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vx52::test;

namespace {

struct Program {
    QTemporaryDir dir;
    vx52::QtSettingsStore settings{dir.filePath(QStringLiteral("TevVx52.ini"))};
    LoopbackLine line;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    std::unique_ptr<vx52::AppWindows> windows;

    void start() {
        windows = std::make_unique<vx52::AppWindows>(
            vx52::Services{settings, line, prompts, clock, pause});
    }
    QTimer* mainTimer() const { return windows->qdx01->findChild<QTimer*>("Timer1"); }
    // Waits, with a deadline, until the line worker has ended all it was handed.
    bool idle() {
        return QTest::qWaitFor([this] { return !windows->worker().busy(); }, 20000);
    }

    struct Seen {
        bool shown = false;
        bool opened = false; // the dialog's open ended while it was shown
        bool closed = false; // and the close after it
        bool timerActive = true;
        bool lineOpen = false;
        bool portOpened = false;
        int comEntry = -1;
    };

    // Picks "&Komunikační port"; while the dialog is up, notes what it sees, then presses OK.
    Seen openPortDialog() {
        Seen seen;
        Tport* port = windows->port;
        QTimer::singleShot(0, port, [&, port] {
            seen.opened = idle();
            seen.shown = port->isVisible();
            seen.timerActive = mainTimer()->isActive();
            seen.lineOpen = line.isOpen();
            seen.portOpened = windows->qdx01->port_opened;
            seen.comEntry = port->selectedCom();
            port->findChild<QPushButton*>("tl_ok")->click();
        });
        windows->qdx01->findChild<QAction*>("mn_port")->trigger();
        seen.closed = idle(); // the line is closed on the worker after the dialog
        return seen;
    }
};

} // namespace

class TestPortMenu : public QObject {
    Q_OBJECT

private slots:
    void dialogRunsWithTimerPausedAndLineOpen_data() {
        QTest::addColumn<bool>("timerRunning");
        QTest::newRow("automatic reading on") << true;
        QTest::newRow("timer stopped") << false;
    }
    void dialogRunsWithTimerPausedAndLineOpen() {
        QFETCH(bool, timerRunning);
        Program program;
        program.line.existingPorts = {1, 2};
        program.settings.writeInteger("PORT", "COM", 2);
        program.start();
        if (!timerRunning) program.mainTimer()->stop();

        for (int showing = 1; showing <= 2; ++showing) {
            const auto seen = program.openPortDialog();
            QVERIFY(seen.opened && seen.closed);
            QVERIFY(seen.shown);
            QVERIFY(!seen.timerActive);
            QVERIFY(seen.lineOpen);
            QVERIFY(seen.portOpened);
            QCOMPARE(seen.comEntry, 2);
            QVERIFY(!program.line.isOpen());
            QVERIFY(!program.windows->qdx01->port_opened);
            QCOMPARE(program.mainTimer()->isActive(), timerRunning);
            QCOMPARE(program.line.opened.size(), std::size_t(showing)); // opened at every showing
        }
        QVERIFY(program.prompts.asked.isEmpty());
        QCOMPARE(program.settings.readInteger("PORT", "COM", 0), 2);
    }

    void lineThatCannotOpenStillShowsDialogAndRestoresTimer() {
        Program program;
        program.settings.writeInteger("PORT", "COM", 4); // not on this machine
        program.start();

        const auto seen = program.openPortDialog();
        QVERIFY(seen.opened && seen.closed);
        QVERIFY(seen.shown);
        QCOMPARE(seen.comEntry, 0);
        QVERIFY(!seen.lineOpen);
        QCOMPARE(program.prompts.texts(), QStringList{"Sériový port COM4 nelze otevřít."});
        QVERIFY(program.mainTimer()->isActive());
        // "žádný port" is not stored: the next start comes up on COM 1.
        QCOMPARE(program.settings.readInteger("PORT", "COM", 0), 1);

        // The list still shows "žádný port", and a read opens what the list shows.
        program.prompts.clear();
        program.line.existingPorts = {1};
        program.windows->qdx01->findChild<QPushButton*>("tl_precist")->click();
        QVERIFY(program.idle());
        QCOMPARE(program.prompts.texts(),
                 QStringList{QString::fromUtf8(vx52::kNoPortChosenText) + "."});
        QVERIFY(program.line.opened.empty());
    }
};

QTEST_MAIN(TestPortMenu)
#include "test_port_menu.moc"
