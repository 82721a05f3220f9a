// "Rychlost záznamu": the entry checks, which page and which control the operator is sent
// to, and what the caller gets back.

#include "app/dialogs/Rychlostzaznamu.h"
#include "recording/recording_context.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using vx52::Prompts;
using vx52::test::ScriptedPrompts;

namespace {

const QString kDigitsOnly = QStringLiteral("Je nutné zadávat pouze číslice");

QString rangeText(int lower, int upper) {
    return QStringLiteral("Je nutné zadávat pouze čísla v rozsahu %1 až %2\n")
        .arg(lower)
        .arg(upper);
}

} // namespace

class TestRateDialog : public QObject {
    Q_OBJECT

    // A shown, active dialog preset as the main window presets it.
    struct Shown {
        vx52::test::RecordingContext context;
        Tform_zaznam dialog{context.ctx};
        QLineEdit* sample = dialog.findChild<QLineEdit*>("ed_sample");
        QLineEdit* soubor = dialog.findChild<QLineEdit*>("ed_soubor");
        QTabWidget* pages = dialog.findChild<QTabWidget*>("PageControl1");
        QPushButton* ok = dialog.findChild<QPushButton*>("tl_ok");

        Shown(const QString& sampleText, const QString& souborText) {
            sample->setText(sampleText);
            soubor->setText(souborText);
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            if (!QTest::qWaitForWindowActive(&dialog)) qWarning("dialog not active");
        }
        ScriptedPrompts& prompts() { return context.prompts; }
    };

private slots:
    void okReportsEachBadEntryAndStaysOpen_data();
    void okReportsEachBadEntryAndStaysOpen();
    void okWithGoodEntriesGivesTexts_data();
    void okWithGoodEntriesGivesTexts();
    void enterChecksOnlyItsEdit_data();
    void enterChecksOnlyItsEdit();
    void cancelAndEscapeEndWithCancel();
    void pageIsKeptBetweenShowings();
};

void TestRateDialog::okReportsEachBadEntryAndStaysOpen_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("soubor");
    QTest::addColumn<int>("startPage");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("sampleAfter");
    QTest::addColumn<QString>("souborAfter");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");

    QTest::newRow("rate 0") << "0"
                            << "15" << 1 << QStringList{rangeText(1, 1000)} << "0"
                            << "15" << 0 << "ed_sample";
    QTest::newRow("rate 1001") << "1001"
                               << "15" << 0 << QStringList{rangeText(1, 1000)} << "1001"
                               << "15" << 0 << "ed_sample";
    QTest::newRow("interval 61") << "5"
                                 << "61" << 0 << QStringList{rangeText(1, 60)} << "5"
                                 << "61" << 1 << "ed_soubor";
    QTest::newRow("interval 0") << "5"
                                << "0" << 0 << QStringList{rangeText(1, 60)} << "5"
                                << "0" << 1 << "ed_soubor";
    // After a failed integer check the edit holds "1", which passes its range check.
    QTest::newRow("rate x") << "x"
                            << "15" << 1 << QStringList{kDigitsOnly} << "1"
                            << "15" << 0 << "ed_sample";
    QTest::newRow("interval x") << "5"
                                << "x" << 0 << QStringList{kDigitsOnly} << "5"
                                << "1" << 1 << "ed_soubor";
    QTest::newRow("interval empty") << "5"
                                    << "" << 0 << QStringList{kDigitsOnly} << "5"
                                    << "1" << 1 << "ed_soubor";
    QTest::newRow("rate 2,5") << "2,5"
                              << "15" << 0 << QStringList{kDigitsOnly} << "1"
                              << "15" << 0 << "ed_sample";
    // Both wrong: both are reported, and the second page wins.
    QTest::newRow("both wrong") << "0"
                                << "x" << 0 << QStringList{rangeText(1, 1000), kDigitsOnly} << "0"
                                << "1" << 1 << "ed_soubor";
}

void TestRateDialog::okReportsEachBadEntryAndStaysOpen() {
    QFETCH(QString, sample);
    QFETCH(QString, soubor);
    QFETCH(int, startPage);
    QFETCH(QStringList, texts);
    QFETCH(QString, sampleAfter);
    QFETCH(QString, souborAfter);
    QFETCH(int, page);
    QFETCH(QString, focus);

    Shown s(sample, soubor);
    s.pages->setCurrentIndex(startPage);
    QTest::mouseClick(s.ok, Qt::LeftButton);

    QCOMPARE(s.prompts().texts(), texts);
    for (const auto& asked : s.prompts().asked) {
        if (asked.text == kDigitsOnly) {
            QCOMPARE(asked.caption, QStringLiteral("CHYBA"));
            QCOMPARE(asked.icon, Prompts::Icon::Warning);
        } else {
            QCOMPARE(asked.caption, QStringLiteral("EDIT"));
            QCOMPARE(asked.icon, Prompts::Icon::Error);
        }
        QCOMPARE(asked.buttons, Prompts::Buttons::Ok);
    }
    QVERIFY(s.dialog.isVisible());
    QCOMPARE(s.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(s.sample->text(), sampleAfter);
    QCOMPARE(s.soubor->text(), souborAfter);
    QCOMPARE(s.pages->currentIndex(), page);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

void TestRateDialog::okWithGoodEntriesGivesTexts_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("soubor");
    QTest::addColumn<bool>("minutes");
    QTest::addColumn<int>("unit");

    QTest::newRow("lower bounds, seconds") << "1"
                                           << "1" << false << 1;
    QTest::newRow("upper bounds, minutes") << "1000"
                                           << "60" << true << 60;
    QTest::newRow("2 minutes") << "2"
                               << "15" << true << 60;
}

void TestRateDialog::okWithGoodEntriesGivesTexts() {
    QFETCH(QString, sample);
    QFETCH(QString, soubor);
    QFETCH(bool, minutes);
    QFETCH(int, unit);

    Shown s(sample, soubor);
    (minutes ? s.dialog.rb_min() : s.dialog.rb_sec())->setChecked(true);
    QTest::mouseClick(s.ok, Qt::LeftButton);

    QVERIFY(s.prompts().asked.isEmpty());
    QVERIFY(!s.dialog.isVisible());
    QCOMPARE(s.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(s.dialog.unitResult(), unit);
    QCOMPARE(s.sample->text(), sample);
    QCOMPARE(s.soubor->text(), soubor);
}

void TestRateDialog::enterChecksOnlyItsEdit_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("focus");

    QTest::newRow("rate good") << "ed_sample"
                               << "7" << QStringList{} << "7"
                               << "tl_ok";
    QTest::newRow("rate 0") << "ed_sample"
                            << "0" << QStringList{rangeText(1, 1000)} << "0"
                            << "ed_sample";
    QTest::newRow("rate x") << "ed_sample"
                            << "x" << QStringList{kDigitsOnly} << "1"
                            << "ed_sample";
    QTest::newRow("interval good") << "ed_soubor"
                                   << "60" << QStringList{} << "60"
                                   << "tl_ok";
    QTest::newRow("interval 61") << "ed_soubor"
                                 << "61" << QStringList{rangeText(1, 60)} << "61"
                                 << "ed_soubor";
    QTest::newRow("interval x") << "ed_soubor"
                                << "x" << QStringList{kDigitsOnly} << "1"
                                << "ed_soubor";
}

void TestRateDialog::enterChecksOnlyItsEdit() {
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(QStringList, texts);
    QFETCH(QString, after);
    QFETCH(QString, focus);

    // The other edit holds a bad value: Enter must not look at it, nor close the dialog.
    Shown s(edit == "ed_sample" ? text : "0", edit == "ed_soubor" ? text : "0");
    auto* target = s.dialog.findChild<QLineEdit*>(edit);
    s.pages->setCurrentIndex(edit == "ed_sample" ? 0 : 1);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);

    QCOMPARE(s.prompts().texts(), texts);
    QCOMPARE(target->text(), after);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(s.dialog.isVisible());

    // Other keys only type.
    s.prompts().clear();
    target->setFocus();
    QTest::keyClick(target, Qt::Key_5);
    QVERIFY(s.prompts().asked.isEmpty());
    QCOMPARE(target->text(), after + "5");
}

void TestRateDialog::cancelAndEscapeEndWithCancel() {
    {
        Shown s("0", "x"); // Storno does not check anything
        QTest::mouseClick(s.dialog.findChild<QPushButton*>("tl_cancel"), Qt::LeftButton);
        QVERIFY(!s.dialog.isVisible());
        QCOMPARE(s.dialog.result(), int(QDialog::Rejected));
        QVERIFY(s.prompts().asked.isEmpty());
    }
    {
        Shown s("5", "15");
        QTest::keyClick(&s.dialog, Qt::Key_Escape);
        QVERIFY(!s.dialog.isVisible());
        QCOMPARE(s.dialog.result(), int(QDialog::Rejected));
    }
}

void TestRateDialog::pageIsKeptBetweenShowings() {
    Shown s("5", "15");
    QCOMPARE(s.pages->currentIndex(), 0); // the first page at start-up
    s.pages->setCurrentIndex(1);
    QTest::mouseClick(s.ok, Qt::LeftButton);
    QVERIFY(!s.dialog.isVisible());
    s.dialog.show();
    QCOMPARE(s.pages->currentIndex(), 1);
    // Enter on a focused OK closes the dialog, as a click does.
    s.ok->setFocus();
    QTest::keyClick(s.ok, Qt::Key_Return);
    QVERIFY(!s.dialog.isVisible());
    QCOMPARE(s.dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestRateDialog)
#include "test_rate_dialog.moc"
