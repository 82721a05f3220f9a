// Recording driven by the measurement cycle over an answering regulator, under Czech
// regional settings: a new recording's lines, the sample period, the periodic write.

#include "app/dialogs/Rychlostzaznamu.h"
#include "app/trend_chart.h"
#include "recording/window_rig.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using vx52::Prompts;
using vx52::test::WindowRig;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QStringList lines(Tqdx01& w) {
    QStringList out;
    for (std::size_t i = 0; i < w.record.count(); ++i)
        out << w.record.line(i);
    return out;
}

QString shownValuesLine(WindowRig& rig, const QString& time, const QString& date) {
    return vx52::recordDataLine(rig.panel("pa_meas1"), rig.panel("pa_meas2"), rig.panel("pa_meas3"),
                                rig.panel("pa_meas4"), time, date);
}

// Sets the regulator's measured values (the device's process is stopped so they stay).
void setDeviceValues(WindowRig& rig, float v1, float v2, float v3, float v4) {
    auto& regulator = rig.line.regulator();
    regulator.setProcessRunning(false);
    auto& meas = regulator.tables().MEAS;
    meas.OUT1 = v1;
    meas.OUT2 = v2;
    meas.OUT3 = v3;
    meas.OUT4 = v4;
}

} // namespace

class TestRecordingCycle : public QObject {
    Q_OBJECT

private slots:
    void newRecordGivesHeaderAndOneSampleAndEmptyChart();
    void newFileWithUnopenableLineKeepsFileChoice();
    void zapisYesStartsNewRecording();
    void twoMinutesRateAppendsEvery120Ticks();
    void periodicWriteNeedsBothBoxes();
};

void TestRecordingCycle::newRecordGivesHeaderAndOneSampleAndEmptyChart() {
    WindowRig rig;
    setDeviceValues(rig, 21.5f, 0.0f, 100.0f, 7.3f);
    rig.clock.current = QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7));
    rig.control<QPushButton>("tl_precist")->click(); // points in the chart before
    QVERIFY(rig.idle());
    QVERIFY(rig.control<TrendChart>("Chart1")->count(0) > 0);

    rig.action("mn_novy")->trigger(); // then "Uložit jako", cancelled
    QVERIFY(rig.idle());

    QCOMPARE(lines(rig.main()),
             (QStringList{
                 "Začátek měření na regulátoru QDX 72-4xxx   14.03.26     9:05:07",
                 "Naměřené hodnoty okruh 1; okruh 2; okruh 3; okruh 4;čas; datum",
                 QString(65, u'-'),
                 "21,5; 0,0; 100,0; 7,3; 9:05:07;   14.03.26",
             }));
    for (int s = 0; s < 4; ++s)
        QCOMPARE(rig.control<TrendChart>("Chart1")->count(s), 0);
    QCOMPARE(rig.main().sample_ticks, 0);
    QCOMPARE(rig.prompts.asked.size(), 1);
    QCOMPARE(rig.prompts.asked.front().dialog.title, QStringLiteral("Uložit jako"));
    QVERIFY(!rig.fileChosen());
}

void TestRecordingCycle::newFileWithUnopenableLineKeepsFileChoice() {
    WindowRig rig;
    const QString chosen = rig.path("a.TXT");
    rig.prompts.paths.push_back(chosen);
    rig.action("mn_ulozit")->trigger();
    QVERIFY(rig.fileChosen());

    rig.line.existingPorts.clear(); // the adapter is gone: the read cannot open the line
    rig.prompts.clear();
    rig.action("mn_novy")->trigger();
    QVERIFY(rig.idle());

    QCOMPARE(rig.prompts.asked.size(), 1);
    QCOMPARE(rig.prompts.asked.front().caption, QStringLiteral("VX-52"));
    QVERIFY(rig.fileChosen()); // the click itself does not flip the check mark
    QCOMPARE(rig.main().record.count(), std::size_t(3)); // the header only
}

void TestRecordingCycle::zapisYesStartsNewRecording() {
    WindowRig rig;
    rig.control<QCheckBox>("check_auto")->click();
    QVERIFY(rig.seconds->run(5));
    QCOMPARE(rig.main().record.count(), std::size_t(5)); // data lines only, no header yet

    rig.prompts.answers.push_back(Prompts::Answer::Yes);
    rig.control<QCheckBox>("check_zapis")->click();
    QVERIFY(rig.idle());
    QCOMPARE(rig.main().record.count(), std::size_t(4));
    QVERIFY(rig.main().record.line(0).startsWith("Začátek měření"));
    QVERIFY(rig.main().Timer1->isActive());
}

void TestRecordingCycle::twoMinutesRateAppendsEvery120Ticks() {
    WindowRig rig;
    auto* dialog = rig.windows->form_zaznam;
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->ed_sample()->setText(QStringLiteral("2"));
        dialog->rb_min()->setChecked(true);
        dialog->findChild<QPushButton*>("tl_ok")->click();
    });
    rig.action("mn_rychlost_zaznamu")->trigger();
    QCOMPARE(rig.panel("pa_zaznam"), QStringLiteral("2"));
    QCOMPARE(rig.panel("pa_jednotky"), QStringLiteral("min"));

    rig.control<QCheckBox>("check_auto")->click();
    QStringList expected;
    for (int tick = 1; tick <= 360; ++tick) {
        QVERIFY(rig.seconds->run(1));
        if (tick % 120 == 0) {
            expected << shownValuesLine(rig, rig.clock.current.toString("H:mm:ss"),
                                        rig.clock.current.toString("dd.MM.yy"));
        }
        QCOMPARE(lines(rig.main()), expected);
    }
    QCOMPARE(expected.size(), 3);
}

void TestRecordingCycle::periodicWriteNeedsBothBoxes() {
    WindowRig rig;
    rig.main().setFileMinutes(1);
    const QString file = rig.path(QStringLiteral("Documents/Záznam QDX72_4xxx.txt"));
    rig.control<QCheckBox>("check_zapis")->click(); // Yes: new recording; dialog cancelled
    QVERIFY(rig.seconds->run(120)); // no automatic reading: no ticks
    QVERIFY(!QFile::exists(file));

    rig.control<QCheckBox>("check_auto")->click();
    QVERIFY(rig.seconds->run(59));
    QVERIFY(!QFile::exists(file));
    QVERIFY(rig.seconds->run(1));
    QCOMPARE(readAll(file), [&] {
        QByteArray out;
        for (const auto piece : rig.main().record.pieces())
            out.append(piece.data(), piece.size());
        return out;
    }());
    QCOMPARE(rig.main().record.count(), std::size_t(3 + 1 + 60));

    // Unticked, the lines keep coming but the file stays as it was.
    rig.control<QCheckBox>("check_zapis")->click();
    const QByteArray written = readAll(file);
    QVERIFY(rig.seconds->run(120));
    QCOMPARE(readAll(file), written);
    QCOMPARE(rig.main().record.count(), std::size_t(3 + 1 + 180));
}

int main(int argc, char** argv) {
    // The regional settings of a Czech desktop: decimal comma, dd.MM.yy, H:mm:ss.
    qputenv("LC_ALL", "cs_CZ.UTF-8");
    qputenv("LANG", "cs_CZ.UTF-8");
    QApplication app(argc, argv);
    TestRecordingCycle test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_recording_cycle.moc"
