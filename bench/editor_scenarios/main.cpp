// Drives the loading dialog and the parameter editor over a serial line to vx52-sim, clicking
// their buttons and typing into their entries; the boxes are answered from a script and
// printed. Usage:
//   bench_editor_scenarios DEVICE SIM_PID failed-load   silent regulator while the editor
//       opens, then back (SIGUSR1 to SIM_PID); "Zápis": Ano to the device, Ne to the cards
//       never filled, Ano to the preview
//   bench_editor_scenarios DEVICE SIM_PID type-back     PID: type 3, "Zápis karty", type
//       4,00, "Zápis karty"
//   bench_editor_scenarios DEVICE SIM_PID silent        silent regulator: how long the window
//       went without handling events while the editor opened, during "Čtení", and how long
//       "Storno" took to stop it
// What the regulator then holds is read with vx52-cli (tools/editor_scenarios.sh).

#include "fixtures/memory_store.h"
#include "fixtures/scripted_prompts.h"
#include "link/link.h"
#include "link/port/serial_line.h"
#include "params/Unitmenumod.h"
#include "params/load_form.h"
#include "ui/app_context.h"
#include "ui/clock.h"
#include "ui/pause.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include <csignal>
#include <cstdio>

using namespace vx52;

namespace {

void printAsked(test::ScriptedPrompts& prompts) {
    for (const auto& a : prompts.asked)
        std::printf("  box \"%s\": %s\n", qPrintable(a.caption),
                    qPrintable(QString(a.text).replace('\n', QStringLiteral(" / "))));
    prompts.asked.clear();
}

// The longest time between two ticks of a 5 ms timer on the GUI thread: how long the window
// could not paint or take input.
class Heartbeat {
public:
    Heartbeat() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, since_.restart()); });
    }
    void start() {
        longest_ = 0;
        since_.start();
        timer_.start();
    }
    qint64 stop() {
        timer_.stop();
        return std::max(longest_, since_.elapsed());
    }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

void typeInto(QLineEdit* entry, const QString& text) {
    entry->selectAll();
    QTest::keyClicks(entry, text);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_editor_scenarios DEVICE SIM_PID failed-load|type-back|silent\n");
        return 2;
    }
    const QString device = QString::fromLocal8Bit(argv[1]);
    const int simPid = atoi(argv[2]);
    const QString scenario = QString::fromLatin1(argv[3]);

    SerialLine line(ComPorts([device](const QString&, const QString&) { return device; }));
    line.setComNumber(1);
    line.setBaudRate(9600);
    Link link;
    link.setLine(&line);
    link.SetDeviceAddress(1);
    link.SetHostAddress(0);
    test::MemoryStore settings;
    test::ScriptedPrompts prompts;
    SystemClock clock;
    SleepingPause pause;
    // The port lives on the worker's thread, which opens it, exchanges and closes it.
    LineWorker worker{link, line, pause, [&line](QThread* to) { line.moveToThread(to); }};
    AppContext ctx{link, line, settings, prompts, clock, pause, worker};
    // Until what was handed to the worker is over (a minute at most).
    const auto settle = [&worker] {
        const QDeadlineTimer deadline(60000);
        while (worker.busy() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    };
    Piece open;
    open.name = QStringLiteral("open");
    open.run = [](Session& s) { s.line().OpenLine(1); };
    worker.submit(std::move(open));
    settle();

    Tmenu_mod editor(ctx);
    Tload_form loading(ctx, editor);
    const auto press = [&editor, &settle](const char* name) {
        editor.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        settle();
    };
    const auto status = [&editor] {
        return editor.findChild<QLabel*>(QStringLiteral("lb_stav"))->text();
    };

    std::printf("loading dialog and editor opened\n");
    Heartbeat heartbeat;
    QElapsedTimer took;
    heartbeat.start();
    took.start();
    loading.exec();
    editor.show();
    settle();
    const qint64 openGap = heartbeat.stop();
    const qint64 openTook = took.elapsed();
    printAsked(prompts);

    if (scenario == QLatin1String("silent")) {
        std::printf("%-34s %12s %10s\n", "silent regulator", "longest gap", "took");
        std::printf("%-34s %9lld ms %7lld ms\n", "open Parametry regulátoru", openGap, openTook);
        heartbeat.start();
        took.restart();
        press("Button1");
        std::printf("%-34s %9lld ms %7lld ms\n", "Čtení", heartbeat.stop(), took.elapsed());
        printAsked(prompts);
        // "Storno" a second into a read-all: how long until the pass has stopped.
        QElapsedTimer stopping;
        QTimer::singleShot(1000, &editor, [&] {
            heartbeat.start();
            stopping.start();
            editor.findChild<QPushButton*>(QStringLiteral("tl_storno"))->click();
        });
        press("Button1");
        std::printf("%-34s %9lld ms %7lld ms\n", "Storno during Čtení", heartbeat.stop(),
                    stopping.elapsed());
        std::printf("  status: %s\n", qPrintable(status()));
        editor.hide();
        return 0;
    }

    if (scenario == QLatin1String("failed-load")) {
        ::kill(simPid, SIGUSR1); // the regulator answers again
        std::printf("regulator back; Zápis\n");
        prompts.answers = {Prompts::Answer::Yes, Prompts::Answer::No, Prompts::Answer::Yes,
                           Prompts::Answer::No};
        press("Button2");
        printAsked(prompts);
        std::printf("  status: %s\n", qPrintable(status()));
    } else {
        editor.pageControl()->setCurrentIndex(7);
        auto* pb = editor.findChild<QLineEdit*>(QStringLiteral("ed_pb"));
        std::printf("PID shows PB %s; type 3, Zápis karty\n", qPrintable(pb->text()));
        typeInto(pb, QStringLiteral("3"));
        press("tl_zapis");
        printAsked(prompts);
        std::printf("  status: %s\n", qPrintable(status()));
        std::printf("type 4,00, Zápis karty\n");
        typeInto(pb, QStringLiteral("4,00"));
        press("tl_zapis");
        printAsked(prompts);
        std::printf("  status: %s; the card shows PB %s\n", qPrintable(status()),
                    qPrintable(pb->text()));
    }
    editor.hide();
    return 0;
}
