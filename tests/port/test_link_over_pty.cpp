// Every link operation through the real serial line to vx52-sim on a pseudo-terminal: the
// replies, the faults, the time-outs as the link sees them, speed changes and a simulator
// that dies mid-exchange.

#include "link/failure.h"
#include "link/link.h"
#include "link/port/serial_line.h"
#include "link/tables.h"
#include "port/sim_process.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>
#include <thread>

using namespace vx52;
using namespace std::chrono_literals;
using test::SimProcess;

namespace {

struct Connection {
    SerialLine line;
    Link link;
    explicit Connection(const QString& path, int baud = 9600)
        : line(ComPorts([path](const QString&, const QString&) { return path; })) {
        line.setComNumber(1);
        line.setBaudRate(baud);
        line.OpenLine(1);
        link.setLine(&line);
        link.SetDeviceAddress(1);
    }
};

qint64 timed(const std::function<void()>& exchange) {
    QElapsedTimer clock;
    clock.start();
    exchange();
    return clock.elapsed();
}

} // namespace

class TestLinkOverPty : public QObject {
    Q_OBJECT

private slots:
    void everyOperation() {
        QTemporaryDir dir;
        const QString eeprom = dir.filePath("eeprom.txt");
        {
            SimProcess sim({"--also-answer", "5", "--eeprom", eeprom});
            QVERIFY(sim.running());
            Connection c(sim.path());
            for (int t = 0; t < kTableCount; ++t)
                QVERIFY2(c.link.ReadTable(t), qPrintable(QString::number(t)));
            auto& p = c.link.params();
            QCOMPARE(p.COMP.SP, 50.0f);
            p.COMP.SP = 33.5f;
            p.SENS4.ENDS = 20.0f;
            p.OSTAT.PASS1 = -7;
            for (int t = 0; t < kCardCount - 1; ++t)
                QVERIFY(c.link.WriteTable(t));
            const ParamSet written = p;
            p = ParamSet{};
            for (int t = 0; t < kCardCount; ++t)
                QVERIFY(c.link.ReadTable(t));
            QCOMPARE(p.COMP.SP, written.COMP.SP);
            QVERIFY(p.SENS4 == written.SENS4);
            QVERIFY(p.OSTAT == written.OSTAT);
            QVERIFY(c.link.ReadMeasurement());
            QVERIFY(p.MEAS.OUT1 >= 0.0f && p.MEAS.OUT1 <= 100.0f);
            QVERIFY(c.link.ReadDeviceType());
            QCOMPARE(QString(c.link.typeText()), QString("QDX 72-4xxx"));
            QVERIFY(c.link.ReadDeviceVersion());
            QVERIFY(std::strncmp(c.link.versionText(), "FW-R-12-10", 10) == 0);
            QVERIFY(c.link.StoreToEeprom());
            QVERIFY(c.link.ProbeStation());
            c.link.SetDeviceAddress(5);
            QVERIFY(c.link.ProbeStation());
            QVERIFY(!c.link.ReadMeasurement()); // station 5 only answers the probe
        }
        // The stored tables come back after a restart.
        SimProcess again({"--eeprom", eeprom});
        Connection c(again.path());
        QVERIFY(c.link.ReadTable(0) && c.link.ReadTable(10));
        QCOMPARE(c.link.params().COMP.SP, 33.5f);
        QCOMPARE(c.link.params().OSTAT.PASS1, std::int16_t(-7));
    }

    void otherDevices() {
        SimProcess older({"--device", "qdx01"});
        Connection c(older.path());
        QVERIFY(c.link.ReadDeviceVersion());
        QVERIFY(std::strncmp(c.link.versionText(), "FW-R-11-02", 10) == 0);

        SimProcess foreign({"--device", "foreign", "--address", "3"});
        Connection f(foreign.path());
        f.link.SetDeviceAddress(3);
        QVERIFY(!f.link.ReadDeviceType());
        QVERIFY(f.link.ReadForeignIdent());
        QVERIFY(std::strlen(reinterpret_cast<const char*>(f.link.foreign_ident.data())) > 0);
        QVERIFY(std::strlen(reinterpret_cast<const char*>(f.link.foreign_ident.data() + 64)) > 0);
    }

    void faultFailsAndTheNextExchangeSucceeds_data() {
        QTest::addColumn<QString>("fault");
        for (const char* f :
             {"silent", "badsum", "wrongfc", "short", "refuse", "gap", "late", "garbage"})
            QTest::newRow(f) << QString(f);
    }
    void faultFailsAndTheNextExchangeSucceeds() {
        QFETCH(QString, fault);
        SimProcess sim({"--fault", fault});
        Connection c(sim.path());
        c.link.params().MEAS.OUT3 = -99.0f;
        const ParamSet before = c.link.params();
        QCOMPARE(c.link.ReadMeasurement(), std::uint8_t(0));
        QVERIFY(c.link.params() == before);
        // The failure returned once the line was quiet: a late reply or a broken one's tail
        // cannot answer the next request.
        sim.healthy();
        QVERIFY(c.link.ReadTable(7));
        QCOMPARE(c.link.params().PID.TI, 100.0f);
        QVERIFY(c.link.ReadMeasurement());
    }

    // The read's time-out, then as long again of quiet line before the failure returns.
    void silentDeviceCostsTheReadTimeOut() {
        SimProcess sim({"--device", "none"});
        Connection c(sim.path());
        const qint64 meas = timed([&] { QVERIFY(!c.link.ReadMeasurement()); });
        const qint64 ack = timed([&] { QVERIFY(!c.link.StoreToEeprom()); });
        qInfo("silent device: measurement %lld ms, acknowledgement %lld ms", meas, ack);
        QVERIFY2(meas >= 2 * 556 - 4 && meas < 2 * 556 + 250, qPrintable(QString::number(meas)));
        QVERIFY2(ack >= 2 * 512 - 4 && ack < 2 * 512 + 250, qPrintable(QString::number(ack)));
    }

    void speedChangeTakesEffectOnTheOpenLine() {
        SimProcess sim({"--baud", "9600"});
        Connection c(sim.path(), 19200);
        QVERIFY(!c.link.ProbeStation()); // the regulator hears noise at the wrong speed
        c.line.setBaudRate(9600);
        c.line.ApplyLineSettings();
        QVERIFY(c.link.ProbeStation());
        QVERIFY(c.link.ReadMeasurement());
    }

    void simulatorDiesMidExchange() {
        SimProcess sim({"--device", "none"});
        Connection c(sim.path());
        std::thread killer([&] {
            std::this_thread::sleep_for(150ms);
            sim.signal(SIGKILL);
        });
        const qint64 took = timed([&] { QVERIFY(!c.link.ReadMeasurement()); });
        killer.join();
        QVERIFY2(took < 450, qPrintable(QString::number(took)));
        QVERIFY(!c.line.isOpen());
        const qint64 next = timed([&] { QVERIFY(!c.link.ReadTable(0)); });
        QVERIFY(next < 50);
        QVERIFY_THROWS_EXCEPTION(Failure, c.line.OpenLine(1));
    }

    // A simulator restarted with --link is a replugged adapter: the line that lost it opens
    // the same name again on its next exchange, without a new OpenLine.
    void aLostLineComesBackUnderItsLink() {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("ttyQDX"));
        auto sim = std::make_unique<SimProcess>(QStringList{"--link", link});
        QVERIFY(sim->running());
        Connection c(link);
        QVERIFY(c.link.ReadMeasurement());
        sim->signal(SIGKILL);
        sim.reset();
        QVERIFY(!c.link.ReadMeasurement());
        QVERIFY(!c.line.isOpen());
        QVERIFY(!c.link.ReadMeasurement()); // still away: fails again, at once
        sim = std::make_unique<SimProcess>(QStringList{"--link", link});
        QVERIFY(sim->running());
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim->path());
        QVERIFY(c.link.ReadMeasurement());
        QVERIFY(c.line.isOpen());
        c.line.CloseLine();
        QVERIFY(!c.link.ReadMeasurement()); // closed on purpose: stays closed
        sim.reset();
        QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink()); // removed on exit
    }
};

QTEST_GUILESS_MAIN(TestLinkOverPty)
#include "test_link_over_pty.moc"
