// The main window (fresh, and with values, relays, a trend, an outage and the longest link
// state) and the about box: every caption fits its control and no controls overlap. Their
// pictures are saved under the build tree's screenshots/ folder as well, to be looked at.

#include "app/Unit_hl.h"
#include "app/dialogs/about_box.h"
#include "app/trend_chart.h"
#include "app/windows.h"
#include "fixtures/layout_check.h"
#include "shell_rig.h"
#include "ui/color_value.h"
#include "ui_Unit_hl.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cmath>

using vx52::test::AbsentLine;
using vx52::test::FakeClock;
using vx52::test::LoggedStore;
using vx52::test::RecordingPause;
using vx52::test::ScriptedPrompts;

class TestAppScreens : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowAndAboutBox();

private:
    QString save(QWidget* widget, const QString& name);
    QTemporaryDir dir_;
};

void TestAppScreens::initTestCase() { QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOT_DIR))); }

QString TestAppScreens::save(QWidget* widget, const QString& name) {
    const QString path = QStringLiteral(SCREENSHOT_DIR "/%1.png").arg(name);
    const QPixmap picture = widget->grab();
    if (!picture.save(path)) return {};
    return path;
}

void TestAppScreens::mainWindowAndAboutBox() {
    LoggedStore settings(dir_.filePath(QStringLiteral("TevVx52.conf")));
    AbsentLine line;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    vx52::AppWindows windows({settings, line, prompts, clock, pause});
    Tqdx01& w = *windows.qdx01;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    VX52_VERIFY_LAYOUT(&w);
    QVERIFY(!save(&w, QStringLiteral("main_window_start")).isEmpty());

    // Values, relays 1 and 3 on, and a short trend, as after some readings.
    const QStringList values{"21,5", "0,0", "100,0", "7,3"};
    QLabel* panels[] = {w.ui->pa_meas1, w.ui->pa_meas2, w.ui->pa_meas3, w.ui->pa_meas4};
    for (int i = 0; i < 4; ++i) panels[i]->setText(values[i]);
    QLabel* relays[] = {w.ui->pa_re1, w.ui->pa_re2, w.ui->pa_re3, w.ui->pa_re4};
    for (int i = 0; i < 4; ++i) {
        QPalette p = relays[i]->palette();
        p.setColor(QPalette::Window, vx52::colorFromValue(i % 2 == 0 ? vx52::kYellow : vx52::kButtonFace));
        relays[i]->setPalette(p);
        relays[i]->setFrameShadow(i % 2 == 0 ? QFrame::Raised : QFrame::Sunken);
    }
    const std::uint32_t pens[] = {w.pen_color1, w.pen_color2, w.pen_color3, w.pen_color4};
    const double start = TrendChart::toChartTime(clock.now());
    for (int k = 0; k < 120; ++k) {
        const double x = start + k / 86400.0;
        const double y[] = {20 + 5 * std::sin(k / 10.0), 40 + k / 10.0, 90 + 10 * std::cos(k / 15.0),
                            7 + std::sin(k / 5.0)};
        for (int s = 0; s < 4; ++s) w.ui->Chart1->append(s, x, y[s], {}, pens[s]);
    }
    // A week of readings at one a second, then a silent regulator: the longest link state.
    for (int k = 0; k < 7 * 86400; ++k) w.link_watch.readDone(true, clock.now());
    for (int k = 0; k < 99999; ++k) w.link_watch.readDone(false, clock.now().addSecs(1));
    w.ui->Chart1->gaps().begin(start + 80 / 86400.0);
    w.ui->Chart1->gaps().end(start + 95 / 86400.0);
    w.showLinkState();
    QVERIFY(w.ui->pa_spojeni->text().startsWith(QStringLiteral("bez odezvy od ")));
    w.ui->pa_path->setText(QStringLiteral("C:\\Users\\technik\\Documents\\Záznam QDX72_4xxx.txt"));
    VX52_VERIFY_LAYOUT(&w);
    QVERIFY(!save(&w, QStringLiteral("main_window_trend")).isEmpty());

    windows.AboutBox->show();
    QVERIFY(QTest::qWaitForWindowExposed(windows.AboutBox));
    VX52_VERIFY_LAYOUT(windows.AboutBox);
    QVERIFY(!save(windows.AboutBox, QStringLiteral("about_box")).isEmpty());
    windows.AboutBox->accept();
    QVERIFY(prompts.asked.isEmpty());
}

int main(int argc, char** argv) {
    qputenv("LC_ALL", "cs_CZ.UTF-8");
    qputenv("LANG", "cs_CZ.UTF-8");
    QApplication app(argc, argv);
    TestAppScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_screens.moc"
