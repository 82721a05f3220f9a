// The main window's recording: the "Soubor" menu, "Zápis do souboru", the periodic write, the
// rate dialog's effect on the status bar, and what a failed write leaves behind.

#include "app/dialogs/Rychlostzaznamu.h"
#include "recording/window_rig.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>

using vx52::Prompts;
using vx52::test::WindowRig;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// In the documents folder (the rig's home has one), with a lower-case extension here.
const QString kDefaultFile = QStringLiteral("Documents/Záznam QDX72_4xxx.txt");

// Makes file writes beyond a few bytes fail for this process, as a full disk would.
class DiskFull {
public:
    DiskFull() {
        getrlimit(RLIMIT_FSIZE, &saved);
        handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFull() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }

private:
    rlimit saved{};
    void (*handler)(int) = nullptr;
};

// Fills a few data lines without the regulator: the tests here are about files.
void addLines(WindowRig& rig, int n) {
    for (int i = 0; i < n; ++i) {
        rig.main().AppendRecordLine(rig.clock.now());
        rig.clock.advanceSeconds(1);
    }
}

} // namespace

class TestRecordingWindow : public QObject {
    Q_OBJECT

private slots:
    void saveAsksOnceThenWritesWithoutDialog();
    void saveAsCancelledLeavesNoFileChosen();
    void zapisNoKeepsBufferAndPeriodicWritesGoToDefaultFile();
    void periodicWriteFollowsSouborMinutes();
    void failedWriteKeepsOldFileBufferAndChoice_data();
    void failedWriteKeepsOldFileBufferAndChoice();
    void zapisRestartsTimerAfterFailure();
    void konecSavesFirstAndClosesWhateverTheAnswer_data();
    void konecSavesFirstAndClosesWhateverTheAnswer();
    void rateDialogOkSetsPanelsAndCancelChangesNothing();
};

void TestRecordingWindow::saveAsksOnceThenWritesWithoutDialog() {
    WindowRig rig;
    addLines(rig, 3);
    const QString chosen = rig.path("mereni.TXT");
    rig.prompts.paths.push_back(chosen);
    rig.action("mn_ulozit")->trigger();

    QCOMPARE(rig.prompts.asked.size(), 1);
    const auto& asked = rig.prompts.asked.front();
    QCOMPARE(asked.kind, QStringLiteral("save"));
    QCOMPARE(asked.dialog.title, QStringLiteral("Uložit jako"));
    QCOMPARE(asked.dialog.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(asked.dialog.filter, QStringLiteral("Textový soubor [*.txt] (*.txt)"));
    QCOMPARE(asked.dialog.initialName, rig.path(kDefaultFile));
    QVERIFY(!asked.dialog.confirmOverwrite); // a plain save dialog until "Uložit jako"
    QCOMPARE(readAll(chosen), rig.recordBytes());
    QCOMPARE(rig.panel("pa_path"), QDir::toNativeSeparators(chosen));
    QVERIFY(rig.fileChosen());

    addLines(rig, 2);
    rig.prompts.clear();
    rig.action("mn_ulozit")->trigger();
    QVERIFY(rig.prompts.asked.isEmpty());
    QCOMPARE(readAll(chosen), rig.recordBytes());
    QVERIFY(rig.fileChosen());

    // "Uložit jako" asks again, now with the overwrite question, and keeps asking it.
    const QString second = rig.path("druhy.TXT");
    rig.prompts.paths.push_back(second);
    rig.action("mn_ulozitjako")->trigger();
    QCOMPARE(rig.prompts.asked.size(), 1);
    QVERIFY(rig.prompts.asked.front().dialog.confirmOverwrite);
    QCOMPARE(rig.prompts.asked.front().dialog.initialName, chosen);
    QCOMPARE(readAll(second), rig.recordBytes());
    QCOMPARE(rig.panel("pa_path"), QDir::toNativeSeparators(second));
    QVERIFY(rig.fileChosen());
}

void TestRecordingWindow::saveAsCancelledLeavesNoFileChosen() {
    WindowRig rig;
    addLines(rig, 1);
    const QString chosen = rig.path("a.TXT");
    rig.prompts.paths.push_back(chosen);
    rig.action("mn_ulozit")->trigger();
    const QByteArray firstWrite = readAll(chosen);

    addLines(rig, 1);
    rig.prompts.clear();
    rig.action("mn_ulozitjako")->trigger(); // cancelled: no path scripted
    QCOMPARE(rig.prompts.asked.size(), 1);
    QVERIFY(!rig.fileChosen());
    QCOMPARE(rig.panel("pa_path"), QDir::toNativeSeparators(chosen)); // the old name stays
    QCOMPARE(readAll(chosen), firstWrite);                            // nothing written

    // "Uložit" now asks again, with the overwrite question kept on.
    rig.prompts.clear();
    rig.action("mn_ulozit")->trigger();
    QCOMPARE(rig.prompts.asked.size(), 1);
    QVERIFY(rig.prompts.asked.front().dialog.confirmOverwrite);
}

void TestRecordingWindow::zapisNoKeepsBufferAndPeriodicWritesGoToDefaultFile() {
    WindowRig rig;
    addLines(rig, 4);
    const QByteArray before = rig.recordBytes();
    rig.prompts.answers.push_back(Prompts::Answer::No);

    rig.control<QCheckBox>("check_zapis")->click();

    QCOMPARE(rig.prompts.asked.size(), 2);
    QCOMPARE(rig.prompts.asked[0].text, QStringLiteral("Chceš vymazat naměřená data?"));
    QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("Clear"));
    QCOMPARE(rig.prompts.asked[0].icon, Prompts::Icon::Warning);
    QCOMPARE(rig.prompts.asked[0].buttons, Prompts::Buttons::YesNo);
    QCOMPARE(rig.prompts.asked[1].kind, QStringLiteral("save"));
    QCOMPARE(rig.prompts.asked[1].dialog.title, QStringLiteral("Uložit jako"));
    QCOMPARE(rig.recordBytes(), before);
    QVERIFY(!rig.fileChosen());
    QVERIFY(rig.main().Timer1->isActive());

    // With no file chosen, the periodic write goes to the default name in the documents
    // folder, which the path panel names.
    QCOMPARE(rig.panel("pa_path"), QDir::toNativeSeparators(rig.path(kDefaultFile)));
    rig.main().setFileMinutes(1);
    rig.readAndRecord();
    QVERIFY(rig.seconds->run(60));
    QCOMPARE(readAll(rig.path(kDefaultFile)), rig.recordBytes());
    QVERIFY(rig.recordBytes().startsWith(before));
}

void TestRecordingWindow::periodicWriteFollowsSouborMinutes() {
    WindowRig rig;
    rig.main().setFileMinutes(2);
    rig.readAndRecord();
    const QString file = rig.path(kDefaultFile);
    QVERIFY(rig.seconds->run(119));
    QVERIFY(!QFile::exists(file));
    QVERIFY(rig.seconds->run(1));
    QCOMPARE(readAll(file), rig.recordBytes());

    // The next write comes another 120 seconds later and carries what was added meanwhile.
    QVERIFY(rig.seconds->run(119));
    QVERIFY(readAll(file) != rig.recordBytes());
    QVERIFY(rig.seconds->run(1));
    QCOMPARE(readAll(file), rig.recordBytes());
    QCOMPARE(rig.main().record.count(), std::size_t(240));
}

void TestRecordingWindow::failedWriteKeepsOldFileBufferAndChoice_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Uložit") << "mn_ulozit";
    QTest::newRow("Uložit jako") << "mn_ulozitjako";
    QTest::newRow("periodic") << "periodic";
}

void TestRecordingWindow::failedWriteKeepsOldFileBufferAndChoice() {
    QFETCH(QString, how);
    const bool periodic = how == "periodic";
    WindowRig rig;
    rig.main().setFileMinutes(1);
    addLines(rig, 2);
    const QString chosen = rig.path("zaznam.TXT");
    rig.prompts.paths.push_back(chosen);
    rig.action("mn_ulozit")->trigger();
    const QByteArray old = readAll(chosen);
    QVERIFY(!old.isEmpty());

    addLines(rig, 50);
    rig.prompts.clear();
    const QString other = rig.path("jiny.TXT");
    if (periodic) rig.readAndRecord();
    {
        DiskFull full;
        if (periodic) {
            QVERIFY(rig.seconds->run(60)); // as the timer runs it: into the notice strip
        } else {
            rig.prompts.paths.push_back(other);
            rig.action(how.toLatin1().constData())->trigger();
        }
    }
    const QByteArray buffer = rig.recordBytes();
    if (periodic) {
        QVERIFY(rig.prompts.asked.isEmpty());
        const QString notice = rig.main().notices->text(vx52::NoticeStrip::Kind::File);
        QVERIFY2(notice.contains(QStringLiteral("zaznam.TXT")), qPrintable(notice));
        QCOMPARE(rig.main().record.count(), std::size_t(52 + 60)); // no sample skipped
    } else {
        const auto failure = rig.prompts.asked.back();
        QCOMPARE(failure.kind, QStringLiteral("message"));
        QCOMPARE(failure.caption, QStringLiteral("VX-52"));
        QCOMPARE(failure.icon, Prompts::Icon::Error);
        QVERIFY2(failure.text.contains(QStringLiteral("jiny.TXT")) ||
                     failure.text.contains(QStringLiteral("zaznam.TXT")),
                 qPrintable(failure.text));
    }
    QCOMPARE(readAll(chosen), old);
    QVERIFY(!QFile::exists(other));
    QCOMPARE(QDir(rig.folder.path()).entryList(QDir::Files), QStringList{"zaznam.TXT"});
    QCOMPARE(rig.panel("pa_path"), QDir::toNativeSeparators(chosen));

    // "Uložit jako" gives up the choice before asking; a failed write does not make the
    // new name the target: the periodic writes still reach the old file.
    QCOMPARE(rig.fileChosen(), how != "mn_ulozitjako");
    rig.prompts.clear();
    rig.readAndRecord();
    QVERIFY(rig.seconds->run(60));
    QCOMPARE(readAll(chosen), rig.recordBytes());
    QVERIFY(rig.recordBytes().startsWith(buffer));
    QVERIFY(rig.prompts.asked.isEmpty());
}

void TestRecordingWindow::zapisRestartsTimerAfterFailure() {
    WindowRig rig;
    addLines(rig, 200);
    rig.prompts.answers.push_back(Prompts::Answer::No);
    rig.prompts.paths.push_back(rig.path("z.TXT"));
    {
        DiskFull full;
        rig.control<QCheckBox>("check_zapis")->click();
    }
    QCOMPARE(rig.prompts.asked.back().caption, QStringLiteral("VX-52")); // the failure shown
    QVERIFY(rig.main().Timer1->isActive());
    QVERIFY(rig.control<QCheckBox>("check_zapis")->isChecked());

    // Unticking asks nothing and leaves the buffer alone.
    rig.prompts.clear();
    const QByteArray before = rig.recordBytes();
    rig.control<QCheckBox>("check_zapis")->click();
    QVERIFY(rig.prompts.asked.isEmpty());
    QCOMPARE(rig.recordBytes(), before);
}

// "&Konec" saves first; a cancelled save dialog with lines not yet written asks whether to
// quit without saving, No being the default.
void TestRecordingWindow::konecSavesFirstAndClosesWhateverTheAnswer_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("chooseFile");
    QTest::addColumn<QString>("quitAnswer"); // "" when no question is expected
    QTest::addColumn<bool>("closes");
    QTest::newRow("file chosen") << 2 << true << "" << true;
    QTest::newRow("cancelled, default No") << 2 << false << "default" << false;
    QTest::newRow("cancelled, Yes") << 2 << false << "yes" << true;
    QTest::newRow("cancelled, nothing recorded") << 0 << false << "" << true;
}

void TestRecordingWindow::konecSavesFirstAndClosesWhateverTheAnswer() {
    QFETCH(int, lines);
    QFETCH(bool, chooseFile);
    QFETCH(QString, quitAnswer);
    QFETCH(bool, closes);
    WindowRig rig;
    rig.main().show();
    addLines(rig, lines);
    const QString chosen = rig.path("konec.TXT");
    if (chooseFile) rig.prompts.paths.push_back(chosen);
    if (quitAnswer == "yes") rig.prompts.answers.push_back(Prompts::Answer::Yes);
    rig.action("mn_exit")->trigger();

    QCOMPARE(rig.prompts.asked.size(), quitAnswer.isEmpty() ? 1 : 2);
    QCOMPARE(rig.prompts.asked.front().kind, QStringLiteral("save"));
    QCOMPARE(rig.prompts.asked.front().dialog.title, QStringLiteral("Uložit jako"));
    if (!quitAnswer.isEmpty()) {
        const auto& question = rig.prompts.asked.back();
        QCOMPARE(question.text,
                 QStringLiteral("Naměřená data nejsou uložena. Ukončit program bez uložení?"));
        QCOMPARE(question.caption, QStringLiteral("Dotaz"));
        QCOMPARE(question.buttons, Prompts::Buttons::YesNoDefaultNo);
    }
    QCOMPARE(rig.main().isVisible(), !closes);
    QCOMPARE(readAll(chosen), chooseFile ? rig.recordBytes() : QByteArray());
}

void TestRecordingWindow::rateDialogOkSetsPanelsAndCancelChangesNothing() {
    WindowRig rig;
    auto* dialog = rig.windows->form_zaznam;
    auto answerDialog = [&](bool ok, const QString& sample, const QString& soubor, bool minutes) {
        QTimer::singleShot(0, dialog, [=] {
            // The dialog shows the status bar's values when it opens.
            QCOMPARE(dialog->ed_sample()->text(), QStringLiteral("1"));
            QCOMPARE(dialog->ed_soubor()->text(), QStringLiteral("15"));
            QVERIFY(dialog->rb_sec()->isChecked());
            dialog->ed_sample()->setText(sample);
            dialog->ed_soubor()->setText(soubor);
            (minutes ? dialog->rb_min() : dialog->rb_sec())->setChecked(true);
            dialog->findChild<QPushButton*>(ok ? "tl_ok" : "tl_cancel")->click();
        });
        rig.action("mn_rychlost_zaznamu")->trigger();
    };

    answerDialog(false, "7", "30", true);
    QCOMPARE(rig.panel("pa_zaznam"), QStringLiteral("1"));
    QCOMPARE(rig.panel("pa_jednotky"), QStringLiteral("s"));
    QCOMPARE(rig.panel("pa_soubor"), QStringLiteral("15"));
    QCOMPARE(rig.main().recordList(), 1);

    rig.main().sample_ticks = 1;
    answerDialog(true, "2", "5", true);
    QCOMPARE(rig.panel("pa_zaznam"), QStringLiteral("2"));
    QCOMPARE(rig.panel("pa_jednotky"), QStringLiteral("min"));
    QCOMPARE(rig.panel("pa_soubor"), QStringLiteral("5"));
    QCOMPARE(rig.main().recordList(), 2);
    QCOMPARE(rig.main().recordUnit(), 60);
    QCOMPARE(rig.main().fileMinutes(), 5);
    QCOMPARE(rig.main().sample_ticks, 1); // the counter runs on

    // Stored at closing.
    rig.main().close();
    QCOMPARE(rig.settings.entries.value("ZAZNAM/LIST"), QStringLiteral("2"));
    QCOMPARE(rig.settings.entries.value("ZAZNAM/JEDNOTKY"), QStringLiteral("60"));
    QCOMPARE(rig.settings.entries.value("ZAZNAM/SOUBOR"), QStringLiteral("5"));
}

QTEST_MAIN(TestRecordingWindow)
#include "test_recording_window.moc"
