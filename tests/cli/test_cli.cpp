// vx52-cli: its command line, the output of each command and its exit status, in-process on
// the loopback line and as a program against vx52-sim.

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/poll_command.h"
#include "fixtures/loopback_line.h"
#include "port/sim_process.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sstream>

using namespace vx52;
using test::LoopbackLine;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

struct Bench {
    LoopbackLine line;
    Link link;
    explicit Bench(sim::RegulatorConfig config = {}) : line(std::move(config)) {
        line.OpenLine(1);
        link.setLine(&line);
        link.SetDeviceAddress(1);
    }
    // Polls on the line's virtual clock; stopAfter: an interrupt once that much time passed.
    Run poll(const std::vector<std::string>& args, std::chrono::milliseconds stopAfter = {}) {
        const QDateTime start(QDate(2026, 3, 14), QTime(10, 0), Qt::OffsetFromUTC, 3600);
        cli::PollHooks hooks{
            [&] { return start.addMSecs(line.elapsed().count()); },
            [&] { return line.elapsed(); },
            [&](std::chrono::milliseconds d) { line.advance(d); },
            [&] { return stopAfter.count() > 0 && line.elapsed() >= stopAfter; },
        };
        std::ostringstream out;
        std::ostringstream err;
        Run r;
        r.status = cli::runPoll(link, args, out, err, hooks);
        r.out = QString::fromStdString(out.str());
        r.err = QString::fromStdString(err.str());
        return r;
    }
    Run run(const std::string& command, const std::vector<std::string>& args = {}) {
        std::ostringstream out;
        std::ostringstream err;
        Run r;
        r.status = cli::runCommand(link, command, args, out, err);
        r.out = QString::fromStdString(out.str());
        r.err = QString::fromStdString(err.str());
        return r;
    }
};

// The environment of a desktop with the given locale.
QProcessEnvironment desktop(const QString& locale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    return env;
}

// Runs the program under a Czech desktop unless told another locale.
Run runProgram(const QStringList& args, const QString& configHome = {},
               const QString& locale = QStringLiteral("cs_CZ.UTF-8")) {
    QProcess p;
    QProcessEnvironment env = desktop(locale);
    if (!configHome.isEmpty()) env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VX52_CLI), args);
    Run r;
    if (!p.waitForFinished(20000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("valid");
        QTest::newRow("device and command") << QStringList{"--device", "/dev/x", "meas"} << true;
        QTest::newRow("com, every option")
            << QStringList{"--com", "3", "--baud",  "19200", "--da", "127",
                           "--sa",  "5", "--trace", "scan",  "0",    "4"}
            << true;
        QTest::newRow("no line") << QStringList{"meas"} << false;
        QTest::newRow("both lines")
            << QStringList{"--com", "1", "--device", "/dev/x", "meas"} << false;
        QTest::newRow("COM 9") << QStringList{"--com", "9", "meas"} << false;
        QTest::newRow("DA 128") << QStringList{"--com", "1", "--da", "128", "meas"} << false;
        QTest::newRow("SA 127") << QStringList{"--com", "1", "--sa", "127", "meas"} << false;
        QTest::newRow("speed not a number")
            << QStringList{"--com", "1", "--baud", "fast", "meas"} << false;
        QTest::newRow("no command") << QStringList{"--com", "1"} << false;
        QTest::newRow("unknown command") << QStringList{"--com", "1", "reboot"} << false;
        QTest::newRow("option without value") << QStringList{"--com"} << false;
    }
    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(bool, valid);
        std::vector<std::string> v;
        for (const QString& a : args)
            v.push_back(a.toStdString());
        std::string error;
        const auto o = cli::parseCliOptions(v, error);
        QCOMPARE(o.has_value(), valid);
        QCOMPARE(error.empty(), valid);
        if (valid && args.contains("--com")) {
            QCOMPARE(o->com, 3);
            QCOMPARE(o->baud, 19200);
            QCOMPARE(o->da, 127);
            QCOMPARE(o->sa, 5);
            QVERIFY(o->trace);
            QCOMPARE(o->arguments, (std::vector<std::string>{"0", "4"}));
        }
    }

    void fieldValues() {
        QCOMPARE(cli::formatField(0.1f, true), std::string("0.1"));
        QCOMPARE(cli::formatField(-10.0f, true), std::string("-10"));
        QCOMPARE(cli::formatField(123456.789f, true), std::string("123456.79"));
        QCOMPARE(cli::formatField(1.0e-7f, true), std::string("1e-07"));
        QCOMPARE(cli::formatField(-2, false), std::string("-2"));
    }

    void readingCommands() {
        Bench b;
        b.line.regulator().setProcessRunning(false);
        b.line.regulator().tables().MEAS = {21.5f, 0.25f, -3.0f, 1000.0f, 0x09, -1};
        Run r = b.run("meas");
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString("MEAS.OUT1=21.5\nMEAS.OUT2=0.25\nMEAS.OUT3=-3\nMEAS.OUT4=1000\n"
                                "MEAS.RELAYS=9\nMEAS.WORD=-1\n"));
        r = b.run("read-table", {"8"});
        QCOMPARE(r.out, QString("REGO.TYP=0\nREGO.DSER=60\nREGO.DEAD=2\nREGO.FEED=0\n"));
        QCOMPARE(b.run("type").out, QString("QDX 72-4xxx\n"));
        QVERIFY(b.run("version").out.startsWith("FW-R-12-10"));
        QCOMPARE(b.run("eeprom").status, 0);
        QCOMPARE(b.run("probe").out, QString("1\n"));
    }

    void writeTableChangesOnlyTheNamedFields() {
        Bench b;
        const Run r = b.run("write-table", {"1", "SPLO=-12.5", "ALARM1.RALA=1"});
        QCOMPARE(r.status, 0);
        const auto& alarm = b.line.regulator().tables().ALARM1;
        QCOMPARE(alarm.SPLO, -12.5f);
        QCOMPARE(alarm.RALA, std::uint8_t(1));
        QCOMPARE(alarm.HYST, 1.0f); // read first, so the rest is what the regulator had
        QVERIFY(r.out.contains("ALARM1.SPLO=-12.5\n"));
    }

    // A regulator backed up with save-params and restored with load-params has every field
    // of every table back, to the last bit; the file keeps what else it held.
    void saveThenLoadParamsRoundTrip() {
        QTemporaryDir dir;
        const QString file = dir.filePath("backup.ini");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("; kept\r\n[OTHER]\r\nK=v\r\n");
        }
        Bench b;
        ParamSet& device = b.line.regulator().tables();
        device.COMP.SP = 0.005f;
        device.PID.TI = 0.123456789f;
        device.SENS2.ENDS = -1.5e-7f;
        device.ALARM2.HYST = 123456.7f;
        device.OSTAT.PASS1 = -32768;
        device.REGO.DSER = 32767;
        device.SENS3.OBR = 4;
        device.DACO.AIN = 5;
        const ParamSet original = device;
        Run r = b.run("save-params", {file.toStdString()});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.count(" read\n"), 12);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("; kept\r\n[OTHER]\r\nK=v\r\n"));

        ParamSet blank; // tables 0..11; the measured values stay
        blank.ADD.ADRESA = 1;
        blank.MEAS = device.MEAS;
        blank.AUX = device.AUX;
        device = blank;
        r = b.run("load-params", {file.toStdString()});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("table 0 COMP written\ntable 1 ALARM1 written\n"));
        QVERIFY(r.out.endsWith("table 11 ADD written\n"));
        QVERIFY(device == original);

        // Named cards only, by number or section.
        device.PID.TI = 1;
        device.COMP.SP = 1;
        b.line.written.clear();
        r = b.run("load-params", {file.toStdString(), "pid", "0"});
        QCOMPARE(r.out, QString("table 0 COMP written\ntable 7 PID written\n"));
        QVERIFY(device == original);
    }

    // A file with missing or refused entries, a target Save could not read and a silent
    // regulator: refused with the reason, and nothing written.
    void paramFileCommandsRefuse() {
        QTemporaryDir dir;
        const QString file = dir.filePath("bad.ini");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[COMP]\r\nSP=1\r\n[SENS3]\r\nSTRS=abc\r\n");
        }
        Bench b;
        Run r = b.run("load-params", {file.toStdString()});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("  [SENS3] STRS=abc: "), qPrintable(r.err));
        QVERIFY(r.err.contains("  [PID] TI: chybí\n"));
        QVERIFY(b.line.written.empty());
        r = b.run("load-params", {file.toStdString(), "COMP"}); // COMP is whole
        QCOMPARE(r.status, 0);
        QCOMPARE(b.line.regulator().tables().COMP.SP, 1.0f);
        QCOMPARE(b.run("load-params", {file.toStdString(), "12"}).status, 2);

        b.line.written.clear();
        r = b.run("save-params", {dir.path().toStdString()}); // a folder
        QCOMPARE(r.status, 2);
        QVERIFY(b.line.written.empty());

        Bench silent({.kind = sim::DeviceKind::Nothing});
        const QString none = dir.filePath("none.ini");
        r = silent.run("save-params", {none.toStdString()});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.startsWith("vx52-cli: save-params, read-table 0, station 1: no reply"));
        QVERIFY(!QFile::exists(none));
    }

    void badArgumentsSendNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("table 14") << "read-table" << QStringList{"14"};
        QTest::newRow("write table 12") << "write-table" << QStringList{"12", "OUT1=1"};
        QTest::newRow("field of another table") << "write-table" << QStringList{"0", "PID.PB=2"};
        QTest::newRow("unknown field") << "write-table" << QStringList{"0", "XX=2"};
        QTest::newRow("byte out of range") << "write-table" << QStringList{"11", "ADRESA=300"};
        QTest::newRow("decimal comma") << "write-table" << QStringList{"0", "SP=1,5"};
        QTest::newRow("no assignment") << "write-table" << QStringList{"0"};
        QTest::newRow("meas with argument") << "meas" << QStringList{"1"};
        QTest::newRow("scan beyond 126") << "scan" << QStringList{"0", "127"};
        QTest::newRow("two table numbers") << "read-table" << QStringList{"3", "4"};
        QTest::newRow("broadcast address") << "write-table" << QStringList{"11", "ADRESA=127"};
        QTest::newRow("read from 127") << "meas" << QStringList{"127"};
        QTest::newRow("probe 127") << "probe" << QStringList{"127"};
    }
    void badArgumentsSendNothing() {
        QFETCH(QString, command);
        QFETCH(QStringList, args);
        Bench b;
        std::vector<std::string> v;
        for (const QString& a : args)
            v.push_back(a.toStdString());
        if (QByteArray(QTest::currentDataTag()).endsWith("127")) { // the address, not an argument
            b.link.SetDeviceAddress(127);
            v.clear();
        }
        const Run r = b.run(command.toStdString(), v);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.startsWith("vx52-cli: "));
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(b.line.written.empty());
    }

    void exchangeFailuresGiveOne() {
        // One line on stderr: the operation, the station and the cause.
        Bench b({.kind = sim::DeviceKind::Nothing});
        const auto check = [&](const std::string& command, const std::vector<std::string>& args,
                               const char* line) {
            const Run r = b.run(command, args);
            QCOMPARE(r.status, 1);
            QVERIFY2(QRegularExpression(line).match(r.err).hasMatch(), qPrintable(r.err));
        };
        check("meas", {}, "^vx52-cli: meas, station 1: no reply after \\d+ ms\n$");
        check("type", {}, "^vx52-cli: type, station 1: no reply after \\d+ ms\n$");
        check("version", {}, "^vx52-cli: version, station 1: no reply");
        check("probe", {}, "^vx52-cli: probe, station 1: no reply");
        check("read-table", {"0"}, "^vx52-cli: read-table 0, station 1: no reply");
        check("write-table", {"0", "SP=1"}, "^vx52-cli: write-table 0 \\(read\\), station 1: ");
        check("scan", {"0", "3"}, "^vx52-cli: scan 0..3: no station answered\n$");
        b.line.setDeviceKind(sim::DeviceKind::Regulator);
        b.line.setFault(sim::Fault::Refuse);
        check("eeprom", {}, "^vx52-cli: eeprom, station 1: refused \\(FC 05\\)\n$");
        b.line.setFault(sim::Fault::Short);
        check("meas", {}, "^vx52-cli: meas, station 1: short reply: 27 of 28 bytes\n$");
    }

    // The fast scan waits for a reply to begin within 30 characters, at least 50 ms, after
    // the request; a silent address costs just that. A station that answers later is
    // credited when its acknowledgement comes during a later probe of the scan, which then
    // reads on for its own station (one read more).
    void scanListsTheAnsweringStations_data() {
        QTest::addColumn<bool>("fast");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("credited");
        QTest::newRow("normal") << false << 0 << 0;
        QTest::newRow("fast") << true << 0 << 0;
        QTest::newRow("normal, stations answer after 300 ms") << false << 300 << 0;
        QTest::newRow("normal, stations answer after 600 ms") << false << 600 << 3;
        QTest::newRow("fast, stations answer after 300 ms") << true << 300 << 3;
        QTest::newRow("fast, reply begins at 49 ms") << true << 45 << 0;
        QTest::newRow("fast, reply begins at 52 ms") << true << 48 << 3;
    }
    void scanListsTheAnsweringStations() {
        QFETCH(bool, fast);
        QFETCH(int, delay);
        QFETCH(int, credited);
        Bench b({.address = 9, .alsoAnswer = {2, 40}});
        b.line.replyDelay = std::chrono::milliseconds(delay);
        const std::vector<std::string> fastOption =
            fast ? std::vector<std::string>{"--fast"} : std::vector<std::string>{};
        const Run r = b.run("scan", fastOption);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("2\n9\n40\n"));
        QCOMPARE(b.link.GetDeviceAddress(), std::uint8_t(1)); // put back as it was
        QCOMPARE(b.line.reads.size(), std::size_t(127 + credited));
        const double silent = fast ? 50 : 512;
        QCOMPARE(b.line.reads[0].millis, silent);
        auto range = fastOption;
        range.insert(range.end(), {"3", "8"});
        QCOMPARE(b.run("scan", range).out, QString());
    }

    // Rows for every station every round, in order; the round keeps its period; a silent
    // station is asked three rounds, then skipped; the summary counts it all.
    void pollPrintsRowsAndSummary() {
        Bench b;
        b.line.addStation(5);
        b.line.addStation(9);
        b.line.stations().setSilent(9, true);
        Run r = b.poll({"9,1,5", "--rounds", "4"});
        QCOMPARE(r.status, 1); // 9 never answered
        QCOMPARE(r.err, QString("vx52-cli: poll: 4 rounds; station 1: 4 good, 0 failed; station 5: "
                                "4 good, 0 failed; station 9: 0 good, 3 failed, 1 skipped\n"));
        const QStringList rows = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 1 + 4 * 3);
        QCOMPARE(rows[0], QStringLiteral("čas,stanice,OUT 1,OUT 2,OUT 3,OUT 4,relé,stav"));
        for (int round = 0; round < 4; ++round) {
            const QStringList one = rows[1 + 3 * round].split(',');
            QCOMPARE(one[1], QString("1"));
            QCOMPARE(one.last(), QString("ok"));
            QVERIFY(one[0].startsWith(QString("2026-03-14T10:00:0%1").arg(round))); // 1 s apart
            QVERIFY(rows[2 + 3 * round].startsWith(QString("2026-03-14T10:00:0%1").arg(round)));
            QVERIFY(rows[2 + 3 * round].contains(",5,"));
            QVERIFY(rows[3 + 3 * round].endsWith(round < 3 ? ",9,,,,,,bez odpovědi"
                                                           : ",9,,,,,,vynechána"));
        }
        // As fast as the line allows: no wait between rounds.
        const auto before = b.line.elapsed();
        r = b.poll({"1,5", "--rounds", "3", "--period", "0"});
        QCOMPARE(r.status, 0);
        QVERIFY((b.line.elapsed() - before).count() < 3 * 2 * 50);
    }

    void pollEndsOnInterrupt() {
        Bench b;
        b.line.addStation(2);
        const Run r = b.poll({"1-2", "--period", "500"}, std::chrono::milliseconds(2200));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.startsWith("vx52-cli: poll: 5 rounds; station 1: 5 good"), qPrintable(r.err));
        QCOMPARE(r.out.count('\n'), 1 + 5 * 2);

        // An interrupt during a round ends it before the next exchange: the first round takes
        // about 660 ms (the silent station's time-out), the second's first exchange ends at
        // about 708 ms.
        b.line.addStation(3);
        b.line.stations().setSilent(3, true);
        const auto start = b.line.elapsed();
        const Run cut = b.poll({"1-3", "--period", "0"}, start + std::chrono::milliseconds(684));
        QCOMPARE(cut.status, 1);
        QCOMPARE(cut.err, QString("vx52-cli: poll: 1 round; station 1: 2 good, 0 failed; station 2: "
                                  "1 good, 0 failed; station 3: 0 good, 1 failed\n"));
    }

    void pollRefusesBadArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("no stations") << QStringList{} << "no stations given";
        QTest::newRow("broadcast") << QStringList{"1,127"} << "\"127\": stations lie within 0..126";
        QTest::newRow("zero rounds") << QStringList{"1", "--rounds", "0"} << "--rounds takes";
        QTest::newRow("period word") << QStringList{"1", "--period", "x"} << "--period takes";
        QTest::newRow("period missing") << QStringList{"1", "--period"} << "--period needs a value";
        QTest::newRow("two lists") << QStringList{"1", "2"} << "unexpected argument: 2";
    }
    void pollRefusesBadArguments() {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        Bench b;
        std::vector<std::string> v;
        for (const QString& a : args)
            v.push_back(a.toStdString());
        const Run r = b.poll(v);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.startsWith("vx52-cli: poll: ") && r.err.contains(error), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QVERIFY(b.line.written.empty());
    }

    // vx52-sim --stations: whole regulators on one pseudo-terminal, polled by vx52-cli until
    // SIGINT; the silent one answers once the simulator is told (SIGUSR1).
    void pollStationsOfTheSimulator() {
        test::SimProcess sim({"--stations", "1,5,9", "--silent-stations", "9"});
        QVERIFY(sim.running());
        QProcess cli;
        cli.setProcessEnvironment(desktop(QStringLiteral("cs_CZ.UTF-8")));
        cli.start(QStringLiteral(VX52_CLI),
                  {"--device", sim.path(), "poll", "1,5,9", "--period", "0"});
        QVERIFY(cli.waitForStarted(5000));
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += cli.readAllStandardOutput()).count('\n') >= 1 + 4 * 3,
                                 20000);
        ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 1); // 9 never answered
        out += cli.readAllStandardOutput();
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(QRegularExpression("^vx52-cli: poll: \\d+ rounds; station 1: \\d+ good, 0 failed; "
                                    "station 5: \\d+ good, 0 failed; station 9: 0 good, \\d+ "
                                    "failed, \\d+ skipped\n$")
                     .match(err)
                     .hasMatch(),
                 qPrintable(err));
        const QStringList rows = QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows[1].section(',', 1, 1), QString("1"));
        QVERIFY(rows[1].endsWith(",ok") && rows[2].endsWith(",ok"));
        QVERIFY(rows[1].section(',', 2, 5) != rows[2].section(',', 2, 5)); // their own processes
        QVERIFY(rows[3].endsWith(",9,,,,,,bez odpovědi"));

        sim.healthy();
        QTRY_COMPARE_WITH_TIMEOUT(runProgram({"--device", sim.path(), "poll", "9", "--rounds", "1"})
                                      .status,
                                  0, 5000);

        // Lists the simulator cannot serve.
        for (const QStringList& bad : {QStringList{"--stations", "1,5", "--address", "3"},
                                       QStringList{"--stations", "1", "--silent-stations", "4"},
                                       QStringList{"--stations", "1,200"}}) {
            QProcess p;
            p.start(QStringLiteral(VX52_SIM), QStringList{"--pty"} + bad);
            QVERIFY(p.waitForFinished(5000));
            QCOMPARE(p.exitCode(), 2);
            QVERIFY(p.readAllStandardError().startsWith("vx52-sim: --"));
        }
    }

    // A reply past the time-out fails its operation; the program leaves only once the line
    // is quiet, so the next one gets its own answer, and the trace shows the late bytes.
    void lateRepliesAreWaitedOut() {
        test::SimProcess sim({"--address", "1", "--fault", "late", "--late-ms", "650"});
        QVERIFY(sim.running());
        Run r = runProgram({"--device", sim.path(), "--decode", "read-table", "2"});
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(QRegularExpression("\nRX \\d+ 68 0E 0E 68 00 01 08( [0-9A-F]{2}){13} \\(late\\)\n")
                     .match(r.err)
                     .hasMatch(),
                 qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("| pozdní odpověď\n    ALARM2.")), qPrintable(r.err));
        sim.healthy();
        r = runProgram({"--device", sim.path(), "read-table", "3"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("SENS1.")), qPrintable(r.out));
    }

    void programAgainstTheSimulator() {
        test::SimProcess sim({"--address", "4"});
        QVERIFY(sim.running());
        Run r = runProgram({"--device", sim.path(), "--da", "4", "--trace", "meas"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines[0].startsWith("MEAS.OUT1="));
        QVERIFY(lines[5].startsWith("MEAS.WORD="));
        const QStringList trace = r.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(trace.size(), 2);
        QVERIFY2(QRegularExpression("^TX \\d+ 68 04 04 68 04 00 6C 03 73 16$")
                     .match(trace[0])
                     .hasMatch(),
                 qPrintable(trace[0]));
        QVERIFY(QRegularExpression("^RX \\d+ 68 16 16 68 00 04 08( [0-9A-F]{2}){21}$")
                    .match(trace[1])
                    .hasMatch());

        r = runProgram({"--device", sim.path(), "--da", "5", "probe"});
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());

        // --decode: each telegram followed by the monitor's row and the fields, which agree
        // with what the command prints.
        r = runProgram({"--device", sim.path(), "--da", "4", "--decode", "meas"});
        QCOMPARE(r.status, 0);
        const QStringList decoded = r.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(decoded.size(), 10);
        QCOMPARE(decoded[1], QStringLiteral("  → 4 | požadavek FC 6C | měření | 10 B | OK"));
        QVERIFY(decoded[2].startsWith("RX "));
        QCOMPARE(decoded[3], QStringLiteral("  ← 4 | data FC 08 | měření | 28 B | OK"));
        QStringList fields = r.out.split('\n', Qt::SkipEmptyParts);
        for (QString& f : fields) f = "    " + f.replace('=', " = ");
        QCOMPARE(decoded.mid(4), fields);
        // Under any other desktop the rows read in English; the fields are names and numbers.
        r = runProgram({"--device", sim.path(), "--da", "4", "--decode", "meas"}, {},
                       QStringLiteral("en_US.UTF-8"));
        QCOMPARE(r.status, 0);
        const QStringList english = r.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(english.size(), 10);
        QCOMPARE(english[1], QStringLiteral("  → 4 | request FC 6C | measurement | 10 B | OK"));
        QCOMPARE(english[3], QStringLiteral("  ← 4 | data reply FC 08 | measurement | 28 B | OK"));
    }

    void programUsageAndLineFailures() {
        // A failure names the line as the user gave it.
        Run r = runProgram({"--device", "/nonexistent/tty", "meas"});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, QString("Sériový port /nonexistent/tty nelze otevřít\n"));
        QTemporaryDir config;
        QVERIFY(config.isValid());
        QFile conf(config.filePath("TevVx52.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[PORT]\nDEVICE3=/nonexistent/tty3\n");
        conf.close();
        r = runProgram({"--com", "3", "meas"}, config.path());
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, QString("Sériový port COM 3 (/nonexistent/tty3) nelze otevřít\n"));
        // Any other desktop gets the message in English.
        for (const char* locale : {"en_US.UTF-8", "de_DE.UTF-8", "C"}) {
            r = runProgram({"--com", "3", "meas"}, config.path(), QString::fromLatin1(locale));
            QCOMPARE(r.status, 2);
            QCOMPARE(r.err, QString("Serial port COM 3 (/nonexistent/tty3) cannot be opened\n"));
        }
        r = runProgram({"meas"});
        QCOMPARE(r.status, 2);
        r = runProgram({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("write-table T FIELD=VALUE"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
