// The shared pieces every window relies on: the settings store's read-with-default rule and
// its file, the failure display and guard, regional texts, the timer pause, anchors and the
// version record query.

#include "fixtures/scripted_prompts.h"
#include "link/failure.h"
#include "ui/anchors.h"
#include "ui/guard.h"
#include "ui/qt_prompts.h"
#include "ui/qt_settings_store.h"
#include "ui/regional.h"
#include "ui/timer_pause.h"
#include "ui/version_record.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <stdexcept>

using vx52::Prompts;

class TestAppSeams : public QObject {
    Q_OBJECT

private slots:
    void decimalEntries_data();
    void decimalEntries();
    void storeGivesDefaultsForMissingAndBadEntries();
    void storeKeepsEntriesAsDecimalTextOnDisk();
    void storeKeepsTextsWithCommas();
    void failureText_data();
    void failureText();
    void failureDisplayIsOneErrorBoxCaptionedWithTheTitle();
    void guardStopsTheHandlerAndTheProgramGoesOn();
    void regionalTextsOnACzechSystem();
    void longTimeLosesOnlyTheZone_data();
    void longTimeLosesOnlyTheZone();
    void timerPauseRestoresTheTimerAlsoAfterAFailure();
    void anchorsFollowTheirEdges();
    void versionRecordQuery();
    void qtPromptsMessageBoxes_data();
    void qtPromptsMessageBoxes();
    void qtPromptsSaveDialogAddsTheExtension();
    void qtPromptsCancelledDialogsGiveNothing();
};

namespace {

// Runs check on the modal dialog that opens next, once it is up.
template <typename Dialog, typename Check> void whenModal(Check check) {
    QTimer::singleShot(0, [check] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        check(dialog);
    });
}

} // namespace

void TestAppSeams::decimalEntries_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "200" << true << 200;
    QTest::newRow("button face") << "-2147483633" << true << -2147483633;
    QTest::newRow("lowest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("highest") << "2147483647" << true << 2147483647;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("trailing letter") << "12a" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0;
    QTest::newRow("leading blank") << " 5" << false << 0;
    QTest::newRow("above 32 bits") << "2147483648" << false << 0;
    QTest::newRow("far above") << "99999999999999999999" << false << 0;
}

void TestAppSeams::decimalEntries() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<int> parsed = vx52::parseDecimalInteger(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) QCOMPARE(*parsed, value);
}

void TestAppSeams::storeGivesDefaultsForMissingAndBadEntries() {
    QTemporaryDir dir;
    vx52::QtSettingsStore store(dir.filePath(QStringLiteral("TevVx52.conf")));
    QCOMPARE(store.readInteger(QStringLiteral("NOSECTION"), QStringLiteral("Left"), 192), 192);
    store.writeInteger(QStringLiteral("GRAF"), QStringLiteral("POCET"), 500);
    QCOMPARE(store.readInteger(QStringLiteral("GRAF"), QStringLiteral("MISSING"), 35), 35);
    store.writeString(QStringLiteral("GRAF"), QStringLiteral("R3D"), QStringLiteral("abc"));
    QCOMPARE(store.readInteger(QStringLiteral("GRAF"), QStringLiteral("R3D"), 35), 35);
    store.writeString(QStringLiteral("GRAF"), QStringLiteral("R3D"), QStringLiteral("40"));
    QCOMPARE(store.readInteger(QStringLiteral("GRAF"), QStringLiteral("R3D"), 35), 40);
    QCOMPARE(store.readString(QStringLiteral("PORT"), QStringLiteral("DEVICE1"),
                              QStringLiteral("/dev/ttyS0")),
             QStringLiteral("/dev/ttyS0"));
}

void TestAppSeams::storeKeepsEntriesAsDecimalTextOnDisk() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("TevVx52.conf"));
    {
        vx52::QtSettingsStore store(file);
        store.writeInteger(QStringLiteral("GRAF"), QStringLiteral("MRIZ"), -2147483633);
        store.writeInteger(QStringLiteral("DESKTOP"), QStringLiteral("Left"), -5);
        store.flush();
        // On disk once flushed, before the store goes away.
        QFile disk(file);
        QVERIFY(disk.open(QIODevice::ReadOnly));
        const QByteArray text = disk.readAll();
        QVERIFY2(text.contains("MRIZ=-2147483633"), text.constData());
        QVERIFY2(text.contains("[DESKTOP]"), text.constData());
    }
    vx52::QtSettingsStore again(file);
    QCOMPARE(again.readInteger(QStringLiteral("GRAF"), QStringLiteral("MRIZ"), 0), -2147483633);
    QCOMPARE(again.readInteger(QStringLiteral("DESKTOP"), QStringLiteral("Left"), 192), -5);
}

void TestAppSeams::storeKeepsTextsWithCommas() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("TevVx52.conf"));
    {
        vx52::QtSettingsStore store(file);
        store.writeString(QStringLiteral("PORT"), QStringLiteral("DEVICE2"),
                          QStringLiteral("/dev/serial/by-id/usb-a,b"));
        store.flush();
    }
    vx52::QtSettingsStore again(file);
    QCOMPARE(again.readString(QStringLiteral("PORT"), QStringLiteral("DEVICE2"), {}),
             QStringLiteral("/dev/serial/by-id/usb-a,b"));
}

void TestAppSeams::failureText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Sériový port COM3 nelze otevřít"
                            << "Sériový port COM3 nelze otevřít.";
    QTest::newRow("digit") << "Nepodařila se reinicializace portu COM2"
                           << "Nepodařila se reinicializace portu COM2.";
    QTest::newRow("accented") << "Nelze uložit soubor" << "Nelze uložit soubor.";
    QTest::newRow("full stop") << "Hotovo." << "Hotovo.";
    QTest::newRow("bracket") << "Chyba (5)" << "Chyba (5)";
    QTest::newRow("line feed") << "Chyba\n" << "Chyba\n";
    QTest::newRow("dash") << "Chyba -" << "Chyba -";
    QTest::newRow("slash sorts after") << "c:/" << "c:/.";
    QTest::newRow("empty") << "" << "";
}

void TestAppSeams::failureText() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(vx52::failureText(text), shown);
}

void TestAppSeams::failureDisplayIsOneErrorBoxCaptionedWithTheTitle() {
    vx52::test::ScriptedPrompts prompts;
    vx52::showFailure(prompts, nullptr, QStringLiteral("Na COM3 nelze nastavit Timeout"));
    QCOMPARE(prompts.asked.size(), 1);
    const auto& box = prompts.asked.first();
    QCOMPARE(box.kind, QStringLiteral("message"));
    QCOMPARE(box.text, QStringLiteral("Na COM3 nelze nastavit Timeout."));
    QCOMPARE(box.caption, QStringLiteral("VX-52"));
    QCOMPARE(box.icon, Prompts::Icon::Error);
    QCOMPARE(box.buttons, Prompts::Buttons::Ok);
}

void TestAppSeams::guardStopsTheHandlerAndTheProgramGoesOn() {
    vx52::test::ScriptedPrompts prompts;
    QStringList steps;
    const bool first = vx52::runGuarded(prompts, nullptr, [&] {
        steps << "before";
        throw vx52::Failure("Sériový port COM2 nelze otevřít");
        steps << "after";
    });
    QVERIFY(!first);
    QCOMPARE(steps, QStringList{"before"});
    QCOMPARE(prompts.texts(), QStringList{"Sériový port COM2 nelze otevřít."});

    // Other errors escaping a handler are shown as well instead of ending the program.
    const bool second = vx52::runGuarded(prompts, nullptr, [] {
        throw std::runtime_error("Soubor nelze zapsat");
    });
    QVERIFY(!second);
    QCOMPARE(prompts.asked.size(), 2);
    QCOMPARE(prompts.asked.last().text, QStringLiteral("Soubor nelze zapsat."));

    // The wrapper connect() takes ignores the signal's arguments and shows the same way.
    QAction item;
    int runs = 0;
    QObject::connect(&item, &QAction::triggered, &item, vx52::guard(prompts, nullptr, [&] {
                         ++runs;
                         throw vx52::Failure("x");
                     }));
    item.trigger();
    item.trigger();
    QCOMPARE(runs, 2);
    QCOMPARE(prompts.asked.size(), 4);

    const bool clean = vx52::runGuarded(prompts, nullptr, [&] { steps << "clean"; });
    QVERIFY(clean);
    QCOMPARE(prompts.asked.size(), 4);
}

void TestAppSeams::regionalTextsOnACzechSystem() {
    // main() puts this process on a Czech system.
    QCOMPARE(vx52::decimalSeparator(), QLatin1Char(','));
    QCOMPARE(vx52::zeroValueText(), QStringLiteral("0,0"));
    QCOMPARE(vx52::shortDateText(QDate(2026, 3, 14)), QStringLiteral("14.03.26"));
    QCOMPARE(vx52::longTimeText(QTime(9, 5, 7)), QStringLiteral("9:05:07"));
    QCOMPARE(vx52::zeroValueText(QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("0.0"));
}

void TestAppSeams::longTimeLosesOnlyTheZone_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("time");
    QTest::newRow("Czech") << "cs_CZ" << "21:05:07";
    QTest::newRow("English") << "en_US" << "9:05:07\u202fPM";
    QTest::newRow("German") << "de_DE" << "21:05:07";
    QTest::newRow("Slovak") << "sk_SK" << "21:05:07";
}

void TestAppSeams::longTimeLosesOnlyTheZone() {
    QFETCH(QString, locale);
    QFETCH(QString, time);
    const QLocale l(locale);
    const QString format = vx52::longTimeFormat(l);
    QVERIFY2(!format.contains(QLatin1Char('t')), qPrintable(format));
    QString shown = vx52::longTimeText(QTime(21, 5, 7), l);
    // Locales differ in the blank before AM/PM; compare with a plain space.
    shown.replace(QChar(0x202F), QLatin1Char(' '));
    time.replace(QChar(0x202F), QLatin1Char(' '));
    QCOMPARE(shown, time);
}

void TestAppSeams::timerPauseRestoresTheTimerAlsoAfterAFailure() {
    vx52::test::ScriptedPrompts prompts;
    QTimer timer;
    timer.setInterval(200);
    timer.start();
    bool activeInside = true;
    vx52::runGuarded(prompts, nullptr, [&] {
        vx52::TimerPause pause(timer);
        activeInside = timer.isActive();
        throw vx52::Failure("Sériový port COM1 nelze otevřít");
    });
    QVERIFY(!activeInside);
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), 200);

    timer.stop();
    {
        vx52::TimerPause pause(timer);
        timer.start(); // something inside started it: the remembered state wins
    }
    QVERIFY(!timer.isActive());
}

void TestAppSeams::anchorsFollowTheirEdges() {
    QWidget container;
    container.resize(807, 526);
    auto* fixed = new QWidget(&container);
    auto* stretched = new QWidget(&container);
    auto* bottomBar = new QWidget(&container);
    auto* rightPanel = new QWidget(&container);
    fixed->setGeometry(0, 0, 521, 137);
    stretched->setGeometry(0, 138, 806, 352);
    bottomBar->setGeometry(0, 495, 807, 31);
    rightPanel->setGeometry(773, 3, 28, 24);
    vx52::Anchors anchors(&container, QSize(807, 526));
    anchors.follow(fixed, {});
    anchors.follow(stretched, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    anchors.follow(bottomBar, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
    anchors.follow(rightPanel, Qt::RightEdge | Qt::TopEdge);

    container.resize(1007, 626);
    anchors.apply();
    QCOMPARE(fixed->geometry(), QRect(0, 0, 521, 137));
    QCOMPARE(stretched->geometry(), QRect(0, 138, 1006, 452));
    QCOMPARE(bottomBar->geometry(), QRect(0, 595, 1007, 31));
    QCOMPARE(rightPanel->geometry(), QRect(973, 3, 28, 24));

    // Smaller than designed: stretched controls shrink, never below nothing.
    container.resize(100, 100);
    anchors.apply();
    QCOMPARE(stretched->geometry(), QRect(0, 138, 99, 0));
    QCOMPARE(bottomBar->geometry().top(), 69);
}

void TestAppSeams::versionRecordQuery() {
    const vx52::VersionRecord record(
        QByteArray("\\VarFileInfo\\Translation=040504E2\r\n"
                   "\\StringFileInfo\\040504E2\\FileVersion=1.0.0.0\r\n"
                   "\\StringFileInfo\\040504E2\\ProductName=VX-52\n"));
    QVERIFY(record.size() > 0);
    QCOMPARE(record.query(vx52::kFileVersionQuery), std::optional<QString>(QStringLiteral("1.0.0.0")));
    QCOMPARE(record.query(QStringLiteral("\\stringfileinfo\\040504e2\\productname")),
             std::optional<QString>(QStringLiteral("VX-52")));
    QCOMPARE(record.query(QStringLiteral("\\StringFileInfo\\040904B0\\FileVersion")), std::nullopt);
    QCOMPARE(record.query(QStringLiteral("\\StringFileInfo\\040504E2")), std::nullopt);
    QCOMPARE(vx52::VersionRecord().size(), 0);
    QCOMPARE(vx52::VersionRecord().query(vx52::kFileVersionQuery), std::nullopt);
}

void TestAppSeams::qtPromptsMessageBoxes_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    using B = Prompts::Buttons;
    using A = Prompts::Answer;
    QTest::newRow("ok") << int(B::Ok) << int(QMessageBox::Ok) << int(A::Ok);
    QTest::newRow("yes") << int(B::YesNo) << int(QMessageBox::Yes) << int(A::Yes);
    QTest::newRow("no") << int(B::YesNo) << int(QMessageBox::No) << int(A::No);
    QTest::newRow("escape on yes/no") << int(B::YesNo) << -1 << int(A::No);
    QTest::newRow("cancel") << int(B::YesNoCancel) << int(QMessageBox::Cancel) << int(A::Cancel);
    QTest::newRow("escape on ok/cancel") << int(B::OkCancel) << -1 << int(A::Cancel);
}

void TestAppSeams::qtPromptsMessageBoxes() {
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, answer);
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shown;
    Qt::WindowModality modality = Qt::NonModal;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        modality = box->windowModality();
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        shown = box->standardButtons();
        if (press < 0) QTest::keyClick(box, Qt::Key_Escape);
        else box->button(QMessageBox::StandardButton(press))->click();
    });
    vx52::QtPrompts prompts;
    QWidget owner; // the box blocks its own window only
    const Prompts::Answer got = prompts.message(&owner, QStringLiteral("Chceš vymazat naměřená data?"),
                                                QStringLiteral("Clear"), Prompts::Icon::Warning,
                                                Prompts::Buttons(buttons));
    QCOMPARE(int(got), answer);
    QCOMPARE(caption, QStringLiteral("Clear"));
    QCOMPARE(text, QStringLiteral("Chceš vymazat naměřená data?"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(modality, Qt::WindowModal);
    QCOMPARE(shown.testFlag(QMessageBox::Yes), Prompts::Buttons(buttons) != Prompts::Buttons::Ok &&
                                                     Prompts::Buttons(buttons) != Prompts::Buttons::OkCancel);
}

void TestAppSeams::qtPromptsSaveDialogAddsTheExtension() {
    QTemporaryDir dir;
    QString title;
    QStringList filters;
    bool confirms = false;
    Qt::WindowModality modality = Qt::NonModal;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        modality = dialog->windowModality();
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    vx52::QtPrompts prompts;
    Prompts::FileDialog request;
    request.title = QStringLiteral("Uložit jako");
    request.filter = QStringLiteral("Textový soubor [*.txt] (*.txt)");
    request.defaultSuffix = QStringLiteral("TXT");
    request.initialName = dir.filePath(QStringLiteral("Záznam QDX72_4xxx"));
    request.confirmOverwrite = true;
    QWidget owner;
    const QString chosen = prompts.saveFile(&owner, request);
    QCOMPARE(chosen, dir.filePath(QStringLiteral("Záznam QDX72_4xxx.TXT")));
    QCOMPARE(title, QStringLiteral("Uložit jako"));
    QCOMPARE(filters, QStringList{"Textový soubor [*.txt] (*.txt)"});
    QVERIFY(confirms);
    QCOMPARE(modality, Qt::WindowModal);
}

void TestAppSeams::qtPromptsCancelledDialogsGiveNothing() {
    vx52::QtPrompts prompts;
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QCOMPARE(prompts.openFile(nullptr, {}), QString());
    whenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    QCOMPARE(prompts.chooseColor(nullptr, Qt::red), std::nullopt);
    whenModal<QColorDialog>([](QColorDialog* dialog) {
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    QCOMPARE(prompts.chooseColor(nullptr, Qt::red), std::optional<QColor>(QColor(0x12, 0x34, 0x56)));
}

int main(int argc, char** argv) {
    qputenv("LC_ALL", "cs_CZ.UTF-8");
    qputenv("LANG", "cs_CZ.UTF-8");
    QApplication app(argc, argv);
    TestAppSeams test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_seams.moc"
