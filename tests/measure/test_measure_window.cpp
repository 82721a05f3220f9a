// The main window's measurement cycle and trend chart over the simulated regulator: reads,
// relays, the failure rule, automatic reading, the window length, pen colours and
// "Nastavení grafu". Runs under Czech regional settings.

#include "app/dialogs/Rotace_3d.h"
#include "fixtures/layout_check.h"
#include "measure_rig.h"
#include "ui/color_value.h"
#include "ui/regional.h"
#include "ui/value_text.h"
#include "ui_Rotace_3d.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QSemaphore>
#include <QTest>
#include <QToolButton>

using vx52::Prompts;
using vx52::test::MeasureRig;
namespace sim = vx52::sim;

namespace {

QColor panelColour(const QLabel* panel) {
    return panel->palette().color(QPalette::Window);
}
QColor buttonFace() {
    return vx52::colorFromValue(vx52::kButtonFace);
}
QColor yellow() {
    return QColor(255, 255, 0);
}

void setDevice(MeasureRig& rig, float o1, float o2, float o3, float o4, std::uint8_t relays) {
    auto& m = rig.device();
    m.OUT1 = o1;
    m.OUT2 = o2;
    m.OUT3 = o3;
    m.OUT4 = o4;
    m.RELAYS = relays;
}

// Runs `inside` once the modal dialog has started, then ends it with `button`.
void whileDialogOpen(Trotace3D* dialog, std::function<void(Ui::Trotace3D&)> inside,
                     const char* button) {
    QTimer::singleShot(0, dialog, [dialog, inside, button] {
        Ui::Trotace3D controls;
        // The form's pointers, found by name in the live dialog.
        controls.check_3D = dialog->findChild<QCheckBox*>(QStringLiteral("check_3D"));
        controls.bar_3D = dialog->findChild<QScrollBar*>(QStringLiteral("bar_3D"));
        controls.ed_poc_mer = dialog->findChild<QLineEdit*>(QStringLiteral("ed_poc_mer"));
        controls.tl_barva_mriz = dialog->findChild<QPushButton*>(QStringLiteral("tl_barva_mriz"));
        controls.tl_barva_okraj = dialog->findChild<QPushButton*>(QStringLiteral("tl_barva_okraj"));
        inside(controls);
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    });
}

} // namespace

class TestMeasureWindow : public QObject {
    Q_OBJECT

private slots:
    void readShowsValuesRelaysAndAPoint() {
        MeasureRig rig;
        setDevice(rig, 23.456f, 1234.56f, 12345.67f, 0.04f, 5);
        rig.read();
        QCOMPARE(rig.values(), (QStringList{"23,5", "1234,6", "12346,0", "0,0"}));
        // Relay byte 5: relays 1 and 3 on (yellow, raised), 2 and 4 off (button face, lowered).
        const auto relays = rig.relays();
        for (int n : {0, 2}) {
            QCOMPARE(panelColour(relays[n]), yellow());
            QCOMPARE(relays[n]->frameShadow(), QFrame::Raised);
        }
        for (int n : {1, 3}) {
            QCOMPARE(panelColour(relays[n]), buttonFace());
            QCOMPARE(relays[n]->frameShadow(), QFrame::Sunken);
        }
        QVERIFY(!rig.line.isOpen());
        QCOMPARE(rig.line.closes, 1);
        // The chart takes the values as shown, stamped with the clock.
        const double shown[] = {23.5, 1234.6, 12346.0, 0.0};
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(rig.chart().count(s), 1);
            QCOMPARE(rig.chart().yAt(s, 0), shown[s]);
            QCOMPARE(rig.chart().xAt(s, 0), TrendChart::toChartTime(rig.clock.now()));
        }
        QVERIFY(rig.prompts.asked.isEmpty());
    }

    void sixFailuresKeepTheValuesTheSeventhShowsZero() {
        MeasureRig rig;
        setDevice(rig, 21.5f, 22.5f, 23.5f, 24.5f, 0b0110);
        rig.read();
        const QStringList good = rig.values();
        rig.line.setFault(sim::Fault::Silent);
        for (int i = 1; i <= 6; ++i) {
            rig.read();
            QCOMPARE(rig.values(), good);
            QCOMPARE(panelColour(rig.ui().pa_re2), yellow());
        }
        rig.read(); // the seventh
        QCOMPARE(rig.values(), (QStringList{"0", "0", "0", "0"}));
        const QFrame::Shadow kept[] = {QFrame::Sunken, QFrame::Raised, QFrame::Raised,
                                       QFrame::Sunken};
        for (int n = 0; n < 4; ++n) {
            QCOMPARE(panelColour(rig.relays()[n]), buttonFace());
            QCOMPARE(rig.relays()[n]->frameShadow(), kept[n]);
        }
        rig.read();
        QCOMPARE(rig.values(), (QStringList{"0", "0", "0", "0"}));
        // Every read, good or failed, gave the chart one point carrying what was shown.
        QCOMPARE(rig.chart().count(0), 9);
        QCOMPARE(rig.chart().yAt(0, 6), 21.5);
        QCOMPARE(rig.chart().yAt(0, 7), 0.0);
        QVERIFY(rig.prompts.asked.isEmpty()); // failed exchanges are not reported

        rig.line.setFault(sim::Fault::None);
        rig.read();
        QCOMPARE(rig.values(), good);
        QCOMPARE(panelColour(rig.ui().pa_re3), yellow());
        QCOMPARE(rig.main().read_failures, 0);
        rig.line.setFault(sim::Fault::BadSum);
        rig.read(); // the count started again: one failure keeps the values
        QCOMPARE(rig.values(), good);
    }

    void readWithNoPortShowsTheOpenFailureAndChangesNothing() {
        MeasureRig rig({{"PORT/COM", "0"}});
        rig.read();
        QCOMPARE(rig.prompts.asked.size(), 1);
        QCOMPARE(rig.prompts.asked[0].text, QString::fromUtf8(vx52::kNoPortChosenText) + ".");
        QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("VX-52"));
        QCOMPARE(rig.prompts.asked[0].icon, Prompts::Icon::Error);
        QCOMPARE(rig.values(), (QStringList{"0,0", "0,0", "0,0", "0,0"}));
        QCOMPARE(rig.chart().count(0), 0);
        QCOMPARE(rig.main().read_failures, 0);
        QVERIFY(rig.line.written.empty());
    }

    // A caption that is not a number stops the points at its series, with the failure shown.
    void aCaptionThatIsNotANumberStopsThePointsThere() {
        MeasureRig rig;
        rig.line.setFault(sim::Fault::Silent); // a failed read keeps the captions
        rig.ui().pa_meas3->setText(QStringLiteral("x"));
        rig.read();
        QCOMPARE(rig.prompts.asked.size(), 1);
        QVERIFY(rig.prompts.asked[0].text.contains(QStringLiteral("'x'")));
        QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("VX-52"));
        QCOMPARE(rig.chart().count(0), 1);
        QCOMPARE(rig.chart().count(1), 1);
        QCOMPARE(rig.chart().count(2), 0);
        QCOMPARE(rig.chart().count(3), 0);
        QVERIFY(!rig.line.isOpen());
    }

    // ---- Unattended work on the real timer: nothing waits for a person ----

    // An outage during automatic reading is one event: one notice at its start (a line that
    // cannot be opened at once, a silent regulator at its seventh silent read), no box, the
    // chosen line kept, the timer going on at its pace, and reading and recording resuming
    // by themselves once the regulator is back. The status bar and the chart follow it.
    void anOutageEndsByItselfWithNothingAnswered_data() {
        QTest::addColumn<bool>("unplug");
        QTest::newRow("adapter pulled out") << true;
        QTest::newRow("silent regulator") << false;
    }
    void anOutageEndsByItselfWithNothingAnswered() {
        QFETCH(bool, unplug);
        using Kind = vx52::NoticeStrip::Kind;
        MeasureRig rig;
        rig.ui().check_auto->click();
        QVERIFY(rig.seconds->run(2));
        QVERIFY(rig.ui().pa_spojeni->text().startsWith(QStringLiteral("spojeno | dobrá 2, chybná 0 | poslední ")));

        const QString lostAt = vx52::longTimeText(rig.clock.now().addSecs(1).time());
        if (unplug)
            rig.line.unplug();
        else
            rig.line.setFault(sim::Fault::Silent);
        QVERIFY(rig.seconds->run(unplug ? 1 : 7));
        const QString text = rig.notices().text(Kind::Link);
        QVERIFY2(text.startsWith(unplug ? QStringLiteral("Sériový port COM1 nelze otevřít. ")
                                        : QStringLiteral("Regulátor neodpovídá od %1.").arg(lostAt)),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("samo pokračuje")));
        const QDateTime noticed = rig.notices().postedAt(Kind::Link);
        const std::size_t linesAtOutage = rig.main().record.count();

        QVERIFY(rig.seconds->run(3)); // the outage goes on: the same notice, counts running
        QCOMPARE(rig.notices().postedAt(Kind::Link), noticed);
        QCOMPARE(rig.main().selectedLine(), 1); // still chosen, so the retries can succeed
        const QString inside = rig.ui().pa_spojeni->text();
        QVERIFY2(inside.startsWith(unplug ? QStringLiteral("port nelze otevřít | dobrá 2, chybná 4 | ")
                                          : QStringLiteral("bez odezvy od %1 | dobrá 2, chybná 10 | ").arg(lostAt)),
                 qPrintable(inside));
        // No record line while the line cannot be opened; a silent regulator's samples are recorded.
        QCOMPARE(rig.main().record.count() - linesAtOutage, std::size_t(unplug ? 0 : 3));

        rig.line.plugIn();
        rig.line.setFault(sim::Fault::None);
        QVERIFY(rig.seconds->run(1));
        QVERIFY2(rig.ui().pa_spojeni->text().startsWith(QStringLiteral("spojeno | dobrá 3, ")),
                 qPrintable(rig.ui().pa_spojeni->text()));
        QVERIFY2(rig.notices().text(Kind::Link).startsWith(QStringLiteral("Regulátor opět odpovídá")),
                 qPrintable(rig.notices().text(Kind::Link)));
        QCOMPARE(rig.ui().pa_meas1->text(), vx52::valueText(rig.device().OUT1)); // read again
        const auto& gaps = rig.chart().gaps().stretches();
        QCOMPARE(int(gaps.size()), 1);
        QVERIFY(!rig.chart().gaps().isOpen());
        QVERIFY(gaps[0].to > gaps[0].from);
        QVERIFY2(rig.prompts.asked.isEmpty(), qPrintable(rig.prompts.texts().join('|')));

        // The next outage is a new event with its own notice, replacing the last one.
        rig.line.unplug();
        QVERIFY(rig.seconds->run(3));
        QVERIFY(rig.notices().postedAt(Kind::Link) > noticed);
        QVERIFY(rig.notices().text(Kind::Link).startsWith(QStringLiteral("Sériový port COM1")));
        QVERIFY(rig.prompts.asked.isEmpty());
        rig.notices().findChild<QWidget*>(QStringLiteral("notice_spojeni"))
            ->findChild<QToolButton*>(QStringLiteral("tl_zavrit"))->click();
        QVERIFY(!rig.notices().shows(Kind::Link));
        QVERIFY(rig.notices().isHidden());
    }

    // A periodic write that fails keeps every line in memory, says so, and is tried again at
    // every period while the samples go on; the write that succeeds catches the file up.
    void aFileThatCannotBeWrittenCatchesUp() {
        using Kind = vx52::NoticeStrip::Kind;
        MeasureRig rig;
        rig.main().setFileMinutes(1);
        const QString target = rig.folder.filePath(QStringLiteral("gone/zaznam.txt"));
        rig.main().SaveDialog1.initialName = target; // its folder does not exist (share gone)
        rig.ui().check_auto->click();
        rig.ui().check_zapis->setChecked(true);
        QVERIFY(rig.seconds->run(60));
        QVERIFY(rig.prompts.asked.isEmpty());
        const QString text = rig.notices().text(Kind::File);
        QVERIFY2(text.contains(QStringLiteral("zaznam.txt")) &&
                     text.contains(QStringLiteral("v paměti (60 řádků)")) &&
                     text.endsWith(QStringLiteral("další pokus o zápis bude za 1 min (nezdařené pokusy: 1).")),
                 qPrintable(text));

        QVERIFY(rig.seconds->run(65)); // another period fails; no sample is skipped
        QCOMPARE(rig.main().record.count(), std::size_t(125));
        QVERIFY(rig.notices().text(Kind::File).endsWith(QStringLiteral("(nezdařené pokusy: 2).")));
        QVERIFY(rig.main().record_unsaved);

        QVERIFY(QDir(rig.folder.path()).mkdir(QStringLiteral("gone")));
        QVERIFY(rig.seconds->run(54));
        QVERIFY(!QFile::exists(target)); // not before its period
        QVERIFY(rig.seconds->run(1));
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().count('\n'), qsizetype(180));
        QVERIFY(!rig.main().record_unsaved);
        QVERIFY2(rig.notices().text(Kind::File).contains(QStringLiteral("opět zapsán celý (180 řádků), po 2 ")),
                 qPrintable(rig.notices().text(Kind::File)));
        QVERIFY(rig.prompts.asked.isEmpty());
    }

    // Ticking "Zápis do souboru": sampling goes on while its question and its file dialog
    // are open (each spins the event loop as a modal box does); the periodic write waits
    // for the choice and then goes to the chosen file.
    void samplingGoesOnWhileTheRecordingAsks() {
        MeasureRig rig;
        rig.main().setFileMinutes(1);
        rig.main().SaveDialog1.initialName = rig.folder.filePath(QStringLiteral("vychozi.txt"));
        rig.ui().check_auto->click();
        QVERIFY(rig.seconds->run(3));
        const QString chosen = rig.folder.filePath(QStringLiteral("noc.txt"));
        rig.prompts.answers.push_back(Prompts::Answer::No); // keep the data
        rig.prompts.paths.push_back(chosen);
        bool sampledUnderQuestion = false, sampledUnderDialog = false;
        bool writtenUnderDialog = true;
        rig.prompts.whileOpen = [&] {
            const std::size_t before = rig.main().record.count();
            rig.seconds->letRun();
            sampledUnderQuestion = vx52::test::TimerSeconds::waitFor(
                [&] { return rig.main().record.count() >= before + 3; }, 20000);
            rig.seconds->hold();
        };
        rig.prompts.whileSaveOpen = [&] {
            const int from = rig.seconds->passed;
            rig.seconds->letRun();
            // Past a whole write period under the dialog.
            sampledUnderDialog = vx52::test::TimerSeconds::waitFor(
                [&] { return rig.seconds->passed >= from + 70; }, 20000);
            rig.seconds->hold();
            writtenUnderDialog = QFile::exists(chosen) ||
                                 QFile::exists(rig.main().SaveDialog1.initialName);
        };
        rig.ui().check_zapis->click();
        QVERIFY(sampledUnderQuestion);
        QVERIFY(sampledUnderDialog);
        QVERIFY(!writtenUnderDialog);
        QFile written(chosen);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().count('\n'), qsizetype(rig.main().record.count()));
        QCOMPARE(rig.ui().pa_path->text(), QDir::toNativeSeparators(chosen));
    }

    // Start-up with --record FILE: reading and recording at once, nothing asked, the file
    // holding the header from the start and every line after each period.
    void anUnattendedStartRecordsWithoutAQuestion() {
        MeasureRig rig;
        rig.main().setFileMinutes(1);
        const QString file = rig.folder.filePath(QStringLiteral("noc.txt"));
        rig.main().startUnattended(true, file);
        QVERIFY(rig.ui().check_auto->isChecked());
        QVERIFY(rig.ui().check_zapis->isChecked());
        QCOMPARE(rig.ui().pa_path->text(), QDir::toNativeSeparators(file));
        const auto linesIn = [&file] {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : qsizetype(-1);
        };
        QCOMPARE(linesIn(), qsizetype(3));
        QVERIFY(rig.seconds->run(60));
        QCOMPARE(linesIn(), qsizetype(63));
        QVERIFY(rig.prompts.asked.isEmpty());
        QVERIFY(rig.notices().isHidden());
    }

    // A sample that fails in a way nobody foresaw (a caption that is not a number) is told
    // in the notice strip, not in a box, and the period's write still comes on its second.
    void anOddSampleFailureIsNoticedAndTheWriteGoesOn() {
        MeasureRig rig;
        rig.main().setFileMinutes(1);
        const QString file = rig.folder.filePath(QStringLiteral("noc.txt"));
        rig.main().SaveDialog1.initialName = file;
        rig.ui().check_auto->click();
        rig.ui().check_zapis->setChecked(true);
        QVERIFY(rig.seconds->run(59));
        rig.line.setFault(sim::Fault::Silent); // a failed read keeps the captions
        rig.ui().pa_meas3->setText(QStringLiteral("x"));
        QVERIFY(rig.seconds->run(1));
        QVERIFY(rig.prompts.asked.isEmpty());
        const QString text = rig.notices().text(vx52::NoticeStrip::Kind::Reading);
        QVERIFY2(text.contains(QStringLiteral("'x'")), qPrintable(text));
        QVERIFY(QFile::exists(file));
        QVERIFY(rig.seconds->run(1)); // the timer goes on
        QCOMPARE(rig.main().link_watch.failedReads(), std::int64_t(2));
    }

    // The link panel's counts start again with a new recording; the state goes on.
    void theLinkCountsStartAgainWithANewRecording() {
        MeasureRig rig;
        rig.read();
        rig.line.setFault(sim::Fault::Silent);
        rig.read();
        rig.line.setFault(sim::Fault::None);
        QVERIFY(rig.ui().pa_spojeni->text().startsWith(QStringLiteral("spojeno | dobrá 1, chybná 1")));
        rig.ui().mn_novy->trigger(); // its read and first sample, then "Uložit jako", cancelled
        QVERIFY(rig.idle());
        QVERIFY2(rig.ui().pa_spojeni->text().startsWith(QStringLiteral("spojeno | dobrá 2, chybná 0")),
                 qPrintable(rig.ui().pa_spojeni->text()));
    }

    // "Přečíst" failing seven times does not raise automatic reading's outage notice, neither
    // at once nor once automatic reading starts; the operator saw each read.
    void failedSingleReadsRaiseNoOutage() {
        MeasureRig rig;
        rig.line.setFault(sim::Fault::Silent);
        for (int i = 0; i < vx52::LinkWatch::kSilentAfter; ++i) rig.read();
        QVERIFY(rig.ui().pa_spojeni->text().startsWith(QStringLiteral("bez odezvy")));
        rig.line.setFault(sim::Fault::None);
        rig.prompts.answers.push_back(Prompts::Answer::No); // keep the chart
        rig.ui().check_auto->click();
        QVERIFY(rig.seconds->run(2));
        QVERIFY(!rig.notices().shows(vx52::NoticeStrip::Kind::Link));
        QCOMPARE(rig.prompts.texts(), QStringList{QStringLiteral("Chceš vymazat naměřená data?")});
    }

    // A manual read keeps its own rule: its failure is shown every time, and a failed open
    // leaves no port chosen, which the next failure names as such.
    void aManualReadShowsEveryFailure() {
        MeasureRig rig;
        rig.line.unplug();
        rig.read();
        rig.read();
        QCOMPARE(rig.prompts.texts(),
                 (QStringList{QStringLiteral("Sériový port COM1 nelze otevřít."),
                              QString::fromUtf8(vx52::kNoPortChosenText) + "."}));
        QCOMPARE(rig.main().selectedLine(), 0);
        QVERIFY(rig.ui().pa_spojeni->text().startsWith(QStringLiteral("port nelze otevřít | dobrá 0, chybná 2")));
    }

    // While the line worker runs a piece, the controls that would start another exchange
    // are off, and back on once it has ended.
    void exchangeControlsWaitForTheLineWorker() {
        MeasureRig rig;
        QSemaphore reached, go;
        vx52::Piece other;
        other.run = [&](vx52::Session&) {
            reached.release();
            go.acquire();
        };
        rig.windows->worker().submit(std::move(other));
        QVERIFY(reached.tryAcquire(1, 20000));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.ui().tl_precist->isEnabled(), 5000);
        for (QAction* entry : {rig.ui().mn_port, rig.ui().mn_parametry, rig.ui().mn_ident})
            QVERIFY2(!entry->isEnabled(), qPrintable(entry->objectName()));
        go.release();
        QVERIFY(rig.idle());
        QVERIFY(rig.ui().tl_precist->isEnabled());
        for (QAction* entry : {rig.ui().mn_port, rig.ui().mn_parametry, rig.ui().mn_ident})
            QVERIFY2(entry->isEnabled(), qPrintable(entry->objectName()));
    }

    // Five timer events a second, as the 200 ms timer gives: only a new second counts.
    void automaticReadingFollowsTheSamplePeriod() {
        MeasureRig rig({{"ZAZNAM/LIST", "3"}}, 5);
        rig.clock.workerAhead = 30;
        rig.ui().check_auto->click();
        QVERIFY(rig.prompts.asked.isEmpty()); // an empty chart asks nothing
        QVERIFY(rig.main().Timer1->isActive());
        for (int i = 1; i <= 9; ++i) {
            QVERIFY(rig.seconds->run(1));
            QCOMPARE(rig.chart().count(0), i / 3);
        }
        QCOMPARE(int(rig.line.opened.size()), 3);
        QCOMPARE(rig.main().record.count(), std::size_t(3)); // one record line per sample
        // Its time is the reading's, not the tick's.
        const QString last = rig.main().record.line(2);
        QVERIFY2(last.contains(vx52::longTimeText(rig.clock.current.addSecs(30).time())),
                 qPrintable(last));

        rig.ui().check_auto->click(); // unticked: the ticks read no more
        QVERIFY(rig.seconds->run(6));
        QCOMPARE(rig.chart().count(0), 3);
        rig.read(); // "Přečíst" still works, without a record line
        QCOMPARE(rig.chart().count(0), 4);
        QCOMPARE(rig.main().record.count(), std::size_t(3));
    }

    void minutesMultiplyThePeriod() {
        MeasureRig rig({{"ZAZNAM/LIST", "2"}, {"ZAZNAM/JEDNOTKY", "60"}});
        rig.ui().check_auto->click();
        QVERIFY(rig.seconds->run(119));
        QCOMPARE(rig.chart().count(0), 0);
        QVERIFY(rig.seconds->run(1));
        QCOMPARE(rig.chart().count(0), 1);
    }

    void tickingAutoAsksOnlyWhenTheChartHoldsPoints() {
        MeasureRig rig;
        rig.read();
        rig.prompts.answers.push_back(Prompts::Answer::No);
        rig.ui().check_auto->click();
        QCOMPARE(rig.prompts.asked.size(), 1);
        QCOMPARE(rig.prompts.asked[0].text, QStringLiteral("Chceš vymazat naměřená data?"));
        QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("Clear"));
        QCOMPARE(rig.prompts.asked[0].buttons, Prompts::Buttons::YesNo);
        QCOMPARE(rig.prompts.asked[0].icon, Prompts::Icon::Warning);
        QCOMPARE(rig.chart().count(0), 1); // No keeps the chart
        QVERIFY(rig.main().Timer1->isActive());
        rig.ui().check_auto->click(); // unticking asks nothing
        QCOMPARE(rig.prompts.asked.size(), 1);
    }

    // With the limit at 10 the eleventh point stays and the twelfth pushes the first out.
    void aLimitOfTenKeepsElevenPoints() {
        MeasureRig rig;
        rig.main().point_limit = 10;
        for (int i = 0; i < 12; ++i) {
            rig.read();
            rig.clock.advanceSeconds(1);
        }
        for (int s = 0; s < 4; ++s)
            QCOMPARE(rig.chart().count(s), 11);
        QCOMPARE(rig.chart().xAt(0, 0),
                 TrendChart::toChartTime(rig.clock.now().addSecs(-11))); // the second read
    }

    void loweringTheLimitKeepsTheLengthUntilANewRecording() {
        MeasureRig rig;
        for (int i = 0; i < 205; ++i)
            rig.read();
        QCOMPARE(rig.chart().count(0), 201);
        rig.main().point_limit = 10;
        for (int i = 0; i < 5; ++i)
            rig.read();
        QCOMPARE(rig.chart().count(0), 201);
        rig.main().NewRecord();
        QVERIFY(rig.idle());
        for (int i = 0; i < 15; ++i)
            rig.read();
        QCOMPARE(rig.chart().count(0), 11);
        rig.main().point_limit = 200;
        for (int i = 0; i < 300; ++i)
            rig.read();
        QCOMPARE(rig.chart().count(3), 201);
    }

    void aNewPenColourPaintsItsSwatchAndOnlyLaterPoints() {
        MeasureRig rig;
        rig.read();
        rig.read();
        rig.prompts.colors.push_back(QColor(200, 10, 150));
        rig.ui().tl_barva_pera2->click();
        QCOMPARE(panelColour(rig.ui().pa_barva_pera2), QColor(200, 10, 150));
        QCOMPARE(rig.main().pen_color2, 0x960AC8u);
        rig.read();
        QCOMPARE(rig.chart().colorAt(1, 0), 0x008000u);
        QCOMPARE(rig.chart().colorAt(1, 1), 0x008000u);
        QCOMPARE(rig.chart().colorAt(1, 2), 0x960AC8u);
        QCOMPARE(rig.chart().colorAt(0, 2), 0x0000FFu); // the other pens are untouched
        QCOMPARE(rig.chart().penColor(1), 0x960AC8u);   // the legend shows the new pen

        rig.prompts.colors.push_back(std::nullopt); // Cancel changes nothing
        rig.ui().tl_barva_pera2->click();
        QCOMPARE(rig.main().pen_color2, 0x960AC8u);
        QCOMPARE(panelColour(rig.ui().pa_barva_pera2), QColor(200, 10, 150));
    }

    // "Soubor" and the chart's context menu save the points as CSV and the chart as a PNG at
    // its size; a file that cannot be written is reported, not passed over.
    void exportsWriteThePointsAndThePicture() {
        MeasureRig rig;
        rig.main().show(); // exported from the window on screen, at its size
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main()));
        setDevice(rig, 21.5f, -3.2f, 100, 7, 0);
        rig.read();
        rig.read();
        QVERIFY(rig.chart().actions().contains(rig.ui().mn_export_csv));
        QVERIFY(rig.chart().actions().contains(rig.ui().mn_export_obrazek));
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("body.csv"));
        const QString png = dir.filePath(QStringLiteral("graf.png"));
        rig.prompts.paths = {csv, png, dir.filePath(QStringLiteral("chybí/graf.csv"))};
        rig.ui().mn_export_csv->trigger();
        rig.ui().mn_export_obrazek->trigger();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4); // header, two rows, the empty rest after the last CR LF
        QCOMPARE(lines[0], QStringLiteral("Čas,OUT 1,OUT 2,OUT 3,OUT 4\r").toUtf8());
        QVERIFY2(lines[1].endsWith(",21.5,-3.2,100,7\r"), lines[1].constData()); // as shown
        QCOMPARE(QImage(png).size(), rig.chart().size());
        QCOMPARE(rig.prompts.asked.at(0).dialog.defaultSuffix, QStringLiteral("csv"));
        QCOMPARE(rig.prompts.asked.at(1).dialog.defaultSuffix, QStringLiteral("png"));
        // Both dialogs start in the documents folder, as the record file's does.
        for (int i : {0, 1})
            QCOMPARE(QFileInfo(rig.prompts.asked.at(i).dialog.initialName).absolutePath(),
                     QFileInfo(rig.main().SaveDialog1.initialName).absolutePath());
        QVERIFY(QFileInfo(rig.prompts.asked.at(0).dialog.initialName).isAbsolute());

        rig.ui().mn_export_csv->trigger();
        QVERIFY2(rig.prompts.texts().last().startsWith(QStringLiteral("Nelze zapsat soubor")),
                 qPrintable(rig.prompts.texts().last()));
        QCOMPARE(rig.prompts.asked.last().icon, Prompts::Icon::Error);

        // The file menu's first CSV item writes the view, its second the whole store.
        rig.chart().setSeriesShown(1, false);
        const QString shown = dir.filePath(QStringLiteral("shown.csv"));
        const QString whole = dir.filePath(QStringLiteral("whole.csv"));
        rig.prompts.paths = {shown, whole};
        QVERIFY(rig.chart().actions().contains(rig.ui().mn_export_csv_vse));
        rig.ui().mn_export_csv->trigger();
        rig.ui().mn_export_csv_vse->trigger();
        const auto header = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readLine() : QByteArray();
        };
        QCOMPARE(header(shown), QStringLiteral("Čas,OUT 1,OUT 3,OUT 4\r\n").toUtf8());
        QCOMPARE(header(whole), QStringLiteral("Čas,OUT 1,OUT 2,OUT 3,OUT 4\r\n").toUtf8());
        rig.chart().setSeriesShown(1, true);
    }

    void chartDialogStornoRestoresOkKeeps() {
        MeasureRig rig;
        rig.read();
        TrendChart& chart = rig.chart();
        QCOMPARE(chart.view3D(), true);
        QCOMPARE(chart.depth3D(), 35);

        bool flatWhileOpen = false;
        rig.prompts.colors.push_back(QColor(Qt::white));
        whileDialogOpen(
            rig.windows->rotace3D,
            [&](Ui::Trotace3D& d) {
                QCOMPARE(d.ed_poc_mer->text(), QStringLiteral("200"));
                d.check_3D->click();
                flatWhileOpen = !chart.view3D(); // flattened at once
                d.bar_3D->setValue(80);
                d.tl_barva_mriz->click();
                d.ed_poc_mer->setText(QStringLiteral("50"));
            },
            "tl_cancel");
        rig.main().mn_barvaClick();
        QVERIFY(flatWhileOpen);
        QCOMPARE(chart.view3D(), true);
        QCOMPARE(chart.depth3D(), 35);
        QCOMPARE(chart.backWallColor(), vx52::kButtonFace);
        QCOMPARE(rig.main().point_limit, 200);

        rig.prompts.colors.push_back(QColor(Qt::white));
        whileDialogOpen(
            rig.windows->rotace3D,
            [&](Ui::Trotace3D& d) {
                d.check_3D->click();
                d.bar_3D->setValue(80);
                d.tl_barva_mriz->click();
                d.ed_poc_mer->setText(QStringLiteral("50"));
            },
            "tl_ok");
        rig.main().mn_barvaClick();
        QCOMPARE(rig.main().view_3d, false);
        QCOMPARE(rig.main().rotation_3d, 80);
        QCOMPARE(rig.main().wall_color, 0xFFFFFFu);
        QCOMPARE(rig.main().point_limit, 50);
        QCOMPARE(chart.view3D(), false);
        // Stored at closing.
        rig.main().close();
        QCOMPARE(rig.settings.entries.value("GRAF/G3D"), QStringLiteral("0"));
        QCOMPARE(rig.settings.entries.value("GRAF/R3D"), QStringLiteral("80"));
        QCOMPARE(rig.settings.entries.value("GRAF/POCET"), QStringLiteral("50"));
    }

    // A running trend in the main window, flat and in 3D: the layout holds with a running
    // trend; the pictures are saved to be looked at.
    void screenshotsOfARunningTrend() {
        MeasureRig rig;
        rig.line.regulator().setProcessRunning(true);
        rig.ui().check_auto->click();
        rig.prompts.colors.push_back(QColor(128, 0, 128));
        for (int i = 0; i < 150; ++i) {
            if (i == 110) rig.ui().tl_barva_pera3->click(); // a pen change part way
            rig.line.advance(std::chrono::seconds(20));
            QVERIFY(rig.seconds->run(1));
        }
        QCOMPARE(rig.chart().count(0), 150);
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        rig.main().show();
        VX52_VERIFY_LAYOUT(&rig.main());
        for (bool view3d : {false, true}) {
            rig.chart().setView3D(view3d);
            const QImage shot = rig.main().grab().toImage();
            const QString file =
                QStringLiteral(SCREENSHOT_DIR "/main_trend_%1.png").arg(view3d ? "3d" : "2d");
            QVERIFY(shot.save(file));
        }
    }
};

int main(int argc, char** argv) {
    // Czech regional settings: decimal comma, as the operator's desktop has them.
    qputenv("LC_ALL", "cs_CZ.UTF-8");
    qputenv("LANG", "cs_CZ.UTF-8");
    QApplication app(argc, argv);
    TestMeasureWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_measure_window.moc"
