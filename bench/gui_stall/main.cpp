// How long the GUI thread stops handling events while the program talks to a regulator that
// does not answer (vx52-sim --fault silent on a pseudo-terminal, through the real serial line
// and the line worker), as the operator drives it: automatic reading, the normal and the fast
// address search, how long "Přerušit" takes to stop a search, opening "Parametry regulátoru"
// and the editor's "Čtení". A 10 ms timer on the GUI
// thread notes its own lateness; the largest lateness is the longest stall. One row a
// scenario, with the figures of the program that exchanged on the GUI thread beside it.
//
//   tools/gui_stall.sh BUILD_DIR    (QT_QPA_PLATFORM=offscreen or under Xvfb)

#include "app/Unit_hl.h"
#include "app/dialogs/Unitport.h"
#include "app/windows.h"
#include "fixtures/scripted_prompts.h"
#include "link/port/serial_line.h"
#include "params/Unitmenumod.h"
#include "port/sim_process.h"
#include "ui/clock.h"
#include "ui/qt_settings_store.h"
#include "ui_Unit_hl.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vx52;

namespace {

// A 10 ms timer that notes how late it comes: the GUI thread's longest stall since reset().
class StallProbe {
public:
    StallProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            worst_ = std::max(worst_, now - last_ - kTickMs);
            last_ = now;
        });
        clock_.start();
        last_ = clock_.elapsed();
        timer_.start(kTickMs);
    }
    void reset() {
        worst_ = 0;
        last_ = clock_.elapsed();
    }
    qint64 worst() const { return worst_; }

private:
    static constexpr qint64 kTickMs = 10;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 worst_ = 0;
};

struct Row {
    const char* scenario;
    const char* before; // the same, exchanging on the GUI thread
    qint64 stallMs = -1;
    qint64 stopMs = -1; // Přerušit until the search had stopped
    double perAddressMs = -1;
    double seconds = 0;
};

void print(const Row& r) {
    std::printf("%-36s %10lld %20s %12s %10s %8.1f\n", r.scenario,
                static_cast<long long>(r.stallMs), r.before,
                r.perAddressMs < 0 ? "-" : QByteArray::number(r.perAddressMs, 'f', 0).constData(),
                r.stopMs < 0 ? "-" : QByteArray::number(r.stopMs).constData(), r.seconds);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    test::SimProcess sim({"--address", "1", "--fault", "silent"});
    if (!sim.running()) {
        std::fprintf(stderr, "vx52-sim did not start\n");
        return 1;
    }
    QTemporaryDir dir;
    QtSettingsStore settings(dir.filePath(QStringLiteral("TevVx52.ini")));
    settings.writeString("PORT", "DEVICE1", sim.path());
    settings.writeInteger("PORT", "COM", 1);
    settings.writeInteger("PORT", "BAUDRATE", 9600);
    settings.writeInteger("ADRESA", "DA", 1);
    SerialLine line(ComPorts([&settings](const QString& key, const QString& fallback) {
        return settings.readString(QStringLiteral("PORT"), key, fallback);
    }));
    test::ScriptedPrompts prompts; // every box answered at once: no person to wait for
    SystemClock clock;
    SleepingPause pause;
    AppWindows windows(
        {settings, line, prompts, clock, pause, [&line](QThread* to) { line.moveToThread(to); }});
    Tqdx01& main = *windows.qdx01;
    main.show();
    StallProbe probe;
    QElapsedTimer took;
    std::vector<Row> rows;

    std::printf("%-36s %10s %20s %12s %10s %8s\n", "scenario (regulator silent)", "stall ms",
                "before (GUI thread)", "ms/address", "stop ms", "time s");

    { // Automatic reading for 8 s.
        Row r{"automatic reading, 8 s", "570 per second"};
        probe.reset();
        took.start();
        main.ui->check_auto->click();
        QTest::qWait(8000);
        main.ui->check_auto->click();
        QTest::qWaitFor([&] { return !windows.worker().busy(); }, 5000);
        r.stallMs = probe.worst();
        r.seconds = took.elapsed() / 1000.0;
        rows.push_back(r);
        print(r);
    }

    // The port dialog runs its own loop: each search is driven from a timer polling for the
    // state it waits for.
    for (const bool fast : {false, true}) {
        Row r{fast ? "fast search, 8 s, then Přerušit" : "normal search, 8 s, then Přerušit",
              "510 per address"};
        Tport& port = *windows.port;
        int state = 0;
        QElapsedTimer stopping;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (state == 0 && port.isVisible() && !windows.worker().busy()) {
                state = 1;
                port.findChild<QCheckBox*>("check_rychle")->setChecked(fast);
                probe.reset();
                took.start();
                port.findChild<QPushButton*>("tl_najit")->click();
                QTimer::singleShot(8000, &port, [&] {
                    stopping.start();
                    r.perAddressMs = double(took.elapsed()) / std::max(1, port.search_addr());
                    port.findChild<QPushButton*>("tl_prerusit")->click();
                    state = 2;
                });
            } else if (state == 2 && !windows.worker().busy()) {
                state = 3;
                r.stopMs = stopping.elapsed();
                r.stallMs = probe.worst();
                r.seconds = took.elapsed() / 1000.0;
                port.findChild<QPushButton*>("tl_ok")->click();
            }
        });
        poll.start(5);
        main.ui->mn_port->trigger();
        poll.stop();
        QTest::qWaitFor([&] { return !windows.worker().busy(); }, 5000);
        rows.push_back(r);
        print(r);
    }

    { // "Parametry regulátoru": the loading dialog and the editor's first read, then "Čtení".
        Row open{"open Parametry regulátoru", "920 per stall"};
        Row read{"editor Čtení", "1470 per stall"};
        QWidget* editor = windows.menu_mod;
        probe.reset();
        took.start();
        main.ui->mn_parametry->trigger();
        QTest::qWaitFor([&] { return editor->isVisible() && !windows.worker().busy(); }, 120000);
        open.stallMs = probe.worst();
        open.seconds = took.elapsed() / 1000.0;
        probe.reset();
        took.start();
        editor->findChild<QPushButton*>("Button1")->click();
        QTest::qWait(50);
        QTest::qWaitFor([&] { return !windows.worker().busy(); }, 120000);
        read.stallMs = probe.worst();
        read.seconds = took.elapsed() / 1000.0;
        windows.menu_mod->reject();
        QTest::qWaitFor([&] { return !windows.worker().busy(); }, 10000);
        for (const Row& r : {open, read}) {
            rows.push_back(r);
            print(r);
        }
    }

    qint64 worst = 0;
    for (const Row& r : rows)
        worst = std::max(worst, r.stallMs);
    std::printf("longest stall of all: %lld ms (target: under 50 ms)\n",
                static_cast<long long>(worst));
    return 0;
}
