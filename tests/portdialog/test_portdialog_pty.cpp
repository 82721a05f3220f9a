// The program through the real serial line, its port on the line worker's thread, against
// vx52-sim on a pseudo-terminal at the real timer pace: one whole address search (the dialog
// saved as a picture afterwards), and automatic reading of a regulator slower than its period.

#include "app/Unit_hl.h"
#include "app/windows.h"
#include "fixtures/fake_time.h"
#include "fixtures/scripted_prompts.h"
#include "fixtures/timer_seconds.h"
#include "app/dialogs/Unitport.h"
#include "link/port/serial_line.h"
#include "port/sim_process.h"
#include "ui/qt_settings_store.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vx52::test;

class TestPortDialogPty : public QObject {
    Q_OBJECT

private slots:
    // The fast search ("Rychlé hledání") must find the same stations, neighbours included,
    // also when every reply comes as late as a USB adapter's latency timer makes it.
    void wholeSearchOverPseudoTerminal_data() {
        QTest::addColumn<bool>("fast");
        QTest::addColumn<int>("replyDelay");
        QTest::newRow("normal") << false << 0;
        QTest::newRow("fast") << true << 0;
        QTest::newRow("fast, replies 16 ms late") << true << 16;
        QTest::newRow("fast, replies 20 ms late") << true << 20;
    }
    void wholeSearchOverPseudoTerminal() {
        QFETCH(bool, fast);
        QFETCH(int, replyDelay);
        // The regulator at 1, and stations everywhere but at the multiples of 8, so that the
        // silent probes (about half a second each) stay few.
        QSet<int> answering{1};
        QStringList others;
        for (int a = 2; a <= 126; ++a)
            if (a % 8 != 0) {
                answering.insert(a);
                others << QString::number(a);
            }
        SimProcess sim({"--address", "1", "--also-answer", others.join(','), "--reply-delay",
                        QString::number(replyDelay)});
        QVERIFY(sim.running());

        QTemporaryDir dir;
        vx52::QtSettingsStore settings(dir.filePath(QStringLiteral("TevVx52.ini")));
        settings.writeString("PORT", "DEVICE1", sim.path());
        settings.writeInteger("PORT", "COM", 1);
        settings.writeInteger("ADRESA", "DA", 1);
        settings.writeInteger("ADRESA", "RYCHLE", fast ? 1 : 0);
        vx52::SerialLine line(vx52::ComPorts([&settings](const QString& key, const QString& fallback) {
            return settings.readString(QStringLiteral("PORT"), key, fallback);
        }));
        ScriptedPrompts prompts;
        FakeClock clock;
        RecordingPause pause;
        // The serial port on the line worker's thread, as in the program: no warning of a
        // port used from another thread.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("thread"),
                                                QRegularExpression::CaseInsensitiveOption));
        vx52::AppWindows windows({settings, line, prompts, clock, pause,
                                  [&line](QThread* to) { line.moveToThread(to); }});
        Tport* port = windows.port;
        auto* table = port->findChild<QTableWidget*>("str_tab");

        bool finished = false;
        bool lineWasOpen = false;
        qint64 millis = 0;
        QString picture;
        QTimer::singleShot(0, port, [&] {
            lineWasOpen = QTest::qWaitFor([&] { return !windows.worker().busy(); }, 10000) &&
                          line.isOpen();
            QElapsedTimer elapsed;
            elapsed.start();
            port->findChild<QPushButton*>("tl_najit")->click();
            finished = QTest::qWaitFor([&] { return !port->searching(); }, 180000);
            millis = elapsed.elapsed();
            QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOT_DIR)));
            picture = QStringLiteral(SCREENSHOT_DIR "/port_dialog_after_search%1%2.png")
                          .arg(fast ? "_fast" : "")
                          .arg(replyDelay > 0 ? QString("_late%1").arg(replyDelay) : QString());
            if (!port->grab().save(picture)) picture.clear();
            port->findChild<QPushButton*>("tl_ok")->click();
        });
        windows.qdx01->findChild<QAction*>("mn_port")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !windows.worker().busy(); }, 10000));

        QVERIFY(lineWasOpen);
        QVERIFY(finished);
        QVERIFY2(prompts.asked.isEmpty(), qPrintable(prompts.texts().join('|')));
        for (int a = 0; a <= 126; ++a) {
            const QString expected = answering.contains(a) ? QString::number(a) : " ";
            QVERIFY2(table->item(a / 16, a % 16)->text() == expected, qPrintable(QString::number(a)));
        }
        QCOMPARE(windows.link().GetDeviceAddress(), std::uint8_t(1));
        QVERIFY(!line.isOpen());
        QVERIFY(!picture.isEmpty());
        qInfo("%s search of 127 addresses (16 silent), replies %d ms late, took %lld ms; picture %s",
              fast ? "fast" : "normal", replyDelay, millis,
              qPrintable(picture));
    }

    // A regulator slower than the sample period: the timer keeps its pace, a second that finds
    // the previous read still running is skipped and counted (the link panel names it), and
    // nothing queues up behind the read: one record line per read made. Each of the timer's
    // events is a second here, and every read takes longer than one.
    void slowRegulatorSkipsSamples() {
        SimProcess sim({"--address", "1", "--reply-delay", "300"});
        QVERIFY(sim.running());
        QTemporaryDir dir;
        vx52::QtSettingsStore settings(dir.filePath(QStringLiteral("TevVx52.ini")));
        settings.writeString("PORT", "DEVICE1", sim.path());
        settings.writeInteger("PORT", "COM", 1);
        settings.writeInteger("ADRESA", "DA", 1);
        vx52::SerialLine line(vx52::ComPorts([&settings](const QString& key, const QString& fallback) {
            return settings.readString(QStringLiteral("PORT"), key, fallback);
        }));
        ScriptedPrompts prompts;
        FakeClock clock;
        RecordingPause pause;
        QTest::failOnWarning(QRegularExpression(QStringLiteral("thread"),
                                                QRegularExpression::CaseInsensitiveOption));
        vx52::AppWindows windows({settings, line, prompts, clock, pause,
                                  [&line](QThread* to) { line.moveToThread(to); }});
        vx52::LineWorker& worker = windows.worker();
        QSignalSpy reads(&worker, &vx52::LineWorker::finished);
        TimerSeconds seconds(*windows.qdx01->Timer1, clock);
        seconds.letRun();
        auto* automatic = windows.qdx01->findChild<QCheckBox*>("check_auto");
        automatic->click();
        QVERIFY(QTest::qWaitFor([&] { return worker.skipped() >= 3; }, 60000));
        QVERIFY2(windows.qdx01->findChild<QLabel*>("pa_spojeni")->text().contains(
                     QStringLiteral("vynechaná čtení: ")),
                 qPrintable(windows.qdx01->findChild<QLabel*>("pa_spojeni")->text()));
        automatic->click();
        seconds.hold();
        QVERIFY(QTest::qWaitFor([&] { return !worker.busy(); }, 10000)); // the read under way
        QVERIFY(reads.count() >= 1);
        QCOMPARE(int(windows.qdx01->record.count()), reads.count());
        QVERIFY(prompts.asked.isEmpty());
    }
};

QTEST_MAIN(TestPortDialogPty)
#include "test_portdialog_pty.moc"
