// The editor's entries on a Czech system: taking cards into ParamSet, showing ParamSet on
// the cards, and the card change that commits the card being left.

#include "czech_main.h"
#include "editor_rig.h"
#include "fixtures/operator_input.h"
#include "params/Unitmenumod.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

using namespace vx52;
using namespace vx52::test;

namespace {

const QString kNotDecimal = QStringLiteral("Je nutné zadávat pouze čísla nebo desetinnou čárku");
const QString kNotInteger = QStringLiteral("Je nutné zadávat pouze čísla");

// Notes which entry had the focus when each warning came up.
class FocusNotingPrompts : public ScriptedPrompts {
public:
    QWidget* window = nullptr;
    QStringList focusAtMessage;
    Answer message(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override {
        QWidget* focus = window ? window->focusWidget() : nullptr;
        focusAtMessage << (focus ? focus->objectName() : QString());
        return ScriptedPrompts::message(parent, text, caption, icon, buttons);
    }
};

} // namespace

class TestParamEntries : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorRig> rig;
    FocusNotingPrompts prompts;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Tmenu_mod> editor;

    QLineEdit* entry(const char* name) { return editor->findChild<QLineEdit*>(name); }
    QComboBox* list(const char* name) { return editor->findChild<QComboBox*>(name); }
    // The operator turns to another card.
    void turnTo(int card) { editor->pageControl()->setCurrentIndex(card); }

private slots:
    void init() {
        rig = std::make_unique<EditorRig>();
        prompts.asked.clear();
        prompts.focusAtMessage.clear();
        ctx = std::make_unique<AppContext>(
            AppContext{rig->link, rig->line, rig->settings, prompts, rig->clock, rig->pause,
                       rig->worker});
        editor = std::make_unique<Tmenu_mod>(*ctx);
        prompts.window = editor.get();
    }
    void cleanup() {
        editor.reset();
        ctx.reset();
        rig.reset();
    }

    void startsWithTheDesignedContents() {
        QCOMPARE(editor->pageControl()->count(), 12);
        QCOMPARE(editor->pageControl()->tabText(10), QStringLiteral("OST_"));
        QCOMPARE(editor->rememberedCard(), 0);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("0"));
        QCOMPARE(entry("ed_dser")->text(), QStringLiteral("10"));
        QCOMPARE(entry("ed_dead")->text(), QStringLiteral("1"));
        QCOMPARE(entry("ed_pass1")->text(), QString::number(Tmenu_mod::kPasswordDefault));
        QCOMPARE(entry("ed_pass2")->text(), QString::number(Tmenu_mod::kPasswordDefault));
        for (auto* box : editor->findChildren<QComboBox*>())
            QVERIFY2(box->currentIndex() == -1, qPrintable(box->objectName()));
        QCOMPARE(list("cb_filtr")->count(), 16);
        QCOMPARE(list("cb_filtr")->itemText(0), QStringLiteral("0 (bez filtru)"));
        QCOMPARE(list("cb_obr3")->itemText(4), QStringLiteral(". . . .  zhasnutý displej"));
    }

    // A refused entry keeps its text and the focus, and its field keeps its value.
    void decimalEntryFollowsTheRegionalSeparator() {
        type(entry("ed_sp"), "12.5");
        rig->params().COMP.SP = 7;
        QCOMPARE(editor->TakeCard(0), -1);
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].text, "SP: " + kNotDecimal);
        QCOMPARE(prompts.asked[0].caption, QStringLiteral("CHYBA"));
        QCOMPARE(prompts.asked[0].icon, Prompts::Icon::Warning);
        QCOMPARE(rig->params().COMP.SP, 7.0f);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("12.5"));
        QCOMPARE(editor->focusWidget(), entry("ed_sp"));

        type(entry("ed_sp"), "12,5");
        QCOMPARE(editor->TakeCard(0), 0);
        QCOMPARE(rig->params().COMP.SP, 12.5f);
        QCOMPARE(prompts.asked.size(), 1);
    }

    // Numbers outside their field or the range the card states are refused with that range;
    // the address keeps to 0..126 (127 is the broadcast address).
    void entriesKeepToTheirRange_data() {
        QTest::addColumn<int>("card");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: taken
        QTest::addColumn<double>("stored");
        const QString address = QStringLiteral("adresa regulátoru: Hodnota musí ležet v rozsahu 0 až 126");
        QTest::newRow("address 126") << 11 << "ed_adresa" << "126" << "" << 126.0;
        QTest::newRow("address 0") << 11 << "ed_adresa" << "0" << "" << 0.0;
        QTest::newRow("address 127") << 11 << "ed_adresa" << "127" << address << 9.0;
        QTest::newRow("address 255") << 11 << "ed_adresa" << "255" << address << 9.0;
        QTest::newRow("address -1") << 11 << "ed_adresa" << "-1" << address << 9.0;
        QTest::newRow("address 1,5") << 11 << "ed_adresa" << "1,5" << "adresa regulátoru: " + kNotInteger << 9.0;
        QTest::newRow("servo 32767") << 8 << "ed_dser" << "32767" << "" << 32767.0;
        QTest::newRow("servo 70000") << 8 << "ed_dser" << "70000"
                                     << "DSER: Hodnota musí ležet v rozsahu -32768 až 32767" << 9.0;
        QTest::newRow("password letters") << 10 << "ed_pass2" << "12a" << "HES2: " + kNotInteger << 9.0;
        QTest::newRow("constant 4") << 10 << "ed_con1" << "4" << "" << 4.0;
        QTest::newRow("constant -4,5") << 10 << "ed_con2" << "-4,5"
                                       << "CON2: Hodnota musí ležet v rozsahu -4 až +4" << 9.0;
        QTest::newRow("constant 9") << 10 << "ed_con1" << "9"
                                    << "CON1: Hodnota musí ležet v rozsahu -4 až +4" << 9.0;
    }
    void entriesKeepToTheirRange() {
        QFETCH(int, card);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        QFETCH(double, stored);
        auto& p = rig->params();
        p.ADD.ADRESA = 9;
        p.REGO.DSER = 9;
        p.OSTAT.PASS2 = 9;
        p.OSTAT.CON1 = p.OSTAT.CON2 = 9;
        editor->ShowCard(card);
        type(editor->findChild<QLineEdit*>(control), text);
        QCOMPARE(editor->TakeCard(card), refusal.isEmpty() ? 0 : -1);
        const double value = control == "ed_adresa" ? p.ADD.ADRESA
                             : control == "ed_dser" ? p.REGO.DSER
                             : control == "ed_pass2" ? p.OSTAT.PASS2
                             : control == "ed_con1"  ? p.OSTAT.CON1
                                                     : p.OSTAT.CON2;
        QCOMPARE(value, stored);
        QCOMPARE(prompts.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(editor->findChild<QLineEdit*>(control)->text(), text);
    }

    // One message names every refused entry; nothing of the card is taken, the first
    // refused entry has the focus and every text stays as typed.
    void aRefusedEntryTakesNothingOfItsCard() {
        auto& p = rig->params();
        editor->ShowCard(10);
        const ParamSet before = p;
        choose(list("cb_ver"), 3);
        type(entry("ed_pass1"), "x");
        type(entry("ed_pass2"), "-7");
        type(entry("ed_con1"), "nic");
        type(entry("ed_con2"), "-3,5");
        QCOMPARE(editor->TakeCard(10), -1);
        QCOMPARE(prompts.texts(), QStringList{"HES1: " + kNotInteger + "\nCON1: " + kNotDecimal});
        QVERIFY(p == before);
        QCOMPARE(entry("ed_pass1")->text(), QStringLiteral("x"));
        QCOMPARE(entry("ed_con1")->text(), QStringLiteral("nic"));
        QCOMPARE(editor->focusWidget(), entry("ed_pass1"));
    }

    // Only what the operator edited is taken: values the card cannot show exactly stay, and
    // each field keeps its origin until the operator edits it. Editing is known from the
    // controls' edit signals: text put in by the program is no edit.
    void untouchedValuesNeverChange() {
        auto& p = rig->params();
        p.PID.TD = 0.005f;
        p.PID.TI = 0.12345678f;
        p.SENS2.ENDS = 123456.0f;
        p.ADD.ADRESA = 200;
        editor->tl_pomClick();
        QCOMPARE(entry("ed_td")->text(), QStringLiteral("0,005"));
        QCOMPARE(entry("ed_ti")->text(), QStringLiteral("0,12346"));
        const ParamSet shown = p;
        for (int card = 0; card < 12; ++card)
            QCOMPARE(editor->TakeCard(card), 0);
        QVERIFY(p == shown);
        QCOMPARE(editor->cardSource(7), CardSource::Nothing);

        entry("ed_pb")->setText("9"); // the program's, not the operator's
        type(entry("ed_td"), "0,005");
        list("cb_sens1")->setCurrentIndex(2);
        QCOMPARE(editor->TakeCard(7), 0);
        QCOMPARE(editor->TakeCard(3), 0);
        QCOMPARE(p.PID.PB, 0.0f);
        QCOMPARE(p.PID.TD, 0.005f);
        QCOMPARE(int(p.SENS1.TYPE), 0);
        QCOMPARE(editor->model().origin(7, 2), Origin::Typed);
        QCOMPARE(editor->model().origin(7, 0), Origin::Default);
        // Typed next to fields never filled: the card still counts as not filled.
        QCOMPARE(editor->cardSource(7), CardSource::Nothing);

        for (int t = 0; t < 12; ++t)
            editor->tableRead(t);
        QCOMPARE(editor->cardSource(7), CardSource::Regulator);
        type(entry("ed_pb"), "3,5");
        choose(list("cb_sens1"), 2);
        QCOMPARE(editor->TakeCard(7), 0);
        QCOMPARE(editor->TakeCard(3), 0);
        QCOMPARE(p.PID.PB, 3.5f);
        QCOMPARE(p.PID.TI, 0.12345678f);
        QCOMPARE(int(p.SENS1.TYPE), 2);
        QCOMPARE(editor->cardSource(7), CardSource::Typed);
        QCOMPARE(editor->cardSource(3), CardSource::Typed);
        QCOMPARE(editor->model().origin(7, 1), Origin::Regulator);
    }

    void otherIndexesTakeAndShowNothing() {
        const ParamSet before = rig->params();
        type(entry("ed_sp"), "bad");
        QCOMPARE(editor->TakeCard(12), 0);
        QCOMPARE(editor->TakeCard(-1), 0);
        editor->ShowCard(12);
        editor->ShowCard(-1);
        QVERIFY(prompts.asked.isEmpty());
        QVERIFY(rig->params() == before);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("bad"));
    }

    void showsNumbersTheRegionalWay() {
        auto& p = rig->params();
        p.COMP.SP = 1234.567f;
        p.ALARM1.SPLO = 0;
        p.ALARM1.HYST = -0.5f;
        p.REGO.DSER = -2;
        p.ADD.ADRESA = 200;
        editor->tl_pomClick();
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("1234,60"));
        QCOMPARE(entry("ed_splo1")->text(), QStringLiteral("0,00"));
        QCOMPARE(entry("ed_hyst1")->text(), QStringLiteral("-0,50"));
        QCOMPARE(entry("ed_dser")->text(), QStringLiteral("-2"));
        QCOMPARE(entry("ed_adresa")->text(), QStringLiteral("-56"));
    }

    // A list shows the position held in its byte read as signed; none beyond the list; taking
    // the card keeps the byte until the operator chooses an entry.
    void listsShowTheirPosition_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("shown");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("last") << 2 << 2;
        QTest::newRow("beyond the list") << 4 << -1;
        QTest::newRow("negative") << 200 << -1;
        QTest::newRow("none") << 255 << -1;
    }
    void listsShowTheirPosition() {
        QFETCH(int, type);
        QFETCH(int, shown);
        rig->params().SENS1.TYPE = static_cast<std::uint8_t>(type);
        editor->ShowCard(3);
        QCOMPARE(list("cb_sens1")->currentIndex(), shown);
        QCOMPARE(editor->TakeCard(3), 0);
        QCOMPARE(int(rig->params().SENS1.TYPE), type);
        choose(list("cb_sens1"), 1);
        QCOMPARE(editor->TakeCard(3), 0);
        QCOMPARE(int(rig->params().SENS1.TYPE), 1);
    }

    // Showing every card and taking every entry back (as Open does) gives the set shown.
    void showingAndTakingEveryCardKeepsTheSet() {
        ParamSet set;
        set.COMP.SP = 50.25f;
        set.ALARM1 = {80.5f, 1.25f, 3, 1, 1};
        set.ALARM2 = {-20.0f, 0.75f, 2, 0, 1};
        set.SENS1 = {1, 2, -50.0f, 150.0f, 4};
        set.SENS2 = {0, 0, 0.0f, 20000.0f, 3};
        set.SENS3 = {2, 1, -1.5f, 1.5f, 2};
        set.SENS4 = {1, 1, 4.0f, 20.0f, 1};
        set.PID = {2.5f, 120.0f, 0.0f};
        set.REGO = {1, 300, -4, 1};
        set.DACO = {5, 3};
        set.OSTAT = {3, -4.0f, 4.0f, 1234, -1, 15};
        set.ADD.ADRESA = 126;
        rig->params() = set;
        editor->tl_pomClick();
        rig->params() = ParamSet{};
        for (int card = 0; card < 12; ++card)
            QVERIFY(editor->takeOpenedCard(card).empty());
        QVERIFY(rig->params() == set);
        QVERIFY(prompts.asked.isEmpty());
    }

    void cardChangeCommitsTheCardLeft() {
        turnTo(1);
        QCOMPARE(editor->rememberedCard(), 1);
        type(entry("ed_splo1"), "7,5");
        rig->params().ALARM2.SPLO = 3.25f;
        turnTo(2);
        QCOMPARE(rig->params().ALARM1.SPLO, 7.5f);
        QCOMPARE(entry("ed_splo2")->text(), QStringLiteral("3,25"));
        QCOMPARE(editor->rememberedCard(), 2);
        QVERIFY(prompts.asked.isEmpty());
    }

    void badEntriesTurnBackToTheirCard() {
        editor->show();
        QTRY_VERIFY_WITH_TIMEOUT(!rig->worker.busy(), 20000); // its first read
        rig->forget();
        turnTo(1);
        rig->params().ALARM1.SPLO = 5;
        rig->params().ALARM1.HYST = 5;
        type(entry("ed_splo1"), "abc");
        type(entry("ed_hyst1"), "1.5");
        prompts.focusAtMessage.clear();
        turnTo(4);
        QCOMPARE(prompts.texts(), QStringList{"ALA1: " + kNotDecimal + "\nHYST: " + kNotDecimal});
        // The message comes over the card left, with the first refused entry focused.
        QCOMPARE(prompts.focusAtMessage, QStringList{"ed_splo1"});
        QCOMPARE(editor->pageControl()->currentIndex(), 1);
        QCOMPARE(editor->rememberedCard(), 1);
        QCOMPARE(editor->focusWidget(), entry("ed_splo1"));
        QCOMPARE(entry("ed_splo1")->text(), QStringLiteral("abc"));
        QCOMPARE(entry("ed_hyst1")->text(), QStringLiteral("1.5"));
        QCOMPARE(rig->params().ALARM1.SPLO, 5.0f);
        QCOMPARE(rig->params().ALARM1.HYST, 5.0f);
        QVERIFY(rig->line.written.empty());

        // Mended, the change goes through.
        type(entry("ed_splo1"), "6");
        type(entry("ed_hyst1"), "1,5");
        turnTo(4);
        QCOMPARE(editor->rememberedCard(), 4);
        QCOMPARE(rig->params().ALARM1.HYST, 1.5f);
        QCOMPARE(prompts.asked.size(), 1);
    }

    void closingTakesNothing() {
        editor->show();
        QTRY_VERIFY_WITH_TIMEOUT(!rig->worker.busy(), 20000); // its first read
        const ParamSet before = rig->params();
        type(entry("ed_sp"), "55");
        editor->findChild<QPushButton*>("tl_cancel")->click();
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->result(), int(QDialog::Rejected));
        QVERIFY(rig->params() == before);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("55"));
    }
};

VX52_CZECH_TEST_MAIN(TestParamEntries)
#include "test_param_entries.moc"
