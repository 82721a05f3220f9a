// "GRAF 3D": its handlers change the chart at once; the entry checks, their texts and the
// focus rules of "Počet měření".

#include "fixtures/memory_store.h"
#include "app/dialogs/Rotace_3d.h"
#include "app/trend_chart.h"
#include "fixtures/fake_time.h"
#include "fixtures/scripted_prompts.h"
#include "link/com_line.h"
#include "link/link.h"
#include "ui/color_value.h"
#include "ui_Rotace_3d.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include "fixtures/layout_check.h"

#include <QTest>

#include <memory>

using vx52::Prompts;
using vx52::test::ScriptedPrompts;

namespace {

const QString kIntegerText = QStringLiteral("Chyba při zadání číselného textu");
const QString kRangeText = QStringLiteral("Je nutné zadávat pouze čísla v rozsahu 10 až 100000");

// The dialog never touches the line; it only needs a context to be built.
class NoLine : public vx52::ComLine {
public:
    void OpenLine(int) override {}
    void CloseLine() override {}
    void ApplyLineSettings() override {}
    bool isOpen() const override { return false; }
    bool write(std::span<const std::uint8_t>) override { return false; }
    vx52::ReadResult read(std::span<std::uint8_t>) override { return {false, 0}; }
    void purgeReceive() override {}
    void purgeTransmit() override {}
};

struct Rig {
    vx52::Link link;
    NoLine line;
    vx52::test::MemoryStore settings;
    ScriptedPrompts prompts;
    vx52::test::FakeClock clock;
    vx52::test::RecordingPause pause;
    vx52::LineWorker worker{link, line, pause};
    vx52::AppContext ctx{link, line, settings, prompts, clock, pause, worker};
    TrendChart chart;
    Trotace3D dialog{ctx};

    Rig() {
        dialog.setChart(&chart);
        dialog.preset(true, vx52::kButtonFace, vx52::kButtonFace, 35, 200);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    template <typename T> T* control(const char* name) {
        return dialog.findChild<T*>(QLatin1String(name));
    }
    QLineEdit* edit() { return control<QLineEdit>("ed_poc_mer"); }
    void type(const QString& text) {
        edit()->setFocus();
        edit()->setText(text);
    }
    QColor swatch(const char* name) {
        return control<QWidget>(name)->palette().color(QPalette::Window);
    }
};

} // namespace

class TestChartDialog : public QObject {
    Q_OBJECT

private slots:
    void layoutAsDesigned() {
        Rig rig;
        QCOMPARE(rig.dialog.windowTitle(), QStringLiteral("GRAF 3D"));
        QCOMPARE(rig.dialog.size(), QSize(192, 230));
        QCOMPARE(rig.control<QScrollBar>("bar_3D")->minimum(), 1);
        QCOMPARE(rig.control<QScrollBar>("bar_3D")->maximum(), 100);
        QCOMPARE(rig.edit()->toolTip(),
                 QStringLiteral("Počet zobrazených měření v grafu (10 až 100 000)"));
        QCOMPARE(rig.control<QPushButton>("tl_cancel")->text(), QStringLiteral("Storno"));
        QCOMPARE(rig.control<QPushButton>("tl_barva_mriz")->text(), QStringLiteral("Mřížka"));
        VX52_VERIFY_LAYOUT(&rig.dialog);
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        QVERIFY(rig.dialog.grab().save(QStringLiteral(SCREENSHOT_DIR "/graf_3d.png")));
    }

    // The box, the bar and the colour buttons act on the chart at once.
    void handlersChangeTheChartAtOnce() {
        Rig rig;
        rig.control<QCheckBox>("check_3D")->click();
        QCOMPARE(rig.chart.view3D(), false);
        rig.control<QScrollBar>("bar_3D")->setValue(77);
        QCOMPARE(rig.chart.depth3D(), 77);

        rig.prompts.colors.push_back(QColor(0x12, 0x34, 0x56));
        rig.control<QPushButton>("tl_barva_mriz")->click();
        QCOMPARE(rig.chart.backWallColor(), 0x563412u);
        QCOMPARE(rig.swatch("pa_barva_mriz"), QColor(0x12, 0x34, 0x56));

        rig.prompts.colors.push_back(std::nullopt); // cancelled: nothing changes
        rig.control<QPushButton>("tl_barva_okraj")->click();
        QCOMPARE(rig.chart.panelColor(), vx52::kButtonFace);
        rig.prompts.colors.push_back(QColor(Qt::red));
        rig.control<QPushButton>("tl_barva_okraj")->click();
        QCOMPARE(rig.chart.panelColor(), 0x0000FFu);
        QCOMPARE(rig.swatch("pa_barva_okraj"), QColor(Qt::red));
    }

    void notAnIntegerOnEnter() {
        Rig rig;
        rig.type(QStringLiteral("abc"));
        QTest::keyClick(rig.edit(), Qt::Key_Return);
        QCOMPARE(rig.prompts.asked.size(), 1);
        QCOMPARE(rig.prompts.asked[0].text, kIntegerText);
        QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("CHYBA"));
        QCOMPARE(rig.prompts.asked[0].icon, Prompts::Icon::Warning);
        QCOMPARE(rig.edit()->text(), QStringLiteral("0"));
        QVERIFY(rig.edit()->hasFocus());
        QVERIFY(rig.dialog.isVisible());
        // The "0" left behind then fails the range at OK.
        rig.control<QPushButton>("tl_ok")->click();
        QCOMPARE(rig.prompts.asked.size(), 2);
        QCOMPARE(rig.prompts.asked[1].text, kRangeText);
        QVERIFY(rig.dialog.isVisible());
    }

    void enterMovesFocusByTheRange() {
        Rig rig;
        rig.type(QStringLiteral("5"));
        QTest::keyClick(rig.edit(), Qt::Key_Return);
        QCOMPARE(rig.prompts.texts(), QStringList{kRangeText});
        QVERIFY(rig.edit()->hasFocus());
        rig.type(QStringLiteral("150"));
        QTest::keyClick(rig.edit(), Qt::Key_Enter);
        QCOMPARE(rig.prompts.asked.size(), 1);
        QVERIFY(rig.control<QPushButton>("tl_ok")->hasFocus());
        QVERIFY(rig.dialog.isVisible()); // Enter checks; only OK closes
        // A second Enter, now on OK, presses it.
        QTest::keyClick(rig.control<QPushButton>("tl_ok"), Qt::Key_Return);
        QVERIFY(!rig.dialog.isVisible());
        QCOMPARE(rig.dialog.result(), int(QDialog::Accepted));
    }

    void okAcceptsOnlyTenToHundredThousand_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("5") << "5" << false;
        QTest::newRow("9") << "9" << false;
        QTest::newRow("10") << "10" << true;
        QTest::newRow("100000") << "100000" << true;
        QTest::newRow("100001") << "100001" << false;
        QTest::newRow("-200") << "-200" << false;
        QTest::newRow("12.5") << "12.5" << false;
    }
    void okAcceptsOnlyTenToHundredThousand() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        Rig rig;
        rig.type(text);
        rig.control<QPushButton>("tl_ok")->click();
        QCOMPARE(rig.dialog.result() == QDialog::Accepted && !rig.dialog.isVisible(), accepted);
        if (accepted) {
            QVERIFY(rig.prompts.asked.isEmpty());
            QCOMPARE(rig.dialog.pointLimit(), text.toInt());
        } else {
            QCOMPARE(rig.prompts.asked.size(), 1);
            const auto& box = rig.prompts.asked[0];
            const bool integer = box.text == kRangeText;
            QVERIFY2(integer || box.text == kIntegerText, qPrintable(box.text));
            if (integer) {
                QCOMPARE(box.caption, QStringLiteral("EDIT"));
                QCOMPARE(box.icon, Prompts::Icon::Error);
                QCOMPARE(rig.edit()->text(), text); // the entry is left for correcting
            }
            QVERIFY(rig.edit()->hasFocus());
        }
    }

    void stornoEndsWithCancel() {
        Rig rig;
        rig.type(QStringLiteral("abc"));
        rig.control<QPushButton>("tl_cancel")->click();
        QCOMPARE(rig.dialog.result(), int(QDialog::Rejected));
        QVERIFY(rig.prompts.asked.isEmpty()); // no check on Storno
    }
};

QTEST_MAIN(TestChartDialog)
#include "test_chart_dialog.moc"
