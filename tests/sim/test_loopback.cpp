// The in-process line the window tests use: its read time-out rule in virtual time, its
// open failures and the record it keeps.

#include "fixtures/loopback_line.h"
#include "link/link.h"
#include "link/tables.h"

#include <functional>

#include <QTest>

using namespace vx52;
using namespace std::chrono_literals;
using test::LoopbackLine;

class TestLoopback : public QObject {
    Q_OBJECT

private slots:
    void readEndsByTheTimeOutRule() {
        LoopbackLine line;
        Link link;
        link.setLine(&line);
        link.SetDeviceAddress(1);
        line.OpenLine(1);

        // A failed exchange's own read is the first after its write; the rest wait for quiet.
        std::size_t mark = 0;
        const auto exchangeRead = [&] { return line.reads.at(mark); };
        line.setDeviceKind(sim::DeviceKind::Nothing);
        mark = line.reads.size();
        QVERIFY(!link.ReadMeasurement());
        QCOMPARE(exchangeRead().received, std::size_t(0));
        QCOMPARE(exchangeRead().millis, 556.0);
        mark = line.reads.size();
        QVERIFY(!link.ProbeStation());
        QCOMPARE(exchangeRead().millis, 512.0);

        // A fast probe waits 50 ms; a read right after it, answered or not, its whole time-out.
        mark = line.reads.size();
        QVERIFY(!link.ProbeStationFast());
        QCOMPARE(exchangeRead().millis, 50.0);
        mark = line.reads.size();
        QVERIFY(!link.ReadMeasurement());
        QCOMPARE(exchangeRead().millis, 556.0);
        line.setDeviceKind(sim::DeviceKind::Regulator);
        QVERIFY(link.ProbeStationFast());
        line.setDeviceKind(sim::DeviceKind::Nothing);
        mark = line.reads.size();
        QVERIFY(!link.ReadMeasurement());
        QCOMPARE(exchangeRead().millis, 556.0);

        // A reply broken by a long pause ends 100 ms after the last byte before it.
        line.setDeviceKind(sim::DeviceKind::Regulator);
        line.setFault(sim::Fault::Gap);
        mark = line.reads.size();
        QVERIFY(!link.ReadMeasurement());
        QCOMPARE(exchangeRead().received, std::size_t(14));
        const double perChar = sim::characterMillis(9600);
        QVERIFY(std::fabs(exchangeRead().millis - (3 + 14 * perChar + 100)) < 0.5);

        // A text reply of unknown length ends 100 ms after its last byte.
        line.setFault(sim::Fault::None);
        QVERIFY(link.ReadDeviceVersion());
        QVERIFY(line.lastRead().millis > 100 && line.lastRead().millis < 200);

        // At 110 bit/s 28 bytes take over 3 s: the rule stretches with the speed, so they fit,
        // and a silent probe costs 6 character times + 500 ms.
        line.setBaudRate(110);
        line.ApplyLineSettings();
        QVERIFY(link.ReadMeasurement());
        QCOMPARE(line.lastRead().received, std::size_t(28));
        line.setDeviceKind(sim::DeviceKind::Nothing);
        mark = line.reads.size();
        QVERIFY(!link.ProbeStation());
        QCOMPARE(exchangeRead().millis, 1100.0);
    }

    // Replies carry no command: only the wait for a quiet line after a failure keeps a late
    // reply from answering the next request. Whatever the lateness, an operation succeeds
    // exactly when its own reply came in time, with its own data; a healthy exchange reads
    // once and no more.
    void lateRepliesNeverAnswerAnotherRequest_data() {
        QTest::addColumn<int>("lateMs");
        QTest::addColumn<double>("rate");
        QTest::newRow("healthy") << 0 << 0.0;
        QTest::newRow("all 300 ms late, within the time-out") << 300 << 1.0;
        QTest::newRow("all 700 ms late, past it") << 700 << 1.0;
        QTest::newRow("every other 700 ms late") << 700 << 0.5;
        QTest::newRow("a third 1000 ms late") << 1000 << 0.33;
    }
    void lateRepliesNeverAnswerAnotherRequest() {
        QFETCH(int, lateMs);
        QFETCH(double, rate);
        sim::RegulatorConfig config;
        config.lateDelay = std::chrono::milliseconds(lateMs);
        LoopbackLine line(config);
        Link link;
        link.setLine(&line);
        link.SetDeviceAddress(1);
        line.OpenLine(1);
        line.setFault(sim::Fault::Late, rate);
        sim::Regulator& device = line.regulator();
        device.setProcessRunning(false);
        // Every table its own bytes, so another table's reply of the same length shows.
        const auto payload = [](const ParamSet& p, int t) {
            std::vector<std::uint8_t> bytes(payloadLength(t));
            encodePayload(p, t, bytes);
            return bytes;
        };
        for (int t = 0; t < kTableCount; ++t) {
            std::vector<std::uint8_t> mark(payloadLength(t));
            for (std::size_t i = 0; i < mark.size(); ++i)
                mark[i] = i % 4 == 0 ? 0x40 : std::uint8_t((t * 13 + i) & 0x7F);
            decodePayload(device.tables(), t, mark);
        }

        using Check = std::function<bool()>; // the operation's own answer arrived
        struct Op {
            std::function<std::uint8_t()> run;
            Check check;
            std::size_t readLength; // its read's length gives its time-out
        };
        const auto tableRead = [&](int t) {
            return [&, t] { return payload(link.params(), t) == payload(device.tables(), t); };
        };
        const Check anything = [] { return true; };
        std::vector<Op> ops;
        for (int t = 0; t < kTableCount; ++t)
            ops.push_back({[&link, t] { return link.ReadTable(t); }, tableRead(t), payloadLength(t) + 9});
        ops.push_back({[&] { return link.ReadMeasurement(); }, tableRead(kMeasTable), 28});
        ops.push_back({[&] { return link.ReadDeviceType(); },
                       [&] { return device.typeText() == link.typeText(); }, 255});
        ops.push_back({[&] { return link.ReadDeviceVersion(); },
                       [&] { return device.versionText() == link.versionText(); }, 255});
        ops.push_back({[&] { return link.StoreToEeprom(); }, anything, 6});
        ops.push_back({[&] { return link.WriteTable(7); }, anything, 6});
        ops.push_back({[&] { return link.ProbeStation(); }, anything, 6});

        int failed = 0;
        for (int round = 0; round < 3; ++round)
            for (std::size_t i = 0; i < ops.size(); ++i) {
                const std::size_t reads = line.reads.size();
                const std::uint8_t ok = ops[i].run();
                const bool late = device.lastReplyFaulted();
                // Late by far less or far more than the read's time-out (the reply's own
                // bytes take up to 60 ms).
                const bool inTime =
                    !late || lateMs + 60 < totalReadTimeout(ops[i].readLength).count();
                const QString where = QString("op %1 round %2").arg(i).arg(round);
                QVERIFY2(ok == (inTime ? 1 : 0), qPrintable(where));
                if (ok) QVERIFY2(ops[i].check(), qPrintable(where));
                if (inTime) QCOMPARE(line.reads.size(), reads + 1);
                failed += ok ? 0 : 1;
            }
        if (lateMs >= 500 && rate > 0) QVERIFY(failed > 0);
    }

    void openFailuresLeaveNoPort() {
        LoopbackLine line;
        line.existingPorts = {1, 2, 3};
        line.heldPorts = {3};
        int resets = 0;
        line.setOnReset([&] { ++resets; });
        for (int com : {0, 3, 5}) {
            line.setComNumber(com == 0 ? 2 : com);
            try {
                line.OpenLine(com);
                QFAIL("opened");
            } catch (const Failure& f) {
                QCOMPARE(QString::fromStdString(f.text()),
                         com == 0 ? QString::fromUtf8(kNoPortChosenText)
                                  : QString("Sériový port COM%1 nelze otevřít").arg(com));
            }
            QVERIFY(!line.isOpen());
            QCOMPARE(line.comNumber(), 0);
        }
        QCOMPARE(resets, 3);

        line.setComNumber(2);
        line.OpenLine(2);
        line.refuseSettings = true;
        QVERIFY_THROWS_EXCEPTION(Failure, line.ApplyLineSettings());
        QVERIFY(!line.isOpen());
        QCOMPARE(line.comNumber(), 0);
    }

    void deadLineFailsAndCloses() {
        LoopbackLine line;
        Link link;
        link.setLine(&line);
        link.SetDeviceAddress(1);
        line.setComNumber(1);
        line.OpenLine(1);
        line.unplug();
        QVERIFY(!link.ReadMeasurement());
        QVERIFY(!line.isOpen());
        QVERIFY(!link.ProbeStation());
        QVERIFY_THROWS_EXCEPTION(Failure, line.OpenLine(1));
        line.plugIn();
        line.setComNumber(1);
        line.OpenLine(1);
        QVERIFY(link.ReadMeasurement());
    }

    void recordsFramesAndSpeeds() {
        LoopbackLine line;
        Link link;
        link.setLine(&line);
        link.SetDeviceAddress(5);
        line.setBaudRate(19200);
        line.OpenLine(1);
        line.OpenLine(1); // reopening closes the first open
        QCOMPARE(line.closes, 1);
        line.setBaudRate(38400);
        line.ApplyLineSettings();
        QVERIFY(!link.ProbeStation());
        QCOMPARE(line.bauds, (std::vector<int>{19200, 19200, 38400}));
        QCOMPARE(line.written.size(), std::size_t(1));
        QVERIFY(line.written[0] == (LoopbackLine::Bytes{0x10, 0x05, 0x00, 0x69, 0x6E, 0x16}));

        // A device at another speed hears noise and stays silent.
        line.deviceBaud = 9600;
        link.SetDeviceAddress(1);
        QVERIFY(!link.ProbeStation());
        line.setBaudRate(9600);
        line.ApplyLineSettings();
        QVERIFY(link.ProbeStation());
    }
};

QTEST_GUILESS_MAIN(TestLoopback)
#include "test_loopback.moc"
