// The editor's entries on a Czech system: taking cards into ParamSet, showing ParamSet on
// the cards, and the card change that commits the card being left.

#include "czech_main.h"
#include "editor_rig.h"
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
            AppContext{rig->link, rig->line, rig->settings, prompts, rig->clock, rig->pause});
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

    void decimalEntryFollowsTheRegionalSeparator() {
        entry("ed_sp")->setText("12.5");
        rig->params().COMP.SP = 7;
        QCOMPARE(editor->TakeCard(0), -1);
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].text, kNotDecimal);
        QCOMPARE(prompts.asked[0].caption, QStringLiteral("CHYBA"));
        QCOMPARE(prompts.asked[0].icon, Prompts::Icon::Warning);
        QCOMPARE(rig->params().COMP.SP, 0.0f);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("0"));
        QCOMPARE(editor->focusWidget(), entry("ed_sp"));

        entry("ed_sp")->setText("12,5");
        QCOMPARE(editor->TakeCard(0), 0);
        QCOMPARE(rig->params().COMP.SP, 12.5f);
        QCOMPARE(prompts.asked.size(), 1);
    }

    // Integers that do not fit their field are refused rather than cut to another value.
    void integerEntriesKeepToTheirField_data() {
        QTest::addColumn<int>("card");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("stored");
        QTest::newRow("address 300") << 11 << "ed_adresa"
                                     << "300" << false << 0;
        QTest::newRow("address 255") << 11 << "ed_adresa"
                                     << "255" << true << 255;
        QTest::newRow("address -1") << 11 << "ed_adresa"
                                    << "-1" << true << 255;
        QTest::newRow("address -129") << 11 << "ed_adresa"
                                      << "-129" << false << 0;
        QTest::newRow("address 1,5") << 11 << "ed_adresa"
                                     << "1,5" << false << 0;
        QTest::newRow("servo 32767") << 8 << "ed_dser"
                                     << "32767" << true << 32767;
        QTest::newRow("servo 40000") << 8 << "ed_dser"
                                     << "40000" << false << 0;
        QTest::newRow("dead band -32768") << 8 << "ed_dead"
                                          << "-32768" << true << -32768;
        QTest::newRow("password letters") << 10 << "ed_pass2"
                                          << "12a" << false << 0;
    }
    void integerEntriesKeepToTheirField() {
        QFETCH(int, card);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QFETCH(int, stored);
        auto& p = rig->params();
        p.ADD.ADRESA = 9;
        p.REGO.DSER = p.REGO.DEAD = 9;
        p.OSTAT.PASS2 = 9;
        editor->ShowCard(card);
        editor->findChild<QLineEdit*>(control)->setText(text);
        QCOMPARE(editor->TakeCard(card), taken ? 0 : -1);
        const int value = control == "ed_adresa" ? p.ADD.ADRESA
                          : control == "ed_dser" ? p.REGO.DSER
                          : control == "ed_dead" ? p.REGO.DEAD
                                                 : p.OSTAT.PASS2;
        QCOMPARE(value, stored);
        if (!taken) {
            QCOMPARE(prompts.texts(), QStringList{kNotInteger});
            QCOMPARE(editor->findChild<QLineEdit*>(control)->text(), QStringLiteral("0"));
        } else {
            QVERIFY(prompts.asked.isEmpty());
        }
    }

    // Every control is taken even after a failure; the focus ends on the last bad entry.
    void cardIsTakenWholeAfterAFailure() {
        auto& p = rig->params();
        editor->ShowCard(10);
        list("cb_ver")->setCurrentIndex(3);
        list("cb_filtr")->setCurrentIndex(15);
        entry("ed_pass1")->setText("x");
        entry("ed_pass2")->setText("-7");
        entry("ed_con1")->setText("nic");
        entry("ed_con2")->setText("-3,5");
        QVERIFY(editor->TakeCard(10) != 0);
        QCOMPARE(prompts.texts(), (QStringList{kNotInteger, kNotDecimal}));
        QCOMPARE(p.OSTAT.VERZE, 3);
        QCOMPARE(p.OSTAT.FILT, 15);
        QCOMPARE(p.OSTAT.PASS1, 0);
        QCOMPARE(p.OSTAT.PASS2, -7);
        QCOMPARE(p.OSTAT.CON1, 0.0f);
        QCOMPARE(p.OSTAT.CON2, -3.5f);
        QCOMPARE(editor->focusWidget(), entry("ed_con1"));
    }

    void otherIndexesTakeAndShowNothing() {
        const ParamSet before = rig->params();
        entry("ed_sp")->setText("bad");
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

    // A list shows the position held in its byte read as signed; none beyond the list, and
    // taking a list with no entry chosen stores 255.
    void listsShowTheirPosition_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("taken");
        QTest::newRow("first") << 0 << 0 << 0;
        QTest::newRow("last") << 2 << 2 << 2;
        QTest::newRow("beyond the list") << 4 << -1 << 255;
        QTest::newRow("negative") << 200 << -1 << 255;
        QTest::newRow("none") << 255 << -1 << 255;
    }
    void listsShowTheirPosition() {
        QFETCH(int, type);
        QFETCH(int, shown);
        QFETCH(int, taken);
        rig->params().SENS1.TYPE = static_cast<std::uint8_t>(type);
        editor->ShowCard(3);
        QCOMPARE(list("cb_sens1")->currentIndex(), shown);
        QCOMPARE(editor->TakeCard(3), 0);
        QCOMPARE(int(rig->params().SENS1.TYPE), taken);
    }

    // Showing every card and taking it back gives the parameter set it was shown from.
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
            QCOMPARE(editor->TakeCard(card), 0);
        QVERIFY(rig->params() == set);
        QVERIFY(prompts.asked.isEmpty());
    }

    void cardChangeCommitsTheCardLeft() {
        turnTo(1);
        QCOMPARE(editor->rememberedCard(), 1);
        entry("ed_splo1")->setText("7,5");
        rig->params().ALARM2.SPLO = 3.25f;
        turnTo(2);
        QCOMPARE(rig->params().ALARM1.SPLO, 7.5f);
        QCOMPARE(entry("ed_splo2")->text(), QStringLiteral("3,25"));
        QCOMPARE(editor->rememberedCard(), 2);
        QVERIFY(prompts.asked.isEmpty());
    }

    void badEntriesTurnBackToTheirCard() {
        editor->show();
        rig->forget();
        prompts.focusAtMessage.clear();
        turnTo(1);
        rig->params().ALARM1.SPLO = 5;
        rig->params().ALARM1.HYST = 5;
        entry("ed_splo1")->setText("abc");
        entry("ed_hyst1")->setText("1.5");
        turnTo(4);
        QCOMPARE(prompts.texts(), (QStringList{kNotDecimal, kNotDecimal}));
        // The second warning came after the first had put the focus on ed_splo1.
        QCOMPARE(prompts.focusAtMessage.value(1), QStringLiteral("ed_splo1"));
        QCOMPARE(editor->pageControl()->currentIndex(), 1);
        QCOMPARE(editor->rememberedCard(), 1);
        QCOMPARE(editor->focusWidget(), entry("ed_hyst1"));
        QCOMPARE(entry("ed_splo1")->text(), QStringLiteral("0"));
        QCOMPARE(entry("ed_hyst1")->text(), QStringLiteral("0"));
        QCOMPARE(rig->params().ALARM1.SPLO, 0.0f);
        QCOMPARE(rig->params().ALARM1.HYST, 0.0f);
        QVERIFY(rig->line.written.empty());

        // Now both entries read "0": the change goes through.
        turnTo(4);
        QCOMPARE(editor->rememberedCard(), 4);
        QCOMPARE(prompts.asked.size(), 2);
    }

    void closingTakesNothing() {
        editor->show();
        const ParamSet before = rig->params();
        entry("ed_sp")->setText("55");
        editor->findChild<QPushButton*>("tl_cancel")->click();
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->result(), int(QDialog::Rejected));
        QVERIFY(rig->params() == before);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("55"));
    }
};

VX52_CZECH_TEST_MAIN(TestParamEntries)
#include "test_param_entries.moc"
