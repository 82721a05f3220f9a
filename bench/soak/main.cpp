// Unattended reading and recording, as a technician leaves it overnight: the program's own
// windows over the real serial line to vx52-sim on a pseudo-terminal reached through a
// symbolic link, "Automatické čtení" and "Zápis do souboru" ticked, the file written every
// minute. Part way the simulator is killed and, after a pause, started again under the same
// link, as an adapter pulled out and plugged back in. Boxes are counted and answered at once.
//
// Prints one row per interval (seconds elapsed, record lines, lines in the file, boxes, link
// state, memory) and a summary: boxes and their texts, seconds from the restart to the first
// good reading, memory at start and end.
//
// bench_soak --sim PATH --link PATH --file PATH [--minutes M] [--restart-at S] [--down S]
//            [--every S] [-- sim options...]

#include "app/Unit_hl.h"
#include "app/windows.h"
#include "link/port/serial_line.h"
#include "ui/clock.h"
#include "ui/pause.h"
#include "ui/qt_settings_store.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {

class CountingPrompts : public vx52::Prompts {
public:
    QString recordFile;
    QStringList boxes;
    QList<qint64> boxTimes;
    const QElapsedTimer* since = nullptr;

    Answer message(QWidget*, const QString& text, const QString&, Icon,
                   Buttons buttons) override {
        if (buttons == Buttons::Ok) {
            boxes << text;
            boxTimes << (since ? since->elapsed() / 1000 : 0);
            return Answer::Ok;
        }
        return Answer::Yes; // "Chceš vymazat naměřená data?": a fresh recording
    }
    QString openFile(QWidget*, const FileDialog&) override { return {}; }
    QString saveFile(QWidget*, const FileDialog&) override { return recordFile; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
};

double residentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

int fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    return int(file.readAll().count('\n'));
}

class Simulator {
public:
    Simulator(QString program, QStringList arguments)
        : program_(std::move(program)), arguments_(std::move(arguments)) {}
    bool start() {
        process_ = std::make_unique<QProcess>();
        process_->setProgram(program_);
        process_->setArguments(arguments_);
        process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_->start();
        if (!process_->waitForStarted(5000)) return false;
        while (!process_->canReadLine())
            if (!process_->waitForReadyRead(5000)) return false;
        return process_->readLine().startsWith("PTY ");
    }
    void kill() {
        if (!process_) return;
        ::kill(pid_t(process_->processId()), SIGKILL);
        process_->waitForFinished(3000);
        process_.reset();
    }
    ~Simulator() {
        if (!process_) return;
        process_->terminate();
        if (!process_->waitForFinished(3000)) kill();
    }

private:
    QString program_;
    QStringList arguments_;
    std::unique_ptr<QProcess> process_;
};

const char* stateName(vx52::LinkWatch::State state) {
    switch (state) {
    case vx52::LinkWatch::State::NotRead: return "not read";
    case vx52::LinkWatch::State::Connected: return "connected";
    case vx52::LinkWatch::State::Silent: return "silent";
    case vx52::LinkWatch::State::CannotOpen: return "cannot open";
    }
    return "?";
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString simProgram, link, file;
    double minutes = 15;
    int restartAt = -1, down = 20, every = 30;
    QStringList simArguments;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto next = [&] { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == QLatin1String("--")) {
            simArguments = args.mid(i + 1);
            break;
        }
        if (a == QLatin1String("--sim")) simProgram = next();
        else if (a == QLatin1String("--link")) link = next();
        else if (a == QLatin1String("--file")) file = next();
        else if (a == QLatin1String("--minutes")) minutes = next().toDouble();
        else if (a == QLatin1String("--restart-at")) restartAt = next().toInt();
        else if (a == QLatin1String("--down")) down = next().toInt();
        else if (a == QLatin1String("--every")) every = next().toInt();
        else {
            std::fprintf(stderr, "bench_soak: unknown argument %s\n", qPrintable(a));
            return 2;
        }
    }
    if (simProgram.isEmpty() || link.isEmpty() || file.isEmpty()) {
        std::fprintf(stderr, "bench_soak: --sim, --link and --file are needed\n");
        return 2;
    }
    const int total = int(minutes * 60);
    if (restartAt < 0) restartAt = total / 2;

    Simulator sim(simProgram, QStringList{"--pty", "--link", link} + simArguments);
    if (!sim.start()) {
        std::fprintf(stderr, "bench_soak: the simulator did not start\n");
        return 1;
    }

    QTemporaryDir storeDir;
    vx52::QtSettingsStore settings(storeDir.filePath(QStringLiteral("soak.ini")));
    settings.writeInteger(QStringLiteral("PORT"), QStringLiteral("COM"), 1);
    settings.writeString(QStringLiteral("PORT"), QStringLiteral("DEVICE1"), link);
    settings.writeInteger(QStringLiteral("ADRESA"), QStringLiteral("DA"), 1);
    vx52::SerialLine line(vx52::ComPorts([&settings](const QString& key, const QString& fallback) {
        return settings.readString(QStringLiteral("PORT"), key, fallback);
    }));
    CountingPrompts prompts;
    prompts.recordFile = file;
    vx52::SystemClock clock;
    vx52::SleepingPause pause;
    vx52::AppWindows windows({settings, line, prompts, clock, pause});
    Tqdx01& main = *windows.qdx01;
    main.show();
    main.setFileMinutes(1);

    QElapsedTimer elapsed;
    elapsed.start();
    prompts.since = &elapsed;
    const double memoryStart = residentMiB();
    main.findChild<QCheckBox*>(QStringLiteral("check_auto"))->click();
    main.findChild<QCheckBox*>(QStringLiteral("check_zapis"))->click(); // Yes, then the file

    std::printf("%8s %12s %11s %6s %-12s %8s %8s %9s\n", "seconds", "record lines", "file lines",
                "boxes", "link", "good", "failed", "RSS MiB");
    const auto row = [&] {
        const auto& watch = main.link_watch;
        std::printf("%8lld %12zu %11d %6lld %-12s %8lld %8lld %9.1f\n",
                    static_cast<long long>(elapsed.elapsed() / 1000),
                    main.record.count() > 3 ? main.record.count() - 3 : 0, fileLines(file),
                    static_cast<long long>(prompts.boxes.size()), stateName(watch.state()),
                    static_cast<long long>(watch.goodReads()),
                    static_cast<long long>(watch.failedReads()), residentMiB());
        std::fflush(stdout);
    };

    enum class Phase { Before, Down, Restarted, Resumed } phase = Phase::Before;
    QDateTime restartedAt;
    double resumeSeconds = -1;
    std::int64_t goodAtRestart = 0;
    QTimer rows;
    QObject::connect(&rows, &QTimer::timeout, row);
    rows.start(every * 1000);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 now = elapsed.elapsed();
        if (phase == Phase::Before && now >= restartAt * 1000LL) {
            sim.kill();
            std::printf("-- %lld s: simulator killed\n", static_cast<long long>(now / 1000));
            phase = Phase::Down;
        } else if (phase == Phase::Down && now >= (restartAt + down) * 1000LL) {
            if (!sim.start()) std::printf("-- the simulator did not start again\n");
            restartedAt = QDateTime::currentDateTime();
            goodAtRestart = main.link_watch.goodReads();
            std::printf("-- %lld s: simulator started again\n",
                        static_cast<long long>(elapsed.elapsed() / 1000));
            phase = Phase::Restarted;
        } else if (phase == Phase::Restarted && main.link_watch.goodReads() > goodAtRestart) {
            resumeSeconds = restartedAt.msecsTo(main.link_watch.lastGood()) / 1000.0;
            phase = Phase::Resumed;
        }
        if (now >= total * 1000LL) app.quit();
    });
    watch.start(20);
    app.exec();
    row();
    main.findChild<QCheckBox*>(QStringLiteral("check_auto"))->click(); // readings stop
    main.mn_ulozitClick();

    std::printf("\nboxes shown: %lld\n", static_cast<long long>(prompts.boxes.size()));
    for (int i = 0; i < prompts.boxes.size(); ++i)
        std::printf("  at %lld s: %s\n", static_cast<long long>(prompts.boxTimes[i]),
                    prompts.boxes[i].toUtf8().constData());
    if (resumeSeconds >= 0)
        std::printf("restart to first good reading: %.2f s\n", resumeSeconds);
    else
        std::printf("restart to first good reading: none\n");
    std::printf("record lines: %zu in memory, %d lines in the file (3 header lines)\n",
                main.record.count(), fileLines(file));
    std::printf("memory: %.1f MiB at start, %.1f MiB at end\n", memoryStart, residentMiB());
    return 0;
}
