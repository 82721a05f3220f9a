// The in-process line the window tests use: its read time-out rule in virtual time, its
// open failures and the record it keeps.

#include "fixtures/loopback_line.h"
#include "link/link.h"

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

        line.setDeviceKind(sim::DeviceKind::Nothing);
        QVERIFY(!link.ReadMeasurement());
        QCOMPARE(line.lastRead().received, std::size_t(0));
        QCOMPARE(line.lastRead().millis, 556.0);
        QVERIFY(!link.ProbeStation());
        QCOMPARE(line.lastRead().millis, 512.0);

        // A reply broken by a long pause ends 100 ms after the last byte before it.
        line.setDeviceKind(sim::DeviceKind::Regulator);
        line.setFault(sim::Fault::Gap);
        QVERIFY(!link.ReadMeasurement());
        QCOMPARE(line.lastRead().received, std::size_t(14));
        const double perChar = sim::characterMillis(9600);
        QVERIFY(std::fabs(line.lastRead().millis - (3 + 14 * perChar + 100)) < 0.5);

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
        QVERIFY(!link.ProbeStation());
        QCOMPARE(line.lastRead().millis, 1100.0);
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
