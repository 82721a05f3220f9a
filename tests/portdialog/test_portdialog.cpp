// The port dialog on the loopback line: stored settings, changes taking effect at once,
// Storno, the stored entries, and the address search on the line worker.

#include "port_rig.h"

#include "app/dialogs/adapter_list.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <atomic>
#include <functional>

using vx52::Prompts;
using vx52::test::PortRig;

namespace {

const QString kStornoQuestion = QStringLiteral(
    "Byly provedeny změny v nastavení.\nOpravdu se chceš vrátit k původnímu nastavení?");

} // namespace

class TestPortDialog : public QObject {
    Q_OBJECT

private slots:
    void formHasItsControls();
    void createdFromStoredSettings_data();
    void createdFromStoredSettings();
    void unofferedSpeedSelectsNothingAndLineRunsAtIt();
    void showOpensTheChosenLineOncePerShowing();
    void showWithMissingPortSelectsNoPortAndTakesAddress();
    void lineChangeReopensNoPortKeepsLine();
    void speedChangeAppliesToOpenLine();
    void speedChangeAfterFailedOpenNamesNoPort();
    void stornoWithoutChangesAsksNothing();
    void stornoAfterHostChange_data();
    void stornoAfterHostChange();
    void stornoAfterSpeedChangeWritesOldSpeed();
    void stornoRestoresAddressesWhenLineCannotReopen();
    void closingWithNoPortStoresCom1();
    void comEntriesShowTheirDevice();
    void searchShowsAnsweringStations_data();
    void searchShowsAnsweringStations();
    void foundAddressIsTakenByDoubleClickOrEnter();
    void adapterListMapsTheSelectedLine();
    void searchInterruptedKeepsFoundAndRestartClears();
    void searchAgainDuringSearchStartsFromZero();
    void searchWithLineClosedEndsAfter127Ticks();
    void closeBoxDuringSearchStopsIt();
    void controlsWaitForTheLineWorker();
};

void TestPortDialog::formHasItsControls() {
    PortRig rig;
    Tport& port = rig.create();
    QCOMPARE(port.windowTitle(), QStringLiteral("Komunikační port"));
    QCOMPARE(port.size(), QSize(475, 313));

    QCOMPARE(rig.combo("cb_com")->count(), 9);
    QCOMPARE(rig.combo("cb_com")->itemText(0), QStringLiteral("žádný port"));
    QCOMPARE(rig.combo("cb_com")->itemText(8), QStringLiteral("COM 8"));
    QCOMPARE(rig.combo("cb_da")->count(), 127);
    QCOMPARE(rig.combo("cb_sa")->itemText(126), QStringLiteral("126"));
    QStringList speeds;
    for (int i = 0; i < rig.combo("cb_baudrate")->count(); ++i)
        speeds << rig.combo("cb_baudrate")->itemText(i);
    QCOMPARE(speeds.join(' '), QStringLiteral("110 300 600 1200 2400 4800 9600 19200 38400 "
                                              "56000 57600 115200 128000 256000"));

    QTableWidget* table = rig.table();
    QCOMPARE(table->columnCount(), 16);
    QCOMPARE(table->rowCount(), 8);
    QCOMPARE(table->columnWidth(5), 26);
    QCOMPARE(table->rowHeight(3), 16);
    QVERIFY(table->isEnabled()); // found addresses can be taken from it
    // The whole table is visible: no cell hides behind the frame.
    rig.show();
    QVERIFY(table->viewport()->width() >= 16 * 26);
    QVERIFY(table->viewport()->height() >= 8 * 16);

    QVERIFY(rig.button("tl_ok")->isDefault());
    QVERIFY(!rig.button("tl_prerusit")->isEnabled());
    QVERIFY(!port.searching());
}

void TestPortDialog::createdFromStoredSettings_data() {
    QTest::addColumn<QStringList>("stored"); // "SECTION/KEY=text"
    QTest::addColumn<int>("sa");
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("com");
    QTest::addColumn<QString>("speed");

    QTest::newRow("nothing stored") << QStringList{} << 0 << 0 << 1 << "9600";
    QTest::newRow("all stored") << QStringList{"ADRESA/SA=3", "ADRESA/DA=17", "PORT/COM=4",
                                               "PORT/BAUDRATE=19200"}
                                << 3 << 17 << 4 << "19200";
    QTest::newRow("not numbers") << QStringList{"ADRESA/SA=abc", "PORT/COM=1x", "PORT/BAUDRATE="}
                                 << 0 << 0 << 1 << "9600";
    QTest::newRow("no port stored by hand") << QStringList{"PORT/COM=0"} << 0 << 0 << 0 << "9600";
    // Outside the lists' ranges: the defaults, not a truncated bus address.
    QTest::newRow("out of range") << QStringList{"ADRESA/SA=300", "ADRESA/DA=-1", "PORT/COM=9"}
                                  << 0 << 0 << 1 << "9600";
}

void TestPortDialog::createdFromStoredSettings() {
    QFETCH(QStringList, stored);
    PortRig rig;
    for (const QString& entry : stored) {
        const QString path = entry.section('=', 0, 0);
        rig.settings.writeString(path.section('/', 0, 0), path.section('/', 1),
                                 entry.section('=', 1));
    }
    Tport& port = rig.create();

    QTEST(rig.combo("cb_sa")->currentIndex(), "sa");
    QTEST(int(rig.link.GetHostAddress()), "sa");
    QTEST(rig.combo("cb_da")->currentIndex(), "da");
    QTEST(int(rig.link.GetDeviceAddress()), "da");
    QTEST(rig.combo("cb_com")->currentIndex(), "com");
    QTEST(port.com_number(), "com");
    QTEST(rig.combo("cb_baudrate")->currentText(), "speed");
    QCOMPARE(QString::number(rig.line.baudRate()), rig.combo("cb_baudrate")->currentText());
    QVERIFY(!port.SettingsChanged());
    QVERIFY(rig.line.opened.empty()); // creating opens nothing
}

void TestPortDialog::unofferedSpeedSelectsNothingAndLineRunsAtIt() {
    PortRig rig;
    rig.settings.writeInteger("PORT", "BAUDRATE", 14400);
    rig.create();
    QCOMPARE(rig.combo("cb_baudrate")->currentIndex(), -1);

    rig.show();
    QCOMPARE(rig.line.opened, std::vector<int>{1});
    QCOMPARE(rig.line.bauds.back(), 14400);

    rig.button("tl_ok")->click();
    QCOMPARE(rig.stored("PORT", "BAUDRATE"), 14400);
}

void TestPortDialog::showOpensTheChosenLineOncePerShowing() {
    PortRig rig;
    rig.settings.writeInteger("PORT", "COM", 3);
    rig.line.existingPorts = {1, 3};
    Tport& port = rig.create();

    rig.show();
    QVERIFY(rig.port_opened);
    QVERIFY(rig.line.isOpen());
    QCOMPARE(rig.line.openPort(), 3);

    // The flag still set (the same showing): no second open.
    port.hide();
    port.show();
    QCOMPARE(rig.line.opened.size(), std::size_t(1));

    // The parameter editor moved the regulator; the next showing follows the link.
    port.hide();
    QVERIFY(rig.idle());
    rig.line.CloseLine();
    rig.link.SetDeviceAddress(42);
    rig.show();
    QCOMPARE(rig.line.opened, (std::vector<int>{3, 3}));
    QCOMPARE(rig.combo("cb_da")->currentIndex(), 42);
    QCOMPARE(port.device_addr(), 42);
    QVERIFY(!port.SettingsChanged());
    QVERIFY(rig.prompts.asked.isEmpty());
}

void TestPortDialog::showWithMissingPortSelectsNoPortAndTakesAddress() {
    PortRig rig;
    rig.settings.writeInteger("PORT", "COM", 3);
    rig.line.heldPorts = {3};
    rig.line.existingPorts = {1, 3};
    Tport& port = rig.create();
    rig.link.SetDeviceAddress(7);

    rig.show();
    QVERIFY(port.isVisible());
    QCOMPARE(rig.prompts.texts(), QStringList{"Sériový port COM3 nelze otevřít."});
    QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("VX-52"));
    QCOMPARE(rig.prompts.asked[0].icon, Prompts::Icon::Error);
    QCOMPARE(rig.combo("cb_com")->currentIndex(), 0);
    QCOMPARE(port.com_number(), 0);
    QVERIFY(!rig.line.isOpen());
    // The failed open does not leave a stale regulator address on show.
    QCOMPARE(rig.combo("cb_da")->currentIndex(), 7);
}

void TestPortDialog::lineChangeReopensNoPortKeepsLine() {
    PortRig rig;
    rig.line.existingPorts = {1, 2};
    Tport& port = rig.create();
    rig.show();

    rig.choose("cb_com", 2);
    QCOMPARE(rig.line.closes, 1);
    QCOMPARE(rig.line.openPort(), 2);
    QCOMPARE(port.com_number(), 2);
    QCOMPARE(port.selectedCom(), 2);

    rig.choose("cb_com", 0);
    QCOMPARE(port.com_number(), 0);
    QCOMPARE(rig.line.openPort(), 2); // still open until the dialog closes
    QCOMPARE(rig.line.closes, 1);

    rig.choose("cb_com", 5); // does not exist here
    QCOMPARE(rig.prompts.texts(), QStringList{"Sériový port COM5 nelze otevřít."});
    QCOMPARE(rig.combo("cb_com")->currentIndex(), 0);
    QVERIFY(!rig.line.isOpen());
}

void TestPortDialog::speedChangeAppliesToOpenLine() {
    PortRig rig;
    Tport& port = rig.create();
    rig.show();

    rig.chooseText("cb_baudrate", "57600");
    QCOMPARE(port.baudrate(), 57600);
    QCOMPARE(rig.line.bauds.back(), 57600);
    QCOMPARE(rig.line.opened.size(), std::size_t(1)); // not reopened
    QVERIFY(rig.prompts.asked.isEmpty());

    // The regulator listening at the new speed hears the next probe.
    rig.line.deviceBaud = 57600;
    rig.link.SetDeviceAddress(1);
    QCOMPARE(rig.link.ProbeStation(), std::uint8_t(1));
}

void TestPortDialog::speedChangeAfterFailedOpenNamesNoPort() {
    PortRig rig;
    rig.settings.writeInteger("PORT", "COM", 3); // COM 3 does not exist
    rig.create();
    rig.show();
    rig.prompts.clear();

    rig.chooseText("cb_baudrate", "19200");
    QCOMPARE(rig.prompts.texts(), QStringList{QString::fromUtf8(vx52::kNoPortChosenText) + "."});
    QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("VX-52"));
}

void TestPortDialog::stornoWithoutChangesAsksNothing() {
    PortRig rig;
    rig.settings.writeInteger("ADRESA", "DA", 5);
    Tport& port = rig.create();
    rig.show();

    rig.button("tl_cancel")->click();
    QVERIFY(rig.prompts.asked.isEmpty());
    QVERIFY(!port.isVisible());
    QCOMPARE(port.result(), int(QDialog::Rejected));
    QCOMPARE(rig.stored("ADRESA", "DA"), 5);
    QCOMPARE(rig.stored("PORT", "COM"), 1);
}

void TestPortDialog::stornoAfterHostChange_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("kept");
    QTest::newRow("Yes restores") << true << 4;
    QTest::newRow("No keeps") << false << 9;
}

void TestPortDialog::stornoAfterHostChange() {
    QFETCH(bool, yes);
    PortRig rig;
    rig.settings.writeInteger("ADRESA", "SA", 4);
    Tport& port = rig.create();
    rig.show();

    rig.choose("cb_sa", 9);
    QCOMPARE(int(rig.link.GetHostAddress()), 9);
    QVERIFY(port.SettingsChanged());

    rig.prompts.answers.push_back(yes ? Prompts::Answer::Yes : Prompts::Answer::No);
    rig.button("tl_cancel")->click();
    QCOMPARE(rig.prompts.texts(), QStringList{kStornoQuestion});
    QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("Dotaz"));
    QCOMPARE(rig.prompts.asked[0].icon, Prompts::Icon::Question);
    QCOMPARE(rig.prompts.asked[0].buttons, Prompts::Buttons::YesNo);
    QVERIFY(!port.isVisible());

    QTEST(rig.combo("cb_sa")->currentIndex(), "kept");
    QTEST(int(rig.link.GetHostAddress()), "kept");
    QTEST(rig.stored("ADRESA", "SA"), "kept");
    QCOMPARE(rig.line.opened.size(), std::size_t(1)); // the line was not touched
}

void TestPortDialog::stornoAfterSpeedChangeWritesOldSpeed() {
    PortRig rig;
    Tport& port = rig.create();
    rig.show();
    rig.chooseText("cb_baudrate", "115200");
    QCOMPARE(rig.line.bauds.back(), 115200);

    rig.prompts.answers.push_back(Prompts::Answer::Yes);
    rig.button("tl_cancel")->click();
    QVERIFY(rig.idle());
    QCOMPARE(rig.combo("cb_baudrate")->currentText(), QStringLiteral("9600"));
    QCOMPARE(port.baudrate(), 9600);
    QCOMPARE(rig.line.bauds.back(), 9600);
    QCOMPARE(rig.line.opened.size(), std::size_t(1));
    QCOMPARE(rig.stored("PORT", "BAUDRATE"), 9600);
}

void TestPortDialog::stornoRestoresAddressesWhenLineCannotReopen() {
    PortRig rig;
    rig.line.existingPorts = {1, 2};
    Tport& port = rig.create();
    rig.show();
    rig.choose("cb_com", 2);
    rig.choose("cb_da", 33);
    rig.choose("cb_sa", 12);
    rig.line.heldPorts = {1}; // meanwhile another program took COM 1

    rig.prompts.answers.push_back(Prompts::Answer::Yes);
    rig.button("tl_cancel")->click();
    QVERIFY(rig.idle());
    QCOMPARE(rig.prompts.texts(),
             (QStringList{kStornoQuestion, "Sériový port COM1 nelze otevřít."}));
    QVERIFY(!port.isVisible());
    QCOMPARE(int(rig.link.GetDeviceAddress()), 0);
    QCOMPARE(int(rig.link.GetHostAddress()), 0);
    QCOMPARE(rig.stored("ADRESA", "DA"), 0);
    QCOMPARE(rig.stored("ADRESA", "SA"), 0);
}

void TestPortDialog::closingWithNoPortStoresCom1() {
    PortRig rig;
    rig.settings.writeInteger("PORT", "COM", 1);
    Tport& port = rig.create();
    rig.show();
    rig.choose("cb_com", 0);

    rig.button("tl_ok")->click();
    QCOMPARE(port.result(), int(QDialog::Accepted));
    QCOMPARE(rig.stored("PORT", "COM"), 1);
    QCOMPARE(port.com_number(), 1);
    QCOMPARE(rig.combo("cb_com")->currentIndex(), 0); // the list keeps "žádný port"

    // The next start comes up on COM 1.
    rig.port.reset();
    rig.create();
    QCOMPARE(rig.combo("cb_com")->currentIndex(), 1);
}

void TestPortDialog::comEntriesShowTheirDevice() {
    PortRig rig;
    rig.settings.writeString("PORT", "DEVICE3", "/dev/ttyUSB0");
    rig.create();
    QComboBox* com = rig.combo("cb_com");
    QCOMPARE(com->itemData(3, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(com->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyS0"));
    QVERIFY(com->itemData(0, Qt::ToolTipRole).toString().isEmpty());

    // A mapping changed in the store shows at the next showing.
    rig.settings.writeString("PORT", "DEVICE8", "/dev/pts/12");
    rig.show();
    QCOMPARE(com->itemData(8, Qt::ToolTipRole).toString(), QStringLiteral("/dev/pts/12"));
}

// The fast search finds the same prompt stations; a silent address costs it 30 characters,
// at least 50 ms, instead of 512 ms, and its probes follow one another at once, where the
// normal search leaves 100 ms before each. A station
// that answers after its probe's read is credited when its acknowledgement comes in the
// next one, neighbours included.
void TestPortDialog::searchShowsAnsweringStations_data() {
    QTest::addColumn<bool>("fast");
    QTest::addColumn<double>("silentMillis");
    QTest::addColumn<int>("gapMillis");
    QTest::addColumn<int>("replyDelay");
    QTest::newRow("normal") << false << 512.0 << 100 << 0;
    QTest::newRow("fast") << true << 50.0 << 0 << 0;
    QTest::newRow("fast, replies 70 ms late") << true << 50.0 << 0 << 70;
    QTest::newRow("normal, replies 600 ms late") << false << 512.0 << 100 << 600;
}

void TestPortDialog::searchShowsAnsweringStations() {
    QFETCH(bool, fast);
    QFETCH(double, silentMillis);
    QFETCH(int, gapMillis);
    QFETCH(int, replyDelay);
    PortRig rig; // the simulated regulator answers at 1
    rig.line.addAnsweringAddress(17);
    rig.line.addAnsweringAddress(18);
    rig.line.replyDelay = std::chrono::milliseconds(replyDelay);
    rig.settings.writeInteger("ADRESA", "RYCHLE", fast ? 1 : 0);
    Tport& port = rig.create();
    rig.show();
    QCOMPARE(port.fastSearch(), fast);
    rig.choose("cb_sa", 3);
    rig.choose("cb_da", 9);
    rig.pause.waits.clear();

    rig.button("tl_najit")->click();
    QVERIFY(port.searching());
    QVERIFY(rig.button("tl_prerusit")->isEnabled());
    QVERIFY(rig.button("tl_najit")->isEnabled());
    for (const char* name : {"cb_com", "cb_baudrate", "cb_da", "cb_sa"})
        QVERIFY2(!rig.combo(name)->isEnabled(), name);
    QVERIFY(!rig.button("tl_ok")->isEnabled());
    QVERIFY(!rig.button("tl_cancel")->isEnabled());
    QVERIFY(rig.searchToEnd());
    // The current cell followed the search to its last address; the regulator address is
    // given back.
    QCOMPARE(rig.table()->currentRow(), 126 / 16);
    QCOMPARE(rig.table()->currentColumn(), 126 % 16);
    QCOMPARE(int(rig.link.GetDeviceAddress()), 9);
    const std::vector<std::chrono::milliseconds> gaps(gapMillis ? 127 : 0,
                                                      std::chrono::milliseconds(gapMillis));
    QVERIFY(rig.pause.waits == gaps);

    for (int address = 0; address <= 126; ++address) {
        const bool answers = address == 1 || address == 17 || address == 18;
        const QString expected = answers ? QString::number(address) : " ";
        QVERIFY2(rig.cell(address) == expected, qPrintable(QString::number(address)));
    }
    QCOMPARE(rig.table()->item(0, 1)->text(), QStringLiteral("1"));
    QCOMPARE(rig.table()->item(1, 1)->text(), QStringLiteral("17"));
    QVERIFY(rig.cell(127).isEmpty()); // the broadcast address has no result

    // One probe per address, in order, from the chosen PC address.
    const auto probes = rig.probes();
    QCOMPARE(probes.size(), std::size_t(127));
    for (std::size_t i = 0; i < probes.size(); ++i) {
        QCOMPARE(int(probes[i][1]), int(i));
        QCOMPARE(int(probes[i][2]), 3);
    }
    QCOMPARE(rig.line.reads[0].millis, silentMillis);

    QVERIFY(!rig.button("tl_prerusit")->isEnabled());
    for (const char* name : {"cb_com", "cb_baudrate", "cb_da", "cb_sa"})
        QVERIFY2(rig.combo(name)->isEnabled(), name);
    QVERIFY(rig.button("tl_ok")->isEnabled());
    QVERIFY(rig.button("tl_cancel")->isEnabled());
    QCOMPARE(port.device_addr(), 9); // the search never changes the regulator address

    // The choice is remembered.
    port.findChild<QCheckBox*>("check_rychle")->setChecked(!fast);
    rig.button("tl_ok")->click();
    QCOMPARE(rig.stored("ADRESA", "RYCHLE"), fast ? 0 : 1);
}

void TestPortDialog::foundAddressIsTakenByDoubleClickOrEnter() {
    PortRig rig;
    rig.line.addAnsweringAddress(17);
    Tport& port = rig.create();
    rig.show();
    QVERIFY(QTest::qWaitForWindowExposed(&port));
    rig.button("tl_najit")->click();
    QVERIFY(!rig.table()->isEnabled()); // nothing is taken while the search runs
    QVERIFY(rig.searchToEnd());
    QCOMPARE(rig.probes().size(), std::size_t(127));

    QTableWidget* table = rig.table();
    const auto doubleClick = [table](int address) {
        const QRect cell = table->visualItemRect(table->item(address / 16, address % 16));
        // A double click is a click, then the second press as a double click.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    };
    doubleClick(17);
    QCOMPARE(rig.combo("cb_da")->currentIndex(), 17);
    QCOMPARE(int(rig.link.GetDeviceAddress()), 17);
    doubleClick(5); // a blank cell takes nothing
    QCOMPARE(int(rig.link.GetDeviceAddress()), 17);

    table->setFocus();
    table->setCurrentCell(0, 1);
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(port.device_addr(), 1);
    QCOMPARE(int(rig.link.GetDeviceAddress()), 1);
    QVERIFY(port.isVisible()); // Enter in the table does not press OK

    // Taken like a choice in the list: Storno can give the old address back.
    rig.prompts.answers.push_back(Prompts::Answer::Yes);
    rig.button("tl_cancel")->click();
    QVERIFY(rig.idle());
    QCOMPARE(int(rig.link.GetDeviceAddress()), 0);
}

// "Zařízení…" keeps the chosen port for the selected COM n, under its stable name where it
// has one, and opens the line there; the list follows the system while it is shown.
void TestPortDialog::adapterListMapsTheSelectedLine() {
    PortRig rig;
    rig.line.existingPorts = {1, 3};
    Tport& port = rig.create();
    const QString stable = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KZP45-if00-port0";
    std::vector<vx52::SerialDevice> system{
        {.location = "/dev/ttyS0", .description = "16550A"},
        {.location = "/dev/ttyUSB0", .stableName = stable, .description = "FT232R USB UART",
         .manufacturer = "FTDI", .serialNumber = "A10KZP45", .vendorId = 0x0403,
         .productId = 0x6001}};
    Tzarizeni* list = port.zarizeni();
    list->setDeviceList([&system] { return system; });
    rig.show();
    rig.choose("cb_com", 3);

    // Runs "Zařízení…" with the list answered by pick (run while the list is shown).
    const auto runList = [&](const std::function<void(Tzarizeni*, QTreeWidget*)>& pick) {
        bool shown = false;
        QTimer deadline; // a failed check in pick must not leave the list open for ever
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, list, &QDialog::reject);
        deadline.start(10000);
        QTimer::singleShot(0, list, [&] {
            shown = list->isVisible();
            pick(list, list->findChild<QTreeWidget*>("str_zarizeni"));
        });
        rig.button("tl_zarizeni")->click();
        QVERIFY(shown);
        QVERIFY(!list->isVisible());
        QVERIFY(rig.idle());
    };

    runList([&](Tzarizeni* dialog, QTreeWidget* rows) {
        QCOMPARE(rows->topLevelItemCount(), 2);
        QCOMPARE(rows->topLevelItem(1)->text(4), QStringLiteral("0403:6001"));
        QVERIFY(dialog->chosenDevice().isEmpty()); // COM 3 names no listed port yet
        // An adapter plugged in while the list is shown appears by itself.
        system.push_back({.location = "/dev/ttyACM0", .description = "CDC"});
        QTRY_COMPARE_WITH_TIMEOUT(rows->topLevelItemCount(), 3, 5000); // its own timer

        rows->setCurrentItem(rows->topLevelItem(1));
        QCOMPARE(dialog->chosenDevice(), stable);
        dialog->findChild<QPushButton*>("tl_ok")->click();
    });
    QCOMPARE(rig.settings.readString("PORT", "DEVICE3", {}), stable);
    QCOMPARE(rig.combo("cb_com")->itemData(3, Qt::ToolTipRole).toString(), stable);
    QCOMPARE(rig.line.opened.back(), 3);
    QCOMPARE(rig.line.openPort(), 3);

    // Shown again, the list selects the mapped port; Storno changes nothing.
    runList([&](Tzarizeni* dialog, QTreeWidget*) {
        QCOMPARE(dialog->chosenDevice(), stable);
        dialog->findChild<QPushButton*>("tl_cancel")->click();
    });
    QCOMPARE(rig.settings.readString("PORT", "DEVICE3", {}), stable);

    // With "žádný port" selected, the chosen port becomes COM 1.
    rig.choose("cb_com", 0);
    runList([&](Tzarizeni* dialog, QTreeWidget* rows) {
        rows->setCurrentItem(rows->topLevelItem(0));
        QCOMPARE(dialog->chosenDevice(), QStringLiteral("/dev/ttyS0"));
        dialog->accept();
    });
    QCOMPARE(rig.settings.readString("PORT", "DEVICE1", {}), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(rig.combo("cb_com")->currentIndex(), 1);
    QCOMPARE(rig.line.openPort(), 1);

    // A device the list does not show is typed as a whole path; the list says where the COM
    // number leads now, links followed.
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("pts-3")); // stands in for the device
    QVERIFY(QFile(target).open(QIODevice::WriteOnly));
    const QString link = dir.filePath(QStringLiteral("usb-FTDI-if00-port0"));
    QVERIFY(QFile::link(target, link));
    const QString leads = link + QStringLiteral(" → ") + QFileInfo(target).canonicalFilePath();
    const auto text = [](Tzarizeni* d, const char* name) {
        return d->findChild<QLabel*>(name)->text();
    };
    rig.choose("cb_com", 3);
    runList([&](Tzarizeni* dialog, QTreeWidget* rows) {
        QVERIFY2(text(dialog, "lb_nyni").startsWith(QStringLiteral("COM 3 nyní otevírá ") + stable),
                 qPrintable(text(dialog, "lb_nyni")));
        auto* path = dialog->findChild<QLineEdit*>("ed_cesta");
        auto* ok = dialog->findChild<QPushButton*>("tl_ok");
        rows->setCurrentItem(rows->topLevelItem(0));
        QTest::keyClicks(path, QStringLiteral("pts/3")); // not a whole path: nothing to keep
        QVERIFY(rows->selectedItems().isEmpty());
        QVERIFY(dialog->chosenDevice().isEmpty());
        QVERIFY(!ok->isEnabled());
        path->clear();
        QTest::keyClicks(path, link);
        QCOMPARE(dialog->chosenDevice(), link);
        QVERIFY(ok->isEnabled());
        QCOMPARE(text(dialog, "lb_nazev"), QStringLiteral("Uloží se: ") + leads);
        rows->setCurrentItem(rows->topLevelItem(0)); // a port from the list replaces it
        QVERIFY(path->text().isEmpty());
        QCOMPARE(dialog->chosenDevice(), QStringLiteral("/dev/ttyS0"));
        QTest::keyClicks(path, link);
        system.push_back({.location = "/dev/ttyACM1"}); // a refresh keeps the typed path
        QTRY_COMPARE_WITH_TIMEOUT(rows->topLevelItemCount(), 4, 5000); // its own timer
        QCOMPARE(dialog->chosenDevice(), link);
        ok->click();
    });
    QCOMPARE(rig.settings.readString("PORT", "DEVICE3", {}), link);
    QCOMPARE(rig.line.openPort(), 3);
    runList([&](Tzarizeni* dialog, QTreeWidget*) {
        QCOMPARE(text(dialog, "lb_nyni"), QStringLiteral("COM 3 nyní otevírá ") + leads);
        QVERIFY(dialog->findChild<QLineEdit*>("ed_cesta")->text().isEmpty());
        dialog->reject();
    });
}

// "Přerušit" stops the search before its next probe: pressed while the worker waits before
// address 41.
void TestPortDialog::searchInterruptedKeepsFoundAndRestartClears() {
    PortRig rig;
    rig.line.addAnsweringAddress(40);
    rig.line.addAnsweringAddress(41);
    Tport& port = rig.create();
    rig.show();
    rig.pause.onWait = [&] { // on the GUI thread, the worker waiting
        if (rig.pause.waits.size() == 42) rig.button("tl_prerusit")->click();
    };

    rig.button("tl_najit")->click();
    QVERIFY(rig.idle());
    QVERIFY(!port.searching());
    QVERIFY(!rig.button("tl_prerusit")->isEnabled());
    QVERIFY(rig.button("tl_ok")->isEnabled());
    QVERIFY(rig.combo("cb_com")->isEnabled());
    QCOMPARE(rig.cell(1), QStringLiteral("1"));
    QCOMPARE(rig.cell(40), QStringLiteral("40"));
    QCOMPARE(rig.cell(41), QStringLiteral(" "));
    QCOMPARE(rig.probes().size(), std::size_t(41));
    QCOMPARE(int(rig.link.GetDeviceAddress()), 0);

    rig.pause.onWait = nullptr;
    rig.button("tl_najit")->click();
    QCOMPARE(port.search_addr(), 0);
    for (int address = 0; address <= 126; ++address)
        QVERIFY2(rig.cell(address) == " ", qPrintable(QString::number(address)));
    QVERIFY(rig.searchToEnd());
    QCOMPARE(int(rig.probes()[41][1]), 0);
    QCOMPARE(rig.probes().size(), std::size_t(41 + 127));
    QCOMPARE(rig.cell(41), QStringLiteral("41"));
}

// "Najít" again while a probe is under way: the running search stops after it, and what it
// reports then is not shown over the new search, which starts from address 0.
void TestPortDialog::searchAgainDuringSearchStartsFromZero() {
    PortRig rig;
    Tport& port = rig.create();
    rig.show();
    QSemaphore reached, go;
    std::atomic<bool> held{false};
    rig.line.beforeWrite = [&](std::span<const std::uint8_t> frame) { // the worker's thread
        if (frame.size() == 6 && frame[3] == 0x69 && frame[1] == 20 && !held.exchange(true)) {
            reached.release();
            go.acquire();
        }
    };
    int addressAtRestart = -1;
    bool searchingAtRestart = false;
    rig.pause.onWait = [&] {
        if (rig.pause.waits.size() != 22) return; // the new search's first
        addressAtRestart = port.search_addr();
        searchingAtRestart = port.searching();
    };
    rig.button("tl_najit")->click();
    QTRY_VERIFY_WITH_TIMEOUT(reached.available() == 1, 20000); // probing address 20
    reached.acquire();
    rig.button("tl_najit")->click();
    go.release();
    QVERIFY(rig.searchToEnd());
    QCOMPARE(addressAtRestart, 0);
    QVERIFY(searchingAtRestart);
    QCOMPARE(rig.probes().size(), std::size_t(21 + 127));
    QCOMPARE(rig.cell(1), QStringLiteral("1"));
}

void TestPortDialog::searchWithLineClosedEndsAfter127Ticks() {
    PortRig rig;
    Tport& port = rig.create(); // never shown: the line is not open
    rig.link.SetDeviceAddress(5);

    rig.button("tl_najit")->click();
    QVERIFY(rig.searchToEnd());
    QCOMPARE(port.search_addr(), 127);
    QVERIFY(rig.line.written.empty());
    for (int address = 0; address <= 126; ++address)
        QVERIFY2(rig.cell(address) == " ", qPrintable(QString::number(address)));
    QCOMPARE(int(rig.link.GetDeviceAddress()), 5);
    QVERIFY(rig.prompts.asked.isEmpty());
}

void TestPortDialog::closeBoxDuringSearchStopsIt() {
    PortRig rig;
    rig.line.addAnsweringAddress(2);
    Tport& port = rig.create();
    rig.show();
    rig.choose("cb_da", 6);
    bool escIgnored = false, closed = false;
    rig.pause.onWait = [&] { // before address 5
        if (rig.pause.waits.size() != 6) return;
        // Esc is Storno's key, and Storno is disabled while searching.
        QTest::keyClick(&port, Qt::Key_Escape);
        escIgnored = port.isVisible() && port.searching();
        port.close();
        closed = !port.isVisible() && !port.searching();
    };
    rig.button("tl_najit")->click();
    QVERIFY(rig.idle());
    QVERIFY(escIgnored);
    QVERIFY(closed);
    QCOMPARE(rig.probes().size(), std::size_t(5)); // none after the close
    QCOMPARE(rig.stored("ADRESA", "DA"), 6);
    QVERIFY(rig.prompts.asked.isEmpty());

    // The next showing is not stuck in the search state, and keeps what was found.
    rig.show();
    QVERIFY(rig.button("tl_ok")->isEnabled());
    QVERIFY(rig.button("tl_cancel")->isEnabled());
    QVERIFY(!rig.button("tl_prerusit")->isEnabled());
    QCOMPARE(rig.cell(2), QStringLiteral("2"));
}

// While the line worker runs other work, nothing that would change the line or start an
// exchange is offered; a dialog destroyed during its search stops it, and what the search
// still reports finds nothing.
void TestPortDialog::controlsWaitForTheLineWorker() {
    PortRig rig;
    rig.create();
    rig.show();
    QSemaphore reached, go;
    vx52::Piece other;
    other.run = [&](vx52::Session&) {
        reached.release();
        go.acquire();
    };
    rig.worker.submit(std::move(other));
    QVERIFY(reached.tryAcquire(1, 20000));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.button("tl_najit")->isEnabled(), 5000);
    for (const char* name : {"cb_com", "cb_baudrate", "cb_da", "cb_sa"})
        QVERIFY2(!rig.combo(name)->isEnabled(), name);
    QVERIFY(!rig.button("tl_ok")->isEnabled());
    go.release();
    QVERIFY(rig.idle());
    QVERIFY(rig.button("tl_najit")->isEnabled());
    QVERIFY(rig.combo("cb_com")->isEnabled());
    QVERIFY(rig.button("tl_ok")->isEnabled());

    rig.pause.onWait = [&] { // before address 3
        if (rig.pause.waits.size() == 4) rig.port.reset();
    };
    rig.button("tl_najit")->click();
    QVERIFY(rig.idle());
    QVERIFY(!rig.port);
    QCOMPARE(rig.probes().size(), std::size_t(3));
}

QTEST_MAIN(TestPortDialog)
#include "test_portdialog.moc"
