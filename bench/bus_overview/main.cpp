// The bus overview's polling and memory.
//
// Rounds: one polling round over 32 stations at 9600 bit/s through the real serial line
// against vx52-sim --stations on a pseudo-terminal, against the wire time of 32 measurement
// exchanges (38 characters of 11 bits each: 1.393 s); then the same with one station silent:
// the rounds that ask it cost at most one time-out (556 ms) more, the rounds that skip it
// nothing. Memory: 126 stations polled every second for 24 hours, the readings fed into the
// overview's board (trends of the last minutes) and its CSV recording (written every round to
// a file emptied after each write) on a fast clock; resident memory at simulated hour marks.
//
//   build/release/bench/bus_overview/bench_bus_overview [--hours H]

#include "app/overview/overview_record.h"
#include "app/overview/station_board.h"
#include "bus/poll_round.h"
#include "link/link.h"
#include "link/port/serial_line.h"
#include "port/sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <numeric>

using namespace vx52;

namespace {

constexpr int kStations = 32;
constexpr double kWireSeconds = kStations * 38 * 11 / 9600.0;
constexpr double kTimeOutSeconds = 0.556;

struct Rounds {
    std::vector<double> seconds;
    std::vector<bool> askedSilent; // the silent station was asked in that round
    int good = 0;
    int failed = 0;
};

Rounds poll(const QStringList& simArguments, int rounds, std::uint8_t silent) {
    test::SimProcess sim(QStringList{"--stations", QStringLiteral("1-%1").arg(kStations)} +
                         simArguments);
    Rounds out;
    if (!sim.running()) return out;
    const QString path = sim.path();
    SerialLine line(ComPorts([path](const QString&, const QString&) { return path; }));
    line.setComNumber(1);
    line.setBaudRate(9600);
    line.OpenLine(1);
    Link link;
    link.setLine(&line);
    std::vector<std::uint8_t> stations(kStations);
    std::iota(stations.begin(), stations.end(), std::uint8_t(1));
    PollSchedule schedule(stations);
    for (int r = 0; r < rounds; ++r) {
        bool asked = false;
        PollRoundHooks hooks;
        hooks.reading = [&](const StationReading& reading) {
            if (reading.answered()) ++out.good;
            if (reading.state == StationState::Failed) ++out.failed;
            if (reading.station == silent) asked = reading.state != StationState::Skipped;
        };
        QElapsedTimer clock;
        clock.start();
        pollRound(link, schedule, hooks);
        out.seconds.push_back(double(clock.nsecsElapsed()) / 1e9);
        out.askedSilent.push_back(asked);
    }
    line.CloseLine();
    return out;
}

double mean(const std::vector<double>& v) {
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

long residentKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : status.readAll().split('\n'))
        if (l.startsWith(field)) return l.mid(int(qstrlen(field))).trimmed().split(' ')[0].toLong();
    return -1;
}

void memory(int hours) {
    std::printf("\n%-8s %-12s %-12s %-14s %s\n", "hours", "RSS MB", "peak MB", "trend points",
                "rows written");
    std::vector<std::uint8_t> stations(126);
    std::iota(stations.begin(), stations.end(), std::uint8_t(0));
    StationBoard board;
    board.setStations(stations);
    // The file keeps the rest: emptied after each write, so the day does not fill the disk.
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("bus.csv"));
    OverviewRecord record;
    record.setFile(file);
    QDateTime t(QDate(2026, 3, 14), QTime(0, 0));
    long long rows = 0;
    for (int second = 1; second <= hours * 3600; ++second) {
        t = t.addSecs(1);
        for (const auto s : stations) {
            StationReading r;
            r.station = s;
            r.time = t;
            r.round = second;
            // One station in ten silent, as a plant's bus may well have.
            if (s % 10 == 3) {
                r.state = second % 10 == 0 ? StationState::Failed : StationState::Skipped;
                r.cause = FailureCause::NoReply;
                r.backedOff = true;
            } else {
                r.state = StationState::Answered;
                r.meas = {20.0f + float(second % 600) / 60.0f, float(s), -1.5f, 1000.0f,
                          std::uint8_t(second & 0x0F),         0};
                if (second == 1) r.typeText = QStringLiteral("QDX 72-4xxx");
            }
            board.take(r);
            record.add(r);
            ++rows;
        }
        record.write();
        QFile::resize(file, 0);
        if (second % 3600 == 0 && (second / 3600 == 1 || (second / 3600) % 6 == 0)) {
            std::size_t points = 0;
            for (const auto& st : board.stations())
                points += st.trend.points().size();
            std::printf("%-8d %-12.1f %-12.1f %-14zu %lld\n", second / 3600,
                        double(residentKb("VmRSS:")) / 1024, double(residentKb("VmHWM:")) / 1024,
                        points, rows);
            std::fflush(stdout);
        }
    }
    std::printf(
        "126 stations, %d h of rounds every second: peak resident %.1f MB (target < 100 MB)\n",
        hours, double(residentKb("VmHWM:")) / 1024);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int hours = 24;
    const QStringList args = app.arguments();
    if (const auto i = args.indexOf(QStringLiteral("--hours")); i > 0 && i + 1 < args.size())
        hours = std::max(1, args[i + 1].toInt());

    std::printf("%-34s %-8s %-10s %-10s %-10s %s\n", "rounds over 32 stations, 9600 bit/s",
                "rounds", "mean s", "max s", "wire s", "mean / wire");
    const Rounds all = poll({}, 5, 0);
    std::printf("%-34s %-8zu %-10.3f %-10.3f %-10.3f %.3f (target <= 1.2)\n", "all answer",
                all.seconds.size(), mean(all.seconds),
                all.seconds.empty() ? 0 : *std::max_element(all.seconds.begin(), all.seconds.end()),
                kWireSeconds, mean(all.seconds) / kWireSeconds);
    std::fflush(stdout);

    // Station 7 silent: asked in rounds 1-3 and 13, skipped in 4-12 and 14-15.
    const Rounds silent = poll({"--silent-stations", "7"}, 15, 7);
    std::vector<double> asked;
    std::vector<double> skipped;
    for (std::size_t r = 0; r < silent.seconds.size(); ++r)
        (silent.askedSilent[r] ? asked : skipped).push_back(silent.seconds[r]);
    const double base = mean(all.seconds);
    std::printf("%-34s %-8zu %-10.3f %-10.3f %-10s +%.3f s vs all answer (target <= %.3f)\n",
                "station 7 silent, asked", asked.size(), mean(asked),
                asked.empty() ? 0 : *std::max_element(asked.begin(), asked.end()), "",
                mean(asked) - base, kTimeOutSeconds);
    std::printf("%-34s %-8zu %-10.3f %-10.3f %-10s %+.3f s vs all answer (target <= 0)\n",
                "station 7 silent, skipped", skipped.size(), mean(skipped),
                skipped.empty() ? 0 : *std::max_element(skipped.begin(), skipped.end()), "",
                mean(skipped) - base);
    std::printf("good readings %d, failed %d\n", all.good + silent.good,
                all.failed + silent.failed);
    std::fflush(stdout);

    memory(hours);
    return 0;
}
