// The serial line on pseudo-terminals, against a far end the test drives: the read time-out
// rule, purge before write, exclusive open, speed changes, failures and a vanishing peer.

#include "link/failure.h"
#include "link/port/serial_devices.h"
#include "link/port/line_format.h"
#include "link/port/serial_line.h"
#include "port/pty_peer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace vx52;
using namespace std::chrono_literals;
using test::PtyPeer;
using Bytes = std::vector<std::uint8_t>;

// The read rule stretches below 9600 bit/s and is the fixed one from there up.
static_assert(gapTimeout(9600) == 100ms && gapTimeout(110) == 300ms && gapTimeout(300) == 110ms);
static_assert(totalReadTimeout(28, 9600) == 556ms && totalReadTimeout(28, 256000) == 556ms);
static_assert(totalReadTimeout(6, 110) == 1100ms && totalReadTimeout(28, 4800) == 565ms);

namespace {

ComPorts onlyDevice(const QString& path) {
    return ComPorts([path](const QString&, const QString&) { return path; });
}

// Opens COM com of line, giving the failure text or an empty string.
QString openText(SerialLine& line, int com) {
    line.setComNumber(com);
    try {
        line.OpenLine(com);
    } catch (const Failure& f) {
        return QString::fromStdString(f.text());
    }
    return {};
}

} // namespace

class TestSerialLine : public QObject {
    Q_OBJECT

private slots:
    void comNumbersMapToDevices() {
        QCOMPARE(ComPorts().devicePath(1), QString("/dev/ttyS0"));
        QCOMPARE(ComPorts().devicePath(8), QString("/dev/ttyS7"));
        QVERIFY(ComPorts().devicePath(0).isEmpty());
        QVERIFY(ComPorts().devicePath(9).isEmpty());
        QStringList asked;
        const ComPorts stored([&](const QString& key, const QString& fallback) {
            asked << key + "|" + fallback;
            return key == "DEVICE2" ? QString("/dev/ttyUSB0") : fallback;
        });
        QCOMPARE(stored.devicePath(2), QString("/dev/ttyUSB0"));
        QCOMPARE(stored.devicePath(5), QString("/dev/ttyS4"));
        QCOMPARE(asked, (QStringList{"DEVICE2|/dev/ttyS1", "DEVICE5|/dev/ttyS4"}));
    }

    // An adapter is kept under its /dev/serial/by-id/ link where it has one, and a stored
    // entry names it whether it holds the link or the device.
    void adapterIsKeptUnderItsStableName() {
        QTemporaryDir dev;
        const QString usb0 = dev.filePath("ttyUSB0");
        const QString usb1 = dev.filePath("ttyUSB1");
        for (const QString& path : {usb0, usb1}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dev.path()).mkpath("serial/by-id"));
        const QString byId = dev.filePath("serial/by-id");
        const QString link = byId + "/usb-FTDI_FT232R_USB_UART_A10KZP45-if00-port0";
        QVERIFY(QFile::link("../../ttyUSB0", link));

        QCOMPARE(stableNameOf(usb0, byId), link);
        QCOMPARE(stableNameOf(usb1, byId), QString());
        QCOMPARE(stableNameOf(usb0, dev.filePath("none")), QString());

        SerialDevice adapter{.location = usb0, .stableName = link, .vendorId = 0x403,
                             .productId = 0x6001};
        QCOMPARE(adapter.storedName(), link);
        QCOMPARE(adapter.usbId(), QString("0403:6001"));
        QVERIFY(adapter.isNamedBy(link) && adapter.isNamedBy(usb0));
        QVERIFY(!adapter.isNamedBy(usb1) && !adapter.isNamedBy(QString()));
        const SerialDevice builtIn{.location = usb1};
        QCOMPARE(builtIn.storedName(), usb1);
        QCOMPARE(builtIn.usbId(), QString());

        // The line opens what the entry holds: the link, through which the device is reached.
        const ComPorts stored([&](const QString& key, const QString& fallback) {
            return key == ComPorts::deviceKey(3) ? adapter.storedName() : fallback;
        });
        QCOMPARE(stored.devicePath(3), link);
    }

    void silentLineEndsTheRead_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("expected");
        QTest::newRow("measurement, 28 bytes") << 28 << 9600 << 556;
        QTest::newRow("acknowledgement, 6 bytes") << 6 << 115200 << 512;
        // Below 9600 bit/s the total is n character times + 500 ms when that is longer.
        QTest::newRow("measurement at 300 bit/s") << 28 << 300 << 1527;
        QTest::newRow("acknowledgement at 110 bit/s") << 6 << 110 << 1100;
    }
    void silentLineEndsTheRead() {
        QFETCH(int, count);
        QFETCH(int, baud);
        QFETCH(int, expected);
        PtyPeer peer;
        QVERIFY(peer.valid());
        SerialLine line(onlyDevice(peer.path()));
        line.setBaudRate(baud);
        QCOMPARE(openText(line, 1), QString());
        Bytes buffer(static_cast<std::size_t>(count));
        QElapsedTimer clock;
        clock.start();
        const ReadResult r = line.read(buffer);
        const qint64 took = clock.elapsed();
        qInfo("silent read of %d bytes: %lld ms", count, took);
        QVERIFY(r.ok);
        QCOMPARE(r.count, std::size_t(0));
        QVERIFY2(took >= expected - 2 && took < expected + 250, qPrintable(QString::number(took)));
    }

    void readEndsAfterAGapButNotBetweenBytes() {
        PtyPeer peer;
        SerialLine line(onlyDevice(peer.path()));
        QCOMPARE(openText(line, 1), QString());

        // A reply cut after 10 of 28 bytes.
        QElapsedTimer clock;
        qint64 sentAt = -1;
        std::thread cut([&] {
            std::this_thread::sleep_for(50ms);
            peer.send(Bytes(10, 0x5A));
            sentAt = clock.elapsed();
        });
        Bytes buffer(28);
        clock.start();
        const ReadResult r = line.read(buffer);
        const qint64 took = clock.elapsed();
        cut.join();
        qInfo("reply cut after 10 of 28 bytes: read ended %lld ms after the tenth", took - sentAt);
        QVERIFY(r.ok);
        QCOMPARE(r.count, std::size_t(10));
        QVERIFY2(took - sentAt >= 95 && took - sentAt < 300,
                 qPrintable(QString::number(took - sentAt)));

        // Bytes 60 ms apart never open a gap: all five arrive.
        std::thread slow([&] {
            for (std::uint8_t b = 1; b <= 5; ++b) {
                std::this_thread::sleep_for(60ms);
                peer.send({b});
            }
        });
        Bytes five(5);
        const ReadResult all = line.read(five);
        slow.join();
        QCOMPARE(all.count, std::size_t(5));
        QVERIFY(five == (Bytes{1, 2, 3, 4, 5}));

        // At 110 bit/s a character takes 100 ms and the gap stretches to three of them:
        // bytes 180 ms apart are still one reply.
        line.setBaudRate(110);
        line.ApplyLineSettings();
        std::thread slower([&] {
            for (std::uint8_t b = 1; b <= 3; ++b) {
                std::this_thread::sleep_for(180ms);
                peer.send({b});
            }
        });
        Bytes three(3);
        const ReadResult paced = line.read(three);
        slower.join();
        QCOMPARE(paced.count, std::size_t(3));
    }

    // The fast search's read: nothing after the prompt-reply time when silent; a reply that
    // begins in time is read whole, with the gap rule ending it.
    void promptReadWaitsOnlyForAPromptReply_data() {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("expected");
        QTest::newRow("9600: at least 50 ms") << 9600 << 50;
        QTest::newRow("115200: at least 50 ms") << 115200 << 50;
        QTest::newRow("1200: 30 characters") << 1200 << 275;
        QTest::newRow("110: no longer than a probe's read") << 110 << 1100;
    }
    void promptReadWaitsOnlyForAPromptReply() {
        QFETCH(int, baud);
        QFETCH(int, expected);
        QCOMPARE(promptReplyTimeout(baud).count(), expected);
        PtyPeer peer;
        SerialLine line(onlyDevice(peer.path()));
        line.setBaudRate(baud);
        QCOMPARE(openText(line, 1), QString());
        Bytes buffer(6);
        QElapsedTimer clock;
        clock.start();
        ReadResult r = line.readPrompt(buffer);
        const qint64 took = clock.elapsed();
        qInfo("silent prompt read at %d bit/s: %lld ms", baud, took);
        QVERIFY(r.ok);
        QCOMPARE(r.count, std::size_t(0));
        QVERIFY2(took >= expected - 2 && took < expected + 250, qPrintable(QString::number(took)));

        // Begun in time, the reply's second half after a pause under the gap limit still counts.
        std::thread reply([&] {
            std::this_thread::sleep_for(5ms);
            peer.send({0x10, 0x00, 0x01});
            std::this_thread::sleep_for(60ms);
            peer.send({0x00, 0x01, 0x16});
        });
        r = line.readPrompt(buffer);
        reply.join();
        QCOMPARE(r.count, std::size_t(6));
        QVERIFY(buffer == (Bytes{0x10, 0x00, 0x01, 0x00, 0x01, 0x16}));
    }

    // What the line asks of the port after every open and speed change: 8 data bits, even
    // parity, one stop bit, no flow control. A pseudo-terminal cannot show parity, so the
    // request itself is recorded.
    void lineFormatAskedFor() {
        struct Recorder {
            QStringList asked;
            bool parityRefused = false;
            bool note(const char* what, int value) {
                asked << QString("%1 %2").arg(what).arg(value);
                return true;
            }
            bool setBaudRate(qint32 b) { return note("baud", b); }
            bool setDataBits(QSerialPort::DataBits d) { return note("data", d); }
            bool setStopBits(QSerialPort::StopBits s) { return note("stop", s); }
            bool setFlowControl(QSerialPort::FlowControl f) { return note("flow", f); }
            bool setParity(QSerialPort::Parity p) { return note("parity", p) && !parityRefused; }
        } port;
        QVERIFY(applyLineFormat(port, 300, false));
        port.asked.sort();
        QCOMPARE(port.asked, (QStringList{"baud 300", "data 8", "flow 0",
                                          QString("parity %1").arg(QSerialPort::EvenParity),
                                          "stop 1"}));
        port.parityRefused = true;
        QVERIFY(!applyLineFormat(port, 9600, false)); // a real device must take even parity
        QVERIFY(applyLineFormat(port, 9600, true));   // a pseudo-terminal carries no parity
    }

    // WriteBytes purges receive, then transmit; an open ends with transmit, then receive.
    void purgeOrder() {
        struct Logged : SerialLine {
            using SerialLine::SerialLine;
            QString calls;
            void purgeReceive() override {
                calls += 'r';
                SerialLine::purgeReceive();
            }
            void purgeTransmit() override {
                calls += 't';
                SerialLine::purgeTransmit();
            }
        };
        PtyPeer peer;
        Logged line(onlyDevice(peer.path()));
        QCOMPARE(openText(line, 1), QString());
        QCOMPARE(line.calls, QString("tr"));
        line.calls.clear();
        QVERIFY(line.write(Bytes{0x10, 0x01, 0x00, 0x69, 0x6A, 0x16}));
        QCOMPARE(line.calls, QString("rt"));
    }

    void writePurgesStaleInputAndLeavesTheLine() {
        PtyPeer peer;
        SerialLine line(onlyDevice(peer.path()));
        QCOMPARE(openText(line, 1), QString());
        peer.send({0xEE, 0xEE, 0xEE}); // a late answer to something earlier
        QTest::qWait(30);
        const Bytes request{0x10, 0x01, 0x00, 0x69, 0x6A, 0x16};
        QVERIFY(line.write(request));
        QVERIFY(peer.take() == request);
        const Bytes ack{0x10, 0x00, 0x01, 0x00, 0x01, 0x16};
        peer.send(ack);
        Bytes buffer(6);
        QElapsedTimer clock;
        clock.start();
        const ReadResult r = line.read(buffer);
        QCOMPARE(r.count, std::size_t(6));
        QVERIFY(buffer == ack);
        QVERIFY(clock.elapsed() < 100); // n bytes end the read at once
    }

    void farEndVanishingFailsAtOnce() {
        PtyPeer peer;
        SerialLine line(onlyDevice(peer.path()));
        QCOMPARE(openText(line, 1), QString());
        std::thread gone([&] {
            std::this_thread::sleep_for(150ms);
            peer.vanish();
        });
        Bytes buffer(28);
        QElapsedTimer clock;
        clock.start();
        const ReadResult r = line.read(buffer);
        const qint64 took = clock.elapsed();
        gone.join();
        QVERIFY(!r.ok);
        QVERIFY2(took < 450, qPrintable(QString::number(took))); // not the 556 ms time-out
        QVERIFY(!line.isOpen());
        clock.restart();
        QVERIFY(!line.write(Bytes{0x10}));
        QVERIFY(!line.read(buffer).ok);
        QVERIFY(clock.elapsed() < 50);
    }

    void farEndVanishingWhileIdleClosesTheLine() {
        PtyPeer peer;
        SerialLine line(onlyDevice(peer.path()));
        QCOMPARE(openText(line, 1), QString());
        peer.vanish();
        // Between exchanges the event loop runs (the port dialog keeps the line open).
        QTRY_VERIFY_WITH_TIMEOUT(!line.isOpen(), 1000);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!line.write(Bytes{0x10}));
        QVERIFY(clock.elapsed() < 50);
    }

    void openIsExclusive() {
        PtyPeer peer;
        SerialLine first(onlyDevice(peer.path()));
        SerialLine second(onlyDevice(peer.path()));
        int resets = 0;
        second.setOnReset([&] { ++resets; });
        QCOMPARE(openText(first, 2), QString());
        QCOMPARE(openText(second, 2), QString("Sériový port COM2 nelze otevřít"));
        QCOMPARE(second.comNumber(), 0);
        QCOMPARE(resets, 1);
        QVERIFY(!second.isOpen());
        QVERIFY(first.write(Bytes{0x42}));
        QVERIFY(peer.take() == Bytes{0x42});
        // Opening again while open replaces the first open instead of failing on it.
        QCOMPARE(openText(first, 2), QString());
        first.CloseLine();
        QCOMPARE(openText(second, 2), QString());
    }

    void openFailures_data() {
        QTest::addColumn<int>("com");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing device") << 3 << "/nonexistent/ttyX"
                                        << "Sériový port COM3 nelze otevřít";
        QTest::newRow("not a serial line") << 4 << "/dev/null"
                                           << "Nelze získat konfiguraci na sériovém portu COM4";
        QTest::newRow("no port") << 0 << "PEER" << QString::fromUtf8(kNoPortChosenText);
        QTest::newRow("beyond COM8") << 9 << "PEER"
                                     << "Sériový port COM9 nelze otevřít";
    }
    void openFailures() {
        QFETCH(int, com);
        QFETCH(QString, device);
        QFETCH(QString, text);
        PtyPeer peer;
        SerialLine line(onlyDevice(device == "PEER" ? peer.path() : device));
        QCOMPARE(openText(line, com), text);
        QVERIFY(!line.isOpen());
        QCOMPARE(line.comNumber(), 0);
        Bytes buffer(6);
        QVERIFY(!line.write(buffer));
        QVERIFY(!line.read(buffer).ok);
    }

    void speedChangesWithoutReopening() {
        PtyPeer peer;
        SerialLine line(onlyDevice(peer.path()));
        line.setBaudRate(9600);
        QCOMPARE(openText(line, 1), QString());
        QCOMPARE(peer.speed(), 9600);
        for (int baud : {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600,
                         115200, 128000, 256000}) {
            line.setBaudRate(baud);
            line.ApplyLineSettings();
            QCOMPARE(peer.speed(), baud);
        }
        QVERIFY(line.isOpen());
        line.CloseLine();
        line.setComNumber(6);
        QVERIFY_THROWS_EXCEPTION(Failure, line.ApplyLineSettings());
        QCOMPARE(line.comNumber(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSerialLine)
#include "test_serial_line.moc"
