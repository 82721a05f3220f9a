// Polling the stations of a bus: the station lists the operator types, the order and backoff
// of the rounds over a simulated line with several regulators, and the CSV rows.

#include "bus/poll_round.h"
#include "fixtures/loopback_line.h"
#include "link/frame.h"
#include "link/link.h"
#include "link/station_list.h"

#include <QTest>

using namespace vx52;
using test::LoopbackLine;

namespace {

using Stations = std::vector<std::uint8_t>;

// Three regulators on one line; the link's own station is 1.
struct Bus {
    LoopbackLine line;
    Link link;
    PollSchedule schedule{{1, 5, 9}};
    std::vector<StationReading> readings;
    Bus() {
        line.addStation(5);
        line.addStation(9);
        line.OpenLine(1);
        link.setLine(&line);
        link.SetDeviceAddress(1);
        link.setClock([this] { return std::chrono::steady_clock::time_point(line.elapsed()); });
    }
    // The stations the round sent a request to, in order, and its virtual duration.
    std::pair<Stations, double> round(std::function<bool(std::uint8_t)> wantsType = {}) {
        line.advance(std::chrono::seconds(1)); // the period since the last round
        const std::size_t before = line.written.size();
        const auto start = line.elapsed();
        readings.clear();
        pollRound(link, schedule,
                  {{}, [this](const StationReading& r) { readings.push_back(r); }, {}, wantsType});
        Stations asked; // the measurement requests' stations
        for (std::size_t i = before; i < line.written.size(); ++i)
            if (line.written[i][7] == CMD_READ_MEAS) asked.push_back(line.written[i][4]);
        return {asked, double((line.elapsed() - start).count())};
    }
};

} // namespace

class TestBusPoll : public QObject {
    Q_OBJECT

private slots:
    void stationLists_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stations"); // formatted back; empty when refused
        QTest::addColumn<QString>("error");
        QTest::newRow("list and range") << "1, 5, 17-20"
                                        << "1, 5, 17-20"
                                        << "";
        QTest::newRow("unordered, repeated, spaced") << " 20 ,3,17 - 19,3 "
                                                     << "3, 17-20"
                                                     << "";
        QTest::newRow("pair stays a pair") << "7,8"
                                           << "7, 8"
                                           << "";
        QTest::newRow("whole bus") << "0-126"
                                   << "0-126"
                                   << "";
        QTest::newRow("blank") << "  "
                               << ""
                               << "no station given";
        QTest::newRow("broadcast") << "1,127"
                                   << ""
                                   << "\"127\": stations lie within 0..126";
        QTest::newRow("range beyond") << "120-130"
                                      << ""
                                      << "\"120-130\": stations lie within 0..126";
        QTest::newRow("huge") << "99999999999"
                              << ""
                              << "\"99999999999\": stations lie within 0..126";
        QTest::newRow("backwards")
            << "20-17"
            << ""
            << "\"20-17\": a range runs from the lower address to the higher";
        QTest::newRow("word") << "1,five"
                              << ""
                              << "\"five\" is neither an address nor a range such as 17-20";
        QTest::newRow("negative") << "-3"
                                  << ""
                                  << "\"-3\" is neither an address nor a range such as 17-20";
        QTest::newRow("open range") << "4-"
                                    << ""
                                    << "\"4-\" is neither an address nor a range such as 17-20";
        QTest::newRow("empty item") << "1,,2"
                                    << ""
                                    << "\"\" is neither an address nor a range such as 17-20";
        QTest::newRow("space inside") << "1 5"
                                      << ""
                                      << "\"1 5\" is neither an address nor a range such as 17-20";
    }
    void stationLists() {
        QFETCH(QString, text);
        QFETCH(QString, stations);
        QFETCH(QString, error);
        const StationListResult r = parseStationList(text.toStdString());
        QCOMPARE(QString::fromStdString(r.ok() ? formatStationList(r.stations) : ""), stations);
        QCOMPARE(QString::fromStdString(r.ok() ? "" : r.error->text()), error);
        if (!r.ok()) QVERIFY(r.stations.empty());
    }

    // Each station once per round, in order; the others are not held up by a silent one.
    void roundsAskEveryStationInTurn() {
        Bus b;
        const auto [asked, millis] = b.round();
        QVERIFY(b.readings[1].typeText.isEmpty()); // asked for only when wanted
        QCOMPARE(asked, (Stations{1, 5, 9}));
        QCOMPARE(b.readings.size(), std::size_t(3));
        for (const auto& r : b.readings)
            QVERIFY2(r.answered(), qPrintable(QString::number(r.station)));
        // Each station's own values, from its own process.
        QCOMPARE(b.readings[1].meas, b.line.stations().station(5)->tables().MEAS);
        QCOMPARE(b.readings[2].meas, b.line.stations().station(9)->tables().MEAS);
        QVERIFY(!(b.readings[1].meas == b.readings[2].meas));
        QCOMPARE(b.link.GetDeviceAddress(), std::uint8_t(1)); // the link's station is put back
        // 3 exchanges of 10 + 28 characters and the device's turnaround.
        QVERIFY(millis < 3 * (38 * sim::characterMillis(9600) + 4));

        // A station met for the first time: its type text, asked right after its measurement.
        const std::size_t before = b.line.written.size();
        b.round([](std::uint8_t s) { return s == 5; });
        QCOMPARE(b.readings[1].typeText, QStringLiteral("QDX 72-4xxx"));
        QVERIFY(b.readings[0].typeText.isEmpty() && b.readings[2].typeText.isEmpty());
        QCOMPARE(b.line.written.size(), before + 4);
        QCOMPARE(b.line.written[before + 2][7], std::uint8_t(CMD_TYPE));
        QCOMPARE(b.line.written[before + 2][4], std::uint8_t(5));
    }

    void silentStationBacksOffAndReturns() {
        Bus b;
        const double normal = b.round().second;
        b.line.stations().setSilent(5, true);
        // Asked three rounds in a row, each costing one time-out: the next station's exchange
        // is what would show a late reply...
        for (int round = 2; round <= 4; ++round) {
            const auto [asked, millis] = b.round();
            QCOMPARE(asked, (Stations{1, 5, 9}));
            QCOMPARE(b.readings[1].state, StationState::Failed);
            QCOMPARE(b.readings[1].cause, FailureCause::NoReply);
            QCOMPARE(b.readings[2].state, StationState::Answered);
            QCOMPARE(b.readings[1].backedOff, round == 4);
            QVERIFY2(millis <= normal + 556, qPrintable(QString::number(millis)));
        }
        QCOMPARE(b.schedule.backedOffStations(), Stations{5});
        // ... then only every tenth round, costing nothing in the others.
        std::vector<long long> askedIn;
        for (int round = 5; round <= 24; ++round) {
            const auto [asked, millis] = b.round();
            QCOMPARE(b.readings.size(), std::size_t(3)); // a row for every station all the same
            if (asked.size() == 3) {
                askedIn.push_back(round);
                QCOMPARE(b.readings[1].state, StationState::Failed);
            } else {
                QCOMPARE(asked, (Stations{1, 9}));
                QCOMPARE(b.readings[1].state, StationState::Skipped);
                QVERIFY(b.readings[1].backedOff);
                QVERIFY(millis < normal * 2 / 3 + 1); // no exchange, no wait
            }
        }
        QCOMPARE(askedIn, (std::vector<long long>{14, 24}));
        // Back on the bus: answered when next asked, and asked every round again.
        b.line.stations().setSilent(5, false);
        for (int round = 25; round <= 34; ++round)
            b.round();
        QCOMPARE(b.readings[1].state, StationState::Answered);
        QVERIFY(!b.readings[1].backedOff);
        QCOMPARE(b.round().first, (Stations{1, 5, 9}));
        QVERIFY(b.schedule.backedOffStations().empty());
    }

    // A station that answers after its time-out costs the round one time-out, and its reply
    // never passes for another answer: whoever asks it again before the time-out has passed
    // since waits the line quiet first.
    void lateStationIsWaitedOut() {
        Bus b;
        const double normal = b.round().second;
        sim::Regulator& late = *b.line.stations().station(9);
        late.setProcessRunning(false);
        late.setFault(sim::Fault::Late);
        const double millis = b.round().second;
        QCOMPARE(b.readings[2].state, StationState::Failed);
        QVERIFY2(millis <= normal + 556, qPrintable(QString::number(millis)));
        late.setFault(sim::Fault::None);
        late.tables().MEAS.OUT1 = 99.5f;
        b.link.SetDeviceAddress(9);
        QCOMPARE(b.link.ReadMeasurement(), std::uint8_t{1});
        QCOMPARE(b.link.params().MEAS.OUT1, 99.5f);

        // A reply broken off in the middle is waited out at once: its rest would fail the next.
        b.line.stations().station(5)->setFault(sim::Fault::Gap);
        b.round();
        QCOMPARE(b.readings[1].state, StationState::Failed);
        QCOMPARE(b.readings[2].state, StationState::Answered);

        // Two silent stations: two time-outs a round, round after round.
        b.line.stations().station(5)->setFault(sim::Fault::None);
        b.line.stations().setSilent(5, true);
        b.line.stations().setSilent(9, true);
        for (int round = 0; round < 2; ++round) {
            const double two = b.round().second;
            QVERIFY2(two <= normal + 2 * 556, qPrintable(QString::number(two)));
        }
    }

    void scheduleKeepsStateOfStationsThatStay() {
        PollSchedule s({3, 4});
        for (int i = 0; i < 3; ++i) {
            s.nextRound();
            s.record(3, false);
            s.record(4, false);
        }
        s.setStations({4, 6});
        QCOMPARE(s.backedOffStations(), Stations{4});
        const auto round = s.nextRound();
        QCOMPARE(round.size(), std::size_t(2));
        QVERIFY(!round[0].ask && round[1].ask);
        s.record(4, true); // an answer out of turn clears the backoff at once
        QVERIFY(!s.backedOff(4));
        QCOMPARE(s.silentRounds(4), 0);
    }

    void csvRows_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("row");
        const auto answered = int(StationState::Answered);
        const auto failed = int(StationState::Failed);
        QTest::newRow("answered") << answered << 0
                                  << "2026-03-14T10:00:01+01:00,17,21.5,0.25,-3,1000,1001,ok";
        QTest::newRow("no reply") << failed << int(FailureCause::NoReply)
                                  << "2026-03-14T10:00:01+01:00,17,,,,,,bez odpovědi";
        QTest::newRow("bad reply") << failed << int(FailureCause::BadCheckSum)
                                   << "2026-03-14T10:00:01+01:00,17,,,,,,chybná odpověď";
        QTest::newRow("line failed") << failed << int(FailureCause::LineFailed)
                                     << "2026-03-14T10:00:01+01:00,17,,,,,,linka selhala";
        QTest::newRow("skipped") << int(StationState::Skipped) << 0
                                 << "2026-03-14T10:00:01+01:00,17,,,,,,vynechána";
    }
    void csvRows() {
        QFETCH(int, state);
        QFETCH(int, cause);
        QFETCH(QString, row);
        StationReading r;
        r.station = 17;
        r.time = QDateTime(QDate(2026, 3, 14), QTime(10, 0, 1), Qt::OffsetFromUTC, 3600);
        r.state = StationState(state);
        r.cause = FailureCause(cause);
        r.meas = {21.5f, 0.25f, -3.0f, 1000.0f, 0x09, 0};
        QCOMPARE(csvRow(r), row);
        QCOMPARE(csvHeader(), QStringLiteral("čas,stanice,OUT 1,OUT 2,OUT 3,OUT 4,relé,stav"));
    }
};

QTEST_GUILESS_MAIN(TestBusPoll)
#include "test_bus_poll.moc"
