// The simulated regulator as the link sees it: every operation, its faults, its address,
// identity, stored tables and the process behind the measured values.

#include "fixtures/loopback_line.h"
#include "link/frame.h"
#include "link/link.h"
#include "link/tables.h"
#include "sim/eeprom_file.h"
#include "sim/frame_assembler.h"
#include "sim/process.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace vx52;
using namespace std::chrono_literals;
using sim::DeviceKind;
using sim::Fault;
using test::LoopbackLine;

Q_DECLARE_METATYPE(sim::Fault)

namespace {

struct Bench {
    LoopbackLine line;
    Link link;
    explicit Bench(sim::RegulatorConfig config = {}) : line(std::move(config)) {
        link.setLine(&line);
        link.SetDeviceAddress(1);
        line.setComNumber(1);
        line.OpenLine(1);
    }
};

} // namespace

class TestSimDevice : public QObject {
    Q_OBJECT

private slots:
    void everyTableReadsBackWhatWasWritten() {
        Bench b;
        // Read everything, change a field in each card, write it, read it again.
        for (int t = 0; t < kTableCount; ++t)
            QVERIFY2(b.link.ReadTable(t), qPrintable(QString::number(t)));
        QCOMPARE(b.link.params().COMP.SP, 50.0f);
        auto& p = b.link.params();
        p.COMP.SP = 12.5f;
        p.ALARM2.HYST = 3.25f;
        p.SENS3.ENDS = 750.0f;
        p.PID.TI = 42.0f;
        p.REGO.DEAD = -2;
        p.OSTAT.PASS2 = 4321;
        p.DACO.AOUT = 3;
        const ParamSet wanted = p;
        for (int t = 0; t < kCardCount - 1; ++t)
            QVERIFY(b.link.WriteTable(t));
        p = ParamSet{};
        for (int t = 0; t < kCardCount; ++t)
            QVERIFY(b.link.ReadTable(t));
        QCOMPARE(p.COMP.SP, wanted.COMP.SP);
        QCOMPARE(p.ALARM2, wanted.ALARM2);
        QCOMPARE(p.SENS3.ENDS, 750.0f);
        QCOMPARE(p.PID.TI, 42.0f);
        QCOMPARE(p.REGO.DEAD, std::int16_t(-2));
        QCOMPARE(p.OSTAT.PASS2, std::int16_t(4321));
        QCOMPARE(p.DACO.AOUT, std::uint8_t(3));
        QCOMPARE(b.line.regulator().tables().SENS3.ENDS, 750.0f);
    }

    void measurementAndIdentity() {
        Bench b;
        QVERIFY(b.link.ReadMeasurement()); // the first reading after start is no zero
        QVERIFY(b.link.params().MEAS.OUT1 != 0.0f && b.link.params().MEAS.OUT2 != 0.0f);
        QVERIFY(b.link.ReadMeasurement());
        const auto& dev = b.line.regulator().tables().MEAS;
        QCOMPARE(b.link.params().MEAS.OUT2, dev.OUT2);
        QCOMPARE(b.link.params().MEAS.RELAYS, dev.RELAYS);
        QVERIFY(b.link.ReadDeviceType());
        QCOMPARE(QString(b.link.typeText()), QString(sim::kRegulatorType));
        QVERIFY(b.link.ReadDeviceVersion());
        QVERIFY(std::strncmp(b.link.versionText(), "FW-R-12-10", 10) == 0);
        QVERIFY(b.link.StoreToEeprom());
        QCOMPARE(b.line.regulator().eepromStores(), 1);
        QVERIFY(b.link.ProbeStation());
    }

    void olderModelAndForeignFamily() {
        Bench old({.kind = DeviceKind::Qdx01});
        QVERIFY(old.link.ReadDeviceVersion());
        QVERIFY(std::strncmp(old.link.versionText(), "FW-R-11-02", 10) == 0);

        Bench foreign({.kind = DeviceKind::Foreign});
        QVERIFY(!foreign.link.ReadDeviceType());
        QVERIFY(!foreign.link.ReadDeviceVersion());
        QCOMPARE(foreign.line.lastRead().received, std::size_t(0)); // no answer to command 4
        QVERIFY(foreign.link.ReadForeignIdent());
        const auto* id = reinterpret_cast<const char*>(foreign.link.foreign_ident.data());
        QCOMPARE(QString(id), QString("ACME Messtechnik"));
        QCOMPARE(QString(id + 32), QString("MT-900 Datalogger"));
        QCOMPARE(QString(id + 64), QString("V4.2.1"));

        Bench nothing({.kind = DeviceKind::Nothing});
        QVERIFY(!nothing.link.ProbeStation());
        QVERIFY(!nothing.link.ReadMeasurement());
    }

    void customTexts() {
        Bench b({.typeText = "QDX 72-4100", .versionText = "FW-R-12-10b"});
        QVERIFY(b.link.ReadDeviceType() && b.link.ReadDeviceVersion());
        QCOMPARE(QString(b.link.typeText()), QString("QDX 72-4100"));
        QCOMPARE(QString(b.link.versionText()), QString("FW-R-12-10b"));
    }

    void answersOnlyItsOwnAddress() {
        Bench b({.address = 7, .alsoAnswer = {20, 33}});
        QVERIFY(!b.link.ReadMeasurement()); // DA 1: nobody there
        for (std::uint8_t a : {7, 20, 33}) {
            b.link.SetDeviceAddress(a);
            QVERIFY(b.link.ProbeStation());
        }
        b.link.SetDeviceAddress(20);
        QVERIFY(!b.link.ReadMeasurement()); // the extra stations only answer the probe
        b.link.SetDeviceAddress(kBroadcast);
        const std::size_t before = b.line.reads.size();
        QVERIFY(b.link.ReadMeasurement()); // broadcast: sent, nothing awaited
        QCOMPARE(b.line.reads.size(), before);
        QVERIFY(!b.link.WriteTable(0)); // never acknowledged
        QCOMPARE(b.line.lastRead().received, std::size_t(0));
    }

    // Several regulators on one line: each answers its own address from its own tables; a
    // silenced one answers nothing, not even the probe, until the silence is lifted.
    void stationsShareTheLine() {
        Bench b;
        b.line.addStation(5);
        b.line.addStation(17);
        b.line.stations().setSilent(17, true);
        b.link.SetDeviceAddress(5);
        QVERIFY(b.link.ReadTable(0));
        b.link.params().COMP.SP = 33.0f;
        QVERIFY(b.link.WriteTable(0));
        QCOMPARE(b.line.stations().station(5)->tables().COMP.SP, 33.0f);
        QCOMPARE(b.line.regulator().tables().COMP.SP, 50.0f);
        QVERIFY(b.link.ProbeStation());
        b.link.SetDeviceAddress(17);
        QVERIFY(!b.link.ProbeStation());
        QVERIFY(!b.link.ReadMeasurement());
        b.line.stations().setSilenceHeld(false);
        QVERIFY(b.link.ReadMeasurement());
        QCOMPARE(b.link.params().MEAS, b.line.stations().station(17)->tables().MEAS);
        b.link.SetDeviceAddress(9);
        QVERIFY(!b.link.ProbeStation()); // nobody there
    }

    void newAddressTakesEffectAfterTheAcknowledgement() {
        Bench b;
        b.link.params().ADD.ADRESA = 42;
        QVERIFY(b.link.WriteTable(11)); // acknowledged from the old address
        QCOMPARE(b.line.regulator().address(), std::uint8_t(42));
        QVERIFY(!b.link.ReadMeasurement());
        b.link.SetDeviceAddress(42);
        QVERIFY(b.link.ReadMeasurement());
        b.link.params().ADD.ADRESA = kBroadcast; // not an address a station may take
        QVERIFY(!b.link.WriteTable(11));
        QCOMPARE(b.line.regulator().address(), std::uint8_t(42));
    }

    void faultGivesZeroAndLeavesParamsAlone_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("table");
        for (Fault f : {Fault::Silent, Fault::BadSum, Fault::WrongFc, Fault::Short, Fault::Refuse,
                        Fault::Gap, Fault::Late, Fault::Garbage}) {
            const QByteArray name(sim::faultName(f).data(), qsizetype(sim::faultName(f).size()));
            QTest::newRow(name + " meas") << f << int(kMeasTable);
            QTest::newRow(name + " table 7") << f << 7;
        }
    }
    void faultGivesZeroAndLeavesParamsAlone() {
        QFETCH(Fault, fault);
        QFETCH(int, table);
        Bench b;
        b.link.params().MEAS.OUT1 = -1.0f;
        b.link.params().PID.PB = -1.0f;
        const ParamSet before = b.link.params();
        b.line.setFault(fault);
        const auto result =
            table == kMeasTable ? b.link.ReadMeasurement() : b.link.ReadTable(table);
        QCOMPARE(result, std::uint8_t(0));
        QVERIFY(b.link.params() == before);
        QVERIFY(!b.link.WriteTable(0)); // acknowledgements suffer the same faults
        b.line.setFault(Fault::None);
        QVERIFY(b.link.ReadTable(7));
        QVERIFY(b.link.ReadMeasurement());
        QCOMPARE(b.link.params().PID.PB, 1.0f);
    }

    void faultRateHitsOnlyAShare() {
        Bench b;
        b.line.setFault(Fault::Silent, 0.5);
        int ok = 0;
        for (int i = 0; i < 40; ++i)
            ok += b.link.ProbeStation();
        QVERIFY2(ok > 5 && ok < 35, qPrintable(QString::number(ok)));
    }

    void setPointShowsOnChannelOne() {
        Bench b;
        b.link.params() = b.line.regulator().tables();
        b.link.params().COMP.SP = 80.0f;
        QVERIFY(b.link.WriteTable(0));
        b.line.advance(60s);
        QVERIFY(b.link.ReadMeasurement());
        const float first = b.link.params().MEAS.OUT1;
        b.line.advance(60s);
        QVERIFY(b.link.ReadMeasurement());
        QVERIFY(std::fabs(b.link.params().MEAS.OUT1 - 80.0f) < 1.0f);
        QVERIFY(first < b.link.params().MEAS.OUT1 + 0.5f);
        // Other channels stay inside their sensor ranges.
        const auto& dev = b.line.regulator().tables();
        QVERIFY(dev.MEAS.OUT2 >= dev.SENS2.STRS && dev.MEAS.OUT2 <= dev.SENS2.ENDS);
        QVERIFY(dev.MEAS.OUT3 >= dev.SENS3.STRS && dev.MEAS.OUT3 <= dev.SENS3.ENDS);
        QVERIFY(dev.MEAS.OUT4 >= dev.SENS4.STRS && dev.MEAS.OUT4 <= dev.SENS4.ENDS);
    }

    void lagFollowsThePidSettings() {
        QVERIFY(sim::Process::lagSeconds({4.0f, 10.0f, 0.0f}) <
                sim::Process::lagSeconds({0.5f, 10.0f, 0.0f}));
        ParamSet p;
        p.COMP.SP = 60.0f;
        p.PID = {1.0f, 0.0f, 0.0f}; // no integral action: settles short of the set point
        QCOMPARE(sim::Process::settlingValue(p), 30.0);
        p.PID.TI = 5.0f;
        QCOMPARE(sim::Process::settlingValue(p), 60.0);
    }

    void relaysFollowAlarmsWithHysteresis() {
        sim::Process process;
        ParamSet p;
        p.COMP.SP = 50.0f;
        p.ALARM1 = {50.0f, 2.0f, 0, 1, 0}; // COOL on input 1: on above 50, off again below 48
        p.ALARM2 = {10.0f, 0.0f, 3, 0, 0}; // HEAT on input 4: on until 10 is exceeded
        const auto relaysAt = [&](float v1, float v4) {
            p.MEAS.OUT1 = v1;
            p.MEAS.OUT4 = v4;
            process.updateRelays(p);
            return p.MEAS.RELAYS & 0x03;
        };
        QCOMPARE(relaysAt(40, 5), 0x02);
        QCOMPARE(relaysAt(51, 5), 0x03);
        QCOMPARE(relaysAt(49, 11), 0x01); // inside the hysteresis: still on
        QCOMPARE(relaysAt(47.5, 11), 0x00);
        p.ALARM1.RALA = 1; // POSU: the limit is a deviation from the set point
        QCOMPARE(relaysAt(90, 5), 0x02);
        QCOMPARE(relaysAt(101, 5), 0x03);
    }

    void stoppedProcessKeepsWhatATestSet() {
        Bench b;
        auto& dev = b.line.regulator();
        dev.setProcessRunning(false);
        dev.tables().MEAS = {1.5f, -2.25f, 3.0f, 4.0f, 0x05, 77};
        b.line.advance(10s);
        QVERIFY(b.link.ReadMeasurement());
        QVERIFY(b.link.params().MEAS == dev.tables().MEAS);
        QCOMPARE(b.link.params().MEAS.RELAYS, std::uint8_t(5));
    }

    void eepromSurvivesARestart() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("eeprom.txt").toStdString();
        Bench b;
        bool writable = false;
        b.line.regulator().setOnStore(
            [&](const ParamSet& t) { return writable && sim::saveEeprom(t, path); });
        b.link.params() = b.line.regulator().tables();
        b.link.params().SENS2.STRS = -12.75f;
        b.link.params().OSTAT.PASS1 = -300;
        QVERIFY(b.link.WriteTable(4) && b.link.WriteTable(10));
        // A store that cannot be kept is not acknowledged.
        QVERIFY(!b.link.StoreToEeprom());
        QCOMPARE(b.link.lastFailure().cause, FailureCause::Refused);
        writable = true;
        QVERIFY(b.link.StoreToEeprom());

        ParamSet restored = sim::Regulator::factoryTables(1);
        std::string error;
        QVERIFY2(sim::loadEeprom(restored, path, &error), error.c_str());
        QCOMPARE(restored.SENS2.STRS, -12.75f);
        QCOMPARE(restored.OSTAT.PASS1, std::int16_t(-300));
        QVERIFY(restored.ALARM1 == b.link.params().ALARM1);
    }

    void eepromFileWithABadLineIsRefusedWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("COMP.SP=12.5\nREGO.DSER=70000\n");
        f.close();
        ParamSet t = sim::Regulator::factoryTables(1);
        std::string error;
        QVERIFY(!sim::loadEeprom(t, path.toStdString(), &error));
        QVERIFY(error.find(":2:") != std::string::npos);
        // An over-long line is named by its number, not echoed.
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("COMP.SP=12.5\nPID.PB=" + QByteArray(5000, '7') + "\n");
        f.close();
        QVERIFY(!sim::loadEeprom(t, path.toStdString(), &error));
        QVERIFY2(error.ends_with(":2: line too long"), error.c_str());
        QCOMPARE(t.COMP.SP, 50.0f); // nothing taken from a file that failed
        QVERIFY(!sim::loadEeprom(t, dir.filePath("missing.txt").toStdString()));
    }

    void assemblerFindsRequestsBehindNoise() {
        sim::FrameAssembler a;
        const std::vector<std::uint8_t> meas{0x68, 0x04, 0x04, 0x68, 0x01,
                                             0x00, 0x6C, 0x03, 0x70, 0x16};
        const std::vector<std::uint8_t> probe{0x10, 0x05, 0x00, 0x69, 0x6E, 0x16};
        std::vector<std::uint8_t> stream{0x10, 0x68, 0xFF};
        stream.insert(stream.end(), meas.begin(), meas.end());
        stream.insert(stream.end(), probe.begin(), probe.begin() + 3);
        auto frames = a.push(stream);
        QCOMPARE(frames.size(), std::size_t(1));
        QVERIFY(frames[0] == meas);
        frames = a.push(std::span(probe).subspan(3));
        QCOMPARE(frames.size(), std::size_t(1));
        QVERIFY(frames[0] == probe);
        auto damaged = meas;
        damaged[8] ^= 1;
        QVERIFY(a.push(damaged).empty());
    }
};

QTEST_GUILESS_MAIN(TestSimDevice)
#include "test_sim_device.moc"
