// The port dialog's address search of 0..126, as the operator runs it ("Najít adresy"), through
// the real serial line against vx52-sim on a pseudo-terminal with stations 1, 5 and 17: normal
// and fast ("Rychlé hledání"), at 9600 and 115200 bit/s. One row a search.
//
//   build/rel/bench/port_search/bench_port_search      (QT_QPA_PLATFORM=offscreen)

#include "app/dialogs/Unitport.h"
#include "fixtures/fake_time.h"
#include "fixtures/scripted_prompts.h"
#include "link/link.h"
#include "link/port/serial_line.h"
#include "port/sim_process.h"
#include "ui/qt_settings_store.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace vx52;

namespace {

struct Outcome {
    double seconds = 0;
    QStringList found;
    bool finished = false;
};

Outcome search(int baud, bool fast) {
    test::SimProcess sim({"--address", "1", "--also-answer", "5,17", "--baud",
                          QString::number(baud)});
    Outcome outcome;
    if (!sim.running()) return outcome;
    QTemporaryDir dir;
    QtSettingsStore settings(dir.filePath(QStringLiteral("TevVx52.ini")));
    settings.writeString("PORT", "DEVICE1", sim.path());
    settings.writeInteger("PORT", "COM", 1);
    settings.writeInteger("PORT", "BAUDRATE", baud);
    settings.writeInteger("ADRESA", "DA", 1);
    SerialLine line(ComPorts([&settings](const QString& key, const QString& fallback) {
        return settings.readString(QStringLiteral("PORT"), key, fallback);
    }));
    Link link;
    link.setLine(&line);
    test::ScriptedPrompts prompts;
    test::FakeClock clock;
    SleepingPause pause; // the normal search's gaps take their time, as in the program
    // The serial port belongs to the line worker's thread, as in the program.
    LineWorker worker{link, line, pause, [&line](QThread* to) { line.moveToThread(to); }};
    AppContext ctx{link, line, settings, prompts, clock, pause, worker};
    Tport port(ctx);
    port.show(); // opens the line on the worker
    port.findChild<QCheckBox*>("check_rychle")->setChecked(fast);
    QDeadlineTimer opening(10000);
    while (worker.busy() && !opening.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

    QElapsedTimer elapsed;
    elapsed.start();
    port.findChild<QPushButton*>("tl_najit")->click();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!port.searching() || elapsed.elapsed() > 300000) loop.quit();
    });
    poll.start(5);
    loop.exec();
    outcome.seconds = static_cast<double>(elapsed.elapsed()) / 1000.0;
    outcome.finished = !port.searching();
    const auto* table = port.findChild<QTableWidget*>("str_tab");
    for (int a = 0; a <= 126; ++a) {
        const QString text = table->item(a / 16, a % 16)->text().trimmed();
        if (!text.isEmpty()) outcome.found << text;
    }
    port.findChild<QPushButton*>("tl_ok")->click();
    return outcome; // the worker closes the line as it stops
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::printf("%-8s %-7s %-10s %s\n", "bit/s", "search", "seconds", "found");
    double slowest = 0;
    for (const int baud : {9600, 115200}) {
        for (const bool fast : {false, true}) {
            const Outcome o = search(baud, fast);
            std::printf("%-8d %-7s %-10.2f %s%s\n", baud, fast ? "fast" : "normal", o.seconds,
                        qPrintable(o.found.join(',')), o.finished ? "" : " (not finished)");
            std::fflush(stdout);
            if (fast) slowest = std::max(slowest, o.seconds);
        }
    }
    std::printf("slowest fast search of 0..126: %.2f s\n", slowest);
    return 0;
}
