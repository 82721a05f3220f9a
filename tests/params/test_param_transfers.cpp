// The editor's transfers on the simulated regulator: retries, waits, progress bar, single
// messages, the address move after writing card "ADD", EEPROM, and showing the window.

#include "czech_main.h"
#include "editor_rig.h"
#include "fixtures/operator_input.h"
#include "params/Unitmenumod.h"
#include "params/load_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QAction>
#include <QTemporaryDir>
#include <QTabWidget>

#include <algorithm>
#include <functional>
#include <memory>

using namespace vx52;
using namespace vx52::test;

namespace {

// Notes the progress bar at every wait: the steps a pass shows while it runs.
class BarNotingPause : public Pause {
public:
    QProgressBar* bar = nullptr;
    std::vector<long long> waits;
    std::vector<int> barAtWait;
    std::function<void(std::size_t)> onWait; // the operator's doing during the n-th wait
    void wait(std::chrono::milliseconds d) override {
        RecordingPause::onGuiThread([this, d] {
            waits.push_back(d.count());
            barAtWait.push_back(bar && bar->isVisible() ? bar->value() : -1);
            if (onWait) onWait(waits.size());
        });
    }
};

// Passes the link's exchanges to the loopback line; a request for `table` by `command` first
// lets the operator act on the GUI thread, while the exchange is under way.
class OperatorAtRequest : public ByteLine {
public:
    explicit OperatorAtRequest(ByteLine& line) : line_(line) {}
    int command = -1;
    int table = -1;
    std::function<void()> act;
    bool write(std::span<const std::uint8_t> bytes) override {
        if (act && bytes.size() > 8 && bytes[0] == 0x68 && bytes[7] == command && bytes[8] == table)
            RecordingPause::onGuiThread(std::exchange(act, nullptr));
        return line_.write(bytes);
    }
    ReadResult read(std::span<std::uint8_t> buffer) override { return line_.read(buffer); }
    void purgeReceive() override { line_.purgeReceive(); }
    void purgeTransmit() override { line_.purgeTransmit(); }

private:
    ByteLine& line_;
};

std::vector<int> upTo(int n, int repeat = 1) {
    std::vector<int> out;
    for (int t = 0; t < n; ++t)
        for (int r = 0; r < repeat; ++r)
            out.push_back(t);
    return out;
}

std::vector<long long> repeated(std::initializer_list<long long> group, int times) {
    std::vector<long long> out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), group);
    return out;
}

const QString kComm = QStringLiteral("Komunikace");

} // namespace

class TestParamTransfers : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorRig> rig;
    BarNotingPause pause;
    std::unique_ptr<LineWorker> worker; // with this test's pause
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Tmenu_mod> editor;

    QLineEdit* entry(const char* name) { return editor->findChild<QLineEdit*>(name); }
    QComboBox* list(const char* name) { return editor->findChild<QComboBox*>(name); }
    QProgressBar* bar() { return editor->findChild<QProgressBar*>("bar_load"); }
    // The operator's click; the transfer it starts, if any, is waited for.
    void press(const char* button) {
        editor->findChild<QPushButton*>(button)->click();
        settle();
    }
    void settle() { QTRY_VERIFY_WITH_TIMEOUT(!worker->busy(), 20000); }
    void turnTo(int card) { editor->pageControl()->setCurrentIndex(card); }
    QLabel* statusLine() { return editor->findChild<QLabel*>("lb_stav"); }
    // The whole status; the line shows it as far as it fits (statusLineShowsItsWholeText).
    QString status() { return statusLine()->toolTip(); }
    void menu(const char* action) {
        editor->findChild<QAction*>(action)->trigger();
        settle();
    }
    void preview(bool on) { editor->findChild<QCheckBox*>("check_nahled")->setChecked(on); }
    void forget() {
        rig->forget();
        pause.waits.clear();
        pause.barAtWait.clear();
        pause.onWait = nullptr;
    }

private slots:
    void init() {
        rig = std::make_unique<EditorRig>();
        pause = {};
        worker = std::make_unique<LineWorker>(rig->link, rig->line, pause);
        ctx = std::make_unique<AppContext>(
            AppContext{rig->link, rig->line, rig->settings, rig->prompts, rig->clock, pause,
                       *worker});
        editor = std::make_unique<Tmenu_mod>(*ctx);
        editor->setIdentification(Tmenu_mod::kRegulatorServed, {});
        // Write-all's own passes here; its preview is tested with the comparisons.
        editor->findChild<QCheckBox*>("check_nahled")->setChecked(false);
        pause.bar = bar();
        editor->show(); // reads every table once
        settle();
        forget();
    }
    void cleanup() {
        worker->cancelAll();
        settle();
        editor.reset();
        ctx.reset();
        worker.reset();
        rig.reset();
    }

    void showingReadsEveryTableAndShowsCardZero() {
        editor->hide();
        turnTo(5);
        rig->device().COMP.SP = 21.5f;
        forget();
        editor->show();
        settle();
        QCOMPARE(rig->tables(kReadTable), upTo(12));
        QCOMPARE(pause.waits, repeated({100}, 12));
        // Four at the start, eight more as each table is over.
        QCOMPARE(pause.barAtWait,
                 (std::vector<int>{12, 20, 28, 36, 44, 52, 60, 68, 76, 84, 92, 100}));
        QCOMPARE(editor->pageControl()->currentIndex(), 0);
        QCOMPARE(editor->rememberedCard(), 0);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("21,50"));
        QVERIFY(!bar()->isVisible());
        QCOMPARE(bar()->value(), 0);
        QVERIFY(rig->prompts.asked.isEmpty());
    }

    // A read-all refreshes every card read, and says so in the status line.
    void readAllRefreshesEveryCardRead() {
        turnTo(7);
        rig->device().PID.PB = 3.5f;
        rig->device().COMP.SP = 1.25f;
        press("Button1");
        QCOMPARE(rig->tables(kReadTable), upTo(12));
        QCOMPARE(entry("ed_pb")->text(), QStringLiteral("3,50"));
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("1,25"));
        QCOMPARE(status(), QStringLiteral("10:00:00  Všechny karty načteny z regulátoru"));
        QVERIFY(rig->prompts.asked.isEmpty());
        for (int card = 0; card < 12; ++card)
            QCOMPARE(editor->cardSource(card), CardSource::Regulator);
    }

    void readAllWithNoRegulatorReportsOnce() {
        editor->tl_pomClick();
        const ParamSet before = rig->params();
        const QString shown = entry("ed_sp")->text();
        rig->line.setDeviceKind(sim::DeviceKind::Nothing);
        press("Button1");
        QCOMPARE(rig->tables(kReadTable), upTo(12, 2));
        QCOMPARE(pause.waits, repeated({300, 100}, 12));
        QCOMPARE(rig->prompts.texts(),
                 QStringList{"Chyba při čtení karet: COMP, ALARM 1, ALARM 2, SENS 1, SENS 2, "
                             "SENS 3, SENS 4, PID, REGO, DACO, OST_, ADD"});
        QCOMPARE(rig->prompts.asked[0].caption, kComm);
        QCOMPARE(rig->prompts.asked[0].icon, Prompts::Icon::Error);
        QVERIFY(rig->params() == before);
        QCOMPARE(entry("ed_sp")->text(), shown);
        QVERIFY(!bar()->isVisible());
    }

    void readCardRetriesOnce() {
        turnTo(7);
        rig->device().PID.TI = 42;
        press("tl_cteni");
        QCOMPARE(rig->tables(kReadTable), std::vector<int>{7});
        QVERIFY(pause.waits.empty());
        QCOMPARE(pause.barAtWait.size(), 0u);
        QCOMPARE(entry("ed_ti")->text(), QStringLiteral("42,00"));

        forget();
        rig->line.setFault(sim::Fault::Silent);
        type(entry("ed_ti"), "typed");
        press("tl_cteni");
        QCOMPARE(rig->tables(kReadTable), (std::vector<int>{7, 7}));
        QCOMPARE(pause.waits, std::vector<long long>{300});
        QCOMPARE(pause.barAtWait, std::vector<int>{95});
        QCOMPARE(rig->prompts.texts(), QStringList{"Chyba při čtení karty PID"});
        // The card shows what the parameter set holds after a failed read too.
        QCOMPARE(entry("ed_ti")->text(), QStringLiteral("42,00"));
        QVERIFY(!bar()->isVisible());
    }

    void writeCardSendsTheCardOnce() {
        turnTo(7);
        type(entry("ed_pb"), "2,5");
        press("tl_zapis");
        QCOMPARE(rig->tables(kWriteTable), std::vector<int>{7});
        QCOMPARE(rig->device().PID.PB, 2.5f);
        QVERIFY(rig->prompts.asked.isEmpty());
        QCOMPARE(status(), QStringLiteral("10:00:00  Karta PID zapsána do regulátoru"));
        QCOMPARE(editor->cardSource(7), CardSource::Typed);

        forget();
        rig->line.setFault(sim::Fault::Silent);
        press("tl_zapis");
        QCOMPARE(rig->tables(kWriteTable), std::vector<int>{7});
        QVERIFY(pause.waits.empty());
        QCOMPARE(rig->prompts.texts(), QStringList{"Chyba při zápisu karty PID"});
        QCOMPARE(rig->prompts.asked[0].caption, kComm);

        forget();
        rig->line.setFault(sim::Fault::None);
        type(entry("ed_td"), "1.5");
        press("tl_zapis");
        QVERIFY(rig->tables(kWriteTable).empty());
        QCOMPARE(rig->prompts.texts(),
                 QStringList{"DER: Je nutné zadávat pouze čísla nebo desetinnou čárku"});
        QVERIFY(!bar()->isVisible());
    }

    void writingCardAddMovesLaterRequests() {
        turnTo(11);
        type(entry("ed_adresa"), "5");
        press("tl_zapis");
        QCOMPARE(rig->requests().back(), (Request{1, kWriteTable, 11}));
        QCOMPARE(rig->link.GetDeviceAddress(), 5);
        forget();
        press("tl_cteni");
        QCOMPARE(rig->requests(), (std::vector<Request>{{5, kReadTable, 11}}));
        QVERIFY(rig->prompts.asked.isEmpty());
    }

    void readingCardAddDoesNotMove() {
        rig->device().ADD.ADRESA = 9; // what the device reports, not where it listens
        turnTo(11);
        press("tl_cteni");
        QCOMPARE(entry("ed_adresa")->text(), QStringLiteral("9"));
        QCOMPARE(rig->link.GetDeviceAddress(), 1);
        press("Button1");
        QCOMPARE(rig->link.GetDeviceAddress(), 1);
    }

    void failedOrRefusedAddressWriteDoesNotMove() {
        turnTo(11);
        type(entry("ed_adresa"), "127");
        press("tl_zapis");
        QVERIFY(rig->tables(kWriteTable).empty());
        QCOMPARE(rig->link.GetDeviceAddress(), 1);

        rig->line.setFault(sim::Fault::Silent);
        type(entry("ed_adresa"), "6");
        press("tl_zapis");
        QCOMPARE(rig->tables(kWriteTable), std::vector<int>{11});
        QCOMPARE(rig->link.GetDeviceAddress(), 1);
    }

    void writeAllSendsEveryCardInOrder() {
        editor->tl_pomClick();
        turnTo(6);
        type(entry("ed_ends4"), "12,7500");
        type(entry("ed_adresa"), "7");
        press("Button2");
        QCOMPARE(rig->tables(kWriteTable), upTo(12));
        QCOMPARE(pause.waits, repeated({400}, 12));
        QCOMPARE(pause.barAtWait,
                 (std::vector<int>{12, 20, 28, 36, 44, 52, 60, 68, 76, 84, 92, 100}));
        QCOMPARE(rig->device().SENS4.ENDS, 12.75f);
        QCOMPARE(editor->model().regulator().SENS4.ENDS, 12.75f);
        QCOMPARE(entry("ed_ends4")->text(), QStringLiteral("12,75")); // as sent
        QVERIFY(editor->model().agrees(6, 3));
        QCOMPARE(rig->link.GetDeviceAddress(), 7);
        QCOMPARE(rig->requests().back().address, 1); // table 11 itself went to the old address
        // The new address went only with the operator's word.
        QCOMPARE(rig->prompts.asked.size(), 1);
        QCOMPARE(rig->prompts.asked[0].buttons, Prompts::Buttons::YesNo);
        QVERIFY(rig->prompts.asked[0].text.startsWith(
            "Karta ADD nastavuje adresu regulátoru 7, regulátor je nyní na adrese 1."));
        QCOMPARE(status(), QStringLiteral("10:00:00  Všechny karty zapsány do regulátoru"));
        QVERIFY(!bar()->isVisible());

        // Refused, table 11 stays unwritten; the same address asks nothing.
        forget();
        type(entry("ed_adresa"), "9");
        rig->prompts.answers = {Prompts::Answer::No};
        press("Button2");
        QCOMPARE(rig->tables(kWriteTable), upTo(11));
        QCOMPARE(rig->link.GetDeviceAddress(), 7);
        QCOMPARE(status(), QStringLiteral("10:00:00  Nezapsány karty: ADD"));
        forget();
        type(entry("ed_adresa"), "7");
        press("Button2");
        QCOMPARE(rig->tables(kWriteTable), upTo(12));
        QVERIFY(rig->prompts.asked.isEmpty());
    }

    // Every card is taken before anything is written.
    void writeAllStopsAtABadEntry() {
        editor->tl_pomClick();
        type(entry("ed_dead"), "2,5"); // REGO, card 8
        press("Button2");
        QVERIFY(rig->tables(kWriteTable).empty());
        QCOMPARE(rig->prompts.texts(), QStringList{"DEAD: Je nutné zadávat pouze čísla"});
        QVERIFY(!bar()->isVisible());
        QCOMPARE(bar()->value(), 0);
        // Turned to the card so that its entry has the focus.
        QCOMPARE(editor->pageControl()->currentIndex(), 8);
        QCOMPARE(editor->rememberedCard(), 8);
        QCOMPARE(editor->focusWidget(), entry("ed_dead"));
        QCOMPARE(rig->link.GetDeviceAddress(), 1);
    }

    // The card left for the bad one is committed like any card change.
    void writeAllStoppedEarlierCommitsTheCardOnScreen() {
        turnTo(10);
        type(entry("ed_con2"), "3,5");
        type(entry("ed_sp"), "x");
        press("Button2");
        QVERIFY(rig->tables(kWriteTable).empty());
        QCOMPARE(rig->params().OSTAT.CON2, 3.5f);
        QCOMPARE(editor->pageControl()->currentIndex(), 0);
        QCOMPARE(editor->focusWidget(), entry("ed_sp"));
    }

    void writeAllWithNoAnswerRetriesAndReportsOnce() {
        editor->tl_pomClick();
        type(entry("ed_adresa"), "8");
        rig->line.setDeviceKind(sim::DeviceKind::Nothing);
        press("Button2");
        QCOMPARE(rig->tables(kWriteTable), upTo(12, 2));
        QCOMPARE(pause.waits, repeated({400, 400}, 12));
        QCOMPARE(rig->prompts.texts().size(), 2); // the address question, then the failure
        QCOMPARE(rig->prompts.texts().last(),
                 QStringLiteral("Chyba při zápisu karet: COMP, ALARM 1, ALARM 2, SENS 1, SENS 2, "
                                "SENS 3, SENS 4, PID, REGO, DACO, OST_, ADD"));
        QCOMPARE(rig->link.GetDeviceAddress(), 1);
    }

    // Cards that hold nothing yet are named in a question before a write-all: Yes sends them,
    // No leaves them out, Storno writes nothing.
    void writeAllAsksForCardsHoldingNothing_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<std::vector<int>>("written");
        QTest::newRow("yes") << int(Prompts::Answer::Yes) << upTo(12);
        QTest::newRow("no") << int(Prompts::Answer::No)
                            << std::vector<int>{0, 1, 3, 4, 6, 7, 8, 9, 10, 11};
        QTest::newRow("cancel") << int(Prompts::Answer::Cancel) << std::vector<int>{};
    }
    void writeAllAsksForCardsHoldingNothing() {
        QFETCH(int, answer);
        QFETCH(std::vector<int>, written);
        editor->forgetSources();
        for (int t : {0, 1, 3, 4, 6, 7, 8, 9, 10, 11})
            editor->tableRead(t);
        rig->prompts.answers = {Prompts::Answer(answer)};
        press("Button2");
        QCOMPARE(rig->prompts.texts(),
                 QStringList{"Karty ALARM 2, SENS 3 obsahují hodnoty, které nebyly načteny z "
                             "regulátoru ani ze souboru a nebyly zadány.\nZapsat do regulátoru i je?"});
        QCOMPARE(rig->tables(kWriteTable), written);
        if (answer == int(Prompts::Answer::No))
            QCOMPARE(status(), QStringLiteral("10:00:00  Nezapsány karty: ALARM 2, SENS 3"));
    }

    // After an identification that found another device every write asks first, naming it.
    void otherDeviceAsksBeforeEveryWrite() {
        editor->setIdentification(2, QStringLiteral("zařízení typu QDX 01"));
        rig->prompts.answers = {Prompts::Answer::No, Prompts::Answer::No, Prompts::Answer::No};
        press("tl_zapis");
        press("Button2");
        press("tl_eeprom");
        QVERIFY(rig->tables(kWriteTable).empty());
        QCOMPARE(rig->line.regulator().eepromStores(), 0);
        QCOMPARE(rig->prompts.asked.size(), 3);
        for (const auto& asked : rig->prompts.asked)
            QVERIFY(asked.text.startsWith("Identifikace nenalezla regulátor QDX 72-4xxx, ale: "
                                          "zařízení typu QDX 01."));
        forget();
        press("tl_zapis"); // answered Yes
        QCOMPARE(rig->tables(kWriteTable), std::vector<int>{0});
    }

    // "Storno" or Esc stops a pass before its next table; the status line names the cards
    // not transferred, and the window stays open.
    void passesStopBetweenTables_data() {
        QTest::addColumn<QString>("pass");
        QTest::addColumn<bool>("escape");
        QTest::newRow("read-all, Storno") << "Button1" << false;
        QTest::newRow("write-all, Esc") << "Button2" << true;
    }
    void passesStopBetweenTables() {
        QFETCH(QString, pass);
        QFETCH(bool, escape);
        editor->tl_pomClick();
        auto* storno = editor->findChild<QPushButton*>("tl_storno");
        QVERIFY(storno->isHidden());
        pause.onWait = [&](std::size_t n) {
            QVERIFY(storno->isVisible());
            QVERIFY(!editor->findChild<QPushButton*>("Button2")->isEnabled());
            if (n == 3) escape ? editor->reject() : storno->click();
        };
        press(qPrintable(pass));
        const bool reading = pass == "Button1";
        QCOMPARE(rig->tables(reading ? kReadTable : kWriteTable), upTo(3));
        QVERIFY(rig->prompts.asked.isEmpty());
        QCOMPARE(status(), QStringLiteral("10:00:00  ") +
                               (reading ? QStringLiteral("Čtení zastaveno, nenačteny karty: ")
                                        : QStringLiteral("Nezapsány karty: ")) +
                               "SENS 1, SENS 2, SENS 3, SENS 4, PID, REGO, DACO, OST_, ADD");
        QVERIFY(editor->isVisible());
        QVERIFY(storno->isHidden());
        QVERIFY(editor->findChild<QPushButton*>("Button2")->isEnabled());
        // Esc outside a pass closes the window as before.
        editor->reject();
        QVERIFY(!editor->isVisible());
    }

    // While a table goes over the line the window takes the operator's doing: "Storno" stops
    // the transfer before its next exchange; an editor hidden or destroyed stops it too, and
    // nothing is reported into a destroyed one.
    void operatorActsDuringAnExchange_data() {
        QTest::addColumn<QString>("pass");
        QTest::addColumn<QString>("act");
        QTest::newRow("read-all, Storno") << "Button1" << "storno";
        QTest::newRow("write-all, Storno") << "Button2" << "storno";
        QTest::newRow("read-all, hidden") << "Button1" << "hide";
        QTest::newRow("read-all, destroyed") << "Button1" << "destroy";
        QTest::newRow("write-all, destroyed") << "Button2" << "destroy";
    }
    void operatorActsDuringAnExchange() {
        QFETCH(QString, pass);
        QFETCH(QString, act);
        const bool reading = pass == "Button1";
        editor->tl_pomClick();
        OperatorAtRequest line(rig->line);
        rig->link.setLine(&line);
        line.command = reading ? kReadTable : kWriteTable;
        line.table = 3;
        bool stornoShown = false;
        line.act = [&] {
            stornoShown = editor->findChild<QPushButton*>("tl_storno")->isVisible();
            if (act == "storno") editor->findChild<QPushButton*>("tl_storno")->click();
            if (act == "hide") editor->hide();
            if (act != "destroy") return;
            pause.bar = nullptr;
            editor.reset();
        };
        editor->findChild<QPushButton*>(qPrintable(pass))->click();
        settle();
        QVERIFY(stornoShown);
        // Table 3 was under way and ends; nothing after it goes out.
        QCOMPARE(rig->tables(reading ? kReadTable : kWriteTable), upTo(4));
        QCOMPARE(pause.waits.size(), 3u);
        QVERIFY(rig->prompts.asked.isEmpty());
        if (act != "storno") return;
        QCOMPARE(status(), QStringLiteral("10:00:00  ") +
                               (reading ? QStringLiteral("Čtení zastaveno, nenačteny karty: ")
                                        : QStringLiteral("Nezapsány karty: ")) +
                               "SENS 2, SENS 3, SENS 4, PID, REGO, DACO, OST_, ADD");
        QVERIFY(editor->findChild<QPushButton*>("Button2")->isEnabled());
    }

    // ---- Scenarios: the editor as a technician drives it ----

    // The regulator is silent while the editor opens, then comes back: a write-all asks for
    // every card, as none was filled; "Ne" sends nothing, "Ano" sends them and says so.
    void failedLoadThenWriteAll_data() {
        QTest::addColumn<bool>("sendUnfilled");
        QTest::newRow("Ne") << false;
        QTest::newRow("Ano") << true;
    }
    void failedLoadThenWriteAll() {
        QFETCH(bool, sendUnfilled);
        editor->hide();
        rig->line.setFault(sim::Fault::Silent);
        Tload_form loading(*ctx, *editor);
        QCOMPARE(loading.exec(), int(QDialog::Accepted));
        editor->show(); // every read fails
        settle();
        rig->line.setFault(sim::Fault::None);
        rig->device().PID.PB = 4.5f;
        const ParamSet device = rig->device();
        forget();
        // The device question, the unfilled cards, then the address the defaults hold (0).
        rig->prompts.answers = {Prompts::Answer::Yes,
                                sendUnfilled ? Prompts::Answer::Yes : Prompts::Answer::No,
                                Prompts::Answer::No};
        press("Button2");
        const QString all = "COMP, ALARM 1, ALARM 2, SENS 1, SENS 2, SENS 3, SENS 4, PID, REGO, "
                            "DACO, OST_, ADD";
        QVERIFY(rig->prompts.asked[0].text.contains("žádné zařízení neodpovědělo"));
        QCOMPARE(rig->prompts.asked[1].text,
                 "Karty " + all + " obsahují hodnoty, které nebyly načteny z regulátoru ani ze "
                                  "souboru a nebyly zadány.\nZapsat do regulátoru i je?");
        if (!sendUnfilled) {
            QCOMPARE(rig->prompts.asked.size(), 2);
            QVERIFY(rig->tables(kWriteTable).empty());
            QVERIFY(rig->device() == device);
            QCOMPARE(status(), "10:00:00  Nezapsány karty: " + all);
            return;
        }
        QCOMPARE(rig->prompts.asked.size(), 3);
        QVERIFY(rig->prompts.asked[2].text.startsWith("Karta ADD nastavuje adresu regulátoru 0"));
        QCOMPARE(rig->tables(kWriteTable), upTo(11));
        // What was sent is what the cards hold: the loading defaults, never-shown lists as 0.
        QCOMPARE(rig->device().PID.TI, 100.0f);
        QCOMPARE(rig->device().PID.PB, 1.0f);
        QCOMPARE(int(rig->device().ALARM1.INALA), 0);
        QCOMPARE(int(rig->device().ALARM2.RALA), 0);
        QCOMPARE(int(rig->device().REGO.TYP), 0);
        QCOMPARE(int(rig->device().SENS1.TYPE), 255); // the default lies outside its list
        QCOMPARE(status(), QStringLiteral("10:00:00  Nezapsány karty: ADD; zapsány i nenačtené "
                                          "hodnoty karet: COMP, ALARM 1, ALARM 2, SENS 1, SENS 2, "
                                          "SENS 3, SENS 4, PID, REGO, DACO, OST_"));
    }

    // A card without one field from the regulator, a file or the operator is still asked for,
    // also when the operator typed its other fields.
    void writeAllAsksForACardHalfTyped() {
        editor->forgetSources();
        for (int t = 0; t < 12; ++t)
            if (t != 7) editor->tableRead(t);
        turnTo(7);
        type(entry("ed_pb"), "2,5");
        type(entry("ed_ti"), "50");
        rig->prompts.answers = {Prompts::Answer::No};
        press("Button2");
        QVERIFY(rig->prompts.asked[0].text.startsWith("Karty PID obsahují"));
        QCOMPARE(rig->tables(kWriteTable), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11}));
        QCOMPARE(status(), QStringLiteral("10:00:00  Nezapsány karty: PID"));
    }

    // Typing back the value the card showed before a write is sent like any other value; the
    // card and the model then agree with what the regulator got.
    void typeBackTheShownValue_data() {
        QTest::addColumn<QString>("between"); // what the operator did with the typed 3
        QTest::newRow("card written") << "tl_zapis";
        QTest::newRow("write-all declined in the preview") << "Button2";
    }
    void typeBackTheShownValue() {
        QFETCH(QString, between);
        rig->device().PID.PB = 4;
        turnTo(7);
        press("tl_cteni");
        QCOMPARE(entry("ed_pb")->text(), QStringLiteral("4,00"));
        type(entry("ed_pb"), "3");
        if (between == "Button2") {
            preview(true);
            rig->prompts.answers = {Prompts::Answer::No};
        }
        press(qPrintable(between));
        QCOMPARE(rig->device().PID.PB, between == "Button2" ? 4.0f : 3.0f);
        QCOMPARE(editor->model().regulator().PID.PB, rig->device().PID.PB);
        if (between == "tl_zapis") QCOMPARE(entry("ed_pb")->text(), QStringLiteral("3,00"));
        type(entry("ed_pb"), "4,00");
        forget();
        press("tl_zapis");
        QCOMPARE(rig->tables(kWriteTable), std::vector<int>{7});
        QCOMPARE(rig->device().PID.PB, 4.0f);
        QCOMPARE(status(), QStringLiteral("10:00:00  Karta PID zapsána do regulátoru"));
        QCOMPARE(entry("ed_pb")->text(), QStringLiteral("4,00"));
        QCOMPARE(rig->params().PID.PB, 4.0f);
        QCOMPARE(editor->model().regulator().PID.PB, 4.0f);
        for (std::size_t i = 0; i < 3; ++i)
            QVERIFY(editor->model().agrees(7, i));
        QCOMPARE(editor->model().origin(7, 0), Origin::Typed);
        QCOMPARE(editor->model().origin(7, 1), Origin::Regulator);
    }

    // The address typed back to the regulator's own asks nothing more.
    void addressTypedBackAsksNoMore() {
        turnTo(11);
        QCOMPARE(entry("ed_adresa")->text(), QStringLiteral("1"));
        type(entry("ed_adresa"), "5");
        rig->prompts.answers = {Prompts::Answer::No};
        press("Button2");
        QCOMPARE(rig->prompts.asked.size(), 1);
        QCOMPARE(rig->tables(kWriteTable), upTo(11));
        forget();
        type(entry("ed_adresa"), "1");
        press("Button2");
        QVERIFY(rig->prompts.asked.isEmpty());
        QCOMPARE(rig->tables(kWriteTable), upTo(12));
        QCOMPARE(rig->link.GetDeviceAddress(), 1);
    }

    // The write-all sends in table order and asks for a new address after the question for
    // unfilled cards, whichever cards that question adds; table 11 goes last.
    void addressQuestionComesLast_data() {
        QTest::addColumn<std::vector<int>>("unfilled");
        QTest::addColumn<QString>("named");
        QTest::newRow("ALARM 2 unfilled") << std::vector<int>{2} << "ALARM 2";
        QTest::newRow("ALARM 2 and ADD unfilled") << std::vector<int>{2, 11} << "ALARM 2, ADD";
    }
    void addressQuestionComesLast() {
        QFETCH(std::vector<int>, unfilled);
        QFETCH(QString, named);
        editor->forgetSources();
        rig->params().ADD.ADRESA = 9;
        for (int t = 0; t < 12; ++t)
            if (std::find(unfilled.begin(), unfilled.end(), t) == unfilled.end())
                editor->tableRead(t);
        rig->prompts.answers = {Prompts::Answer::Yes, Prompts::Answer::Yes};
        press("Button2");
        QCOMPARE(rig->prompts.asked.size(), 2);
        QVERIFY(rig->prompts.asked[0].text.startsWith("Karty " + named + " obsahují"));
        QVERIFY(rig->prompts.asked[1].text.startsWith("Karta ADD nastavuje adresu regulátoru 9"));
        QCOMPARE(rig->tables(kWriteTable), upTo(12));
        QCOMPARE(rig->link.GetDeviceAddress(), 9);
    }

    // A value the cards show rounded keeps every digit through turning the cards, Save, Open
    // and a write-all.
    void roundedValueSurvivesSaveOpenAndWrite() {
        QTemporaryDir dir;
        rig->device().PID.TD = 0.005f;
        rig->device().SENS2.ENDS = 0.123456789f;
        rig->device().OSTAT.CON1 = -3.33333333f;
        type(entry("ed_ends2"), "7"); // replaced by what the read brings
        press("Button1");
        const ParamSet device = rig->device();
        for (int card : {7, 4, 10, 0, 11, 3})
            turnTo(card);
        QCOMPARE(entry("ed_td")->text(), QStringLiteral("0,005"));
        const QString file = dir.filePath("p.ini");
        rig->prompts.paths = {file, file};
        menu("Uloit1");
        menu("Otevt1");
        for (int card : {4, 10, 7})
            turnTo(card);
        forget();
        press("Button2");
        QCOMPARE(rig->tables(kWriteTable), upTo(12));
        QVERIFY(rig->prompts.asked.isEmpty());
        QVERIFY(rig->device() == device);
        QCOMPARE(editor->model().origin(7, 2), Origin::File);
    }

    // The status line shows its whole text, wrapped; what does not fit in it is cut after a
    // whole card name, and its tool tip and a click on it give the whole text.
    void statusLineShowsItsWholeText_data() {
        QTest::addColumn<int>("pixels"); // the font's size: 0 the window's own
        QTest::newRow("window's font") << 0;
        QTest::newRow("large font") << 22;
    }
    void statusLineShowsItsWholeText() {
        QFETCH(int, pixels);
        QLabel* line = statusLine();
        if (pixels > 0) {
            QFont font = line->font();
            font.setPixelSize(pixels);
            line->setFont(font);
        }
        editor->forgetSources();
        rig->prompts.answers = {Prompts::Answer::No};
        press("Button2");
        const QString whole = "10:00:00  Nezapsány karty: COMP, ALARM 1, ALARM 2, SENS 1, SENS 2, "
                              "SENS 3, SENS 4, PID, REGO, DACO, OST_, ADD";
        QCOMPARE(line->toolTip(), whole);
        QVERIFY(line->heightForWidth(line->width()) <= line->height());
        const QString shown = line->text();
        if (pixels == 0) {
            QCOMPARE(shown, whole);
            return;
        }
        QVERIFY2(shown.endsWith(", …") && whole.startsWith(shown.chopped(1)) &&
                     whole.mid(shown.size() - 1).contains(", "),
                 qPrintable(shown));
        QTest::mouseClick(line, Qt::LeftButton);
        QCOMPARE(rig->prompts.texts().last(), whole);
    }

    void eepromStoresOnceAndReportsItsFailure() {
        type(entry("ed_sp"), "bad"); // nothing is taken before the command
        press("tl_eeprom");
        QCOMPARE(rig->line.regulator().eepromStores(), 1);
        QVERIFY(rig->prompts.asked.isEmpty());
        QCOMPARE(status(), QStringLiteral("10:00:00  Parametry uloženy do EEPROM regulátoru"));
        QVERIFY(rig->tables(kWriteTable).empty());

        rig->line.setFault(sim::Fault::Silent);
        press("tl_eeprom");
        QCOMPARE(rig->prompts.texts(), QStringList{"Chyba při zápisu do EEPROM"});
        QCOMPARE(rig->prompts.asked[0].caption, kComm);
        QCOMPARE(rig->prompts.asked[0].icon, Prompts::Icon::Error);
        QVERIFY(pause.waits.empty());
        QVERIFY(!bar()->isVisible());
    }
};

VX52_CZECH_TEST_MAIN(TestParamTransfers)
#include "test_param_transfers.moc"
