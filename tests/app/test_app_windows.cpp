// The main window's start-up and closing on the settings store, its menu and its "&Konec",
// the owner that creates the eight windows, and the about box's version label.

#include "app/Unit_hl.h"
#include "app/dialogs/about_box.h"
#include "app/monitor/monitor_window.h"
#include "app/overview/overview_window.h"
#include "app/trend_chart.h"
#include "app/window_fit.h"
#include "app/windows.h"
#include "link/link.h"
#include "app/dialogs/Unitport.h"
#include "params/load_form.h"
#include "shell_rig.h"
#include "ui/color_value.h"
#include "ui/tag.h"
#include "ui_Unit_hl.h"
#include "ui_about_box.h"
#include "ui_monitor_window.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <memory>

using vx52::Prompts;
using vx52::test::AbsentLine;
using vx52::test::FakeClock;
using vx52::test::LoggedStore;
using vx52::test::RecordingPause;
using vx52::test::ScriptedPrompts;

namespace {

// One program run's services on a store file that outlives the run.
struct Run {
    explicit Run(const QString& storeFile) : settings(storeFile) { link.setLine(&line); }
    vx52::Link link;
    AbsentLine line;
    LoggedStore settings;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    vx52::LineWorker worker{link, line, pause};
    vx52::AppContext ctx{link, line, settings, prompts, clock, pause, worker};
    vx52::Services services() { return {settings, line, prompts, clock, pause}; }
};


// Where the fitting rule puts the main window with this place and size on this system's
// screens (the test screen may be narrower than the designed window).
QRect fittedHere(QPoint place, QSize size) {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    return vx52::fitWindow(place, size, QSize(815, 574), screens,
                           QGuiApplication::primaryScreen()->availableGeometry());
}

QColor swatch(const QLabel* panel) { return panel->palette().color(QPalette::Window); }

const QStringList kWriteOrder = {
    "DESKTOP/Top", "DESKTOP/Left", "DESKTOP/Height", "DESKTOP/Width",
    "GRAF/PERO1", "GRAF/PERO2", "GRAF/PERO3", "GRAF/PERO4", "GRAF/MRIZ", "GRAF/POZADI",
    "GRAF/G3D", "GRAF/R3D", "GRAF/POCET",
    "ZAZNAM/LIST", "ZAZNAM/SOUBOR", "ZAZNAM/JEDNOTKY"};

QStringList writtenKeys(const QStringList& writes) {
    QStringList keys;
    for (const QString& w : writes) keys << w.mid(6).section(QLatin1Char('='), 0, 0);
    return keys;
}

} // namespace

// Notes whether Qt blocked a window's input for a modal dialog.
class BlockWatch : public QObject {
public:
    explicit BlockWatch(QWidget* window) { window->installEventFilter(this); }
    bool blocked = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked) blocked = true;
        return false;
    }
};

class TestAppWindows : public QObject {
    Q_OBJECT

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void firstStartRunsOnTheDefaults();
    void badEntriesReadAsTheirDefaults();
    void settingsSurviveCloseAndRestart();
    void storedPointLimitIsTakenIntoRange_data();
    void storedPointLimitIsTakenIntoRange();
    void storedRecordingSettingsAreTakenIntoRange_data();
    void storedRecordingSettingsAreTakenIntoRange();
    void everyClosingWritesEveryEntryInOrder();
    void storedDepthIsTakenIntoRange_data();
    void storedDepthIsTakenIntoRange();
    void storedGeometryIsTakenOnlyWhereItFits_data();
    void storedGeometryIsTakenOnlyWhereItFits();
    void everyStoredGeometryComesUpOnTheScreen_data();
    void everyStoredGeometryComesUpOnTheScreen();
    void statusBarAndChartFollowTheWindowSize();
    void menuHoldsItsItemsInOrder();
    void konecSavesFirstAndKeepsTheWindowWhenSavingFails();
    void ownerCreatesTheWindowsInStartUpOrder();
    void linkRefusalsAreShownAsErrorBoxes();
    void aboutBoxDoesNotPauseTheTimer();
    void aboutBoxVersionLabel_data();
    void aboutBoxVersionLabel();
    void programRecordGivesTheProjectVersion();
    void monitorShowsTheLinksTelegramsAndKeepsItsPlace();

private:
    QString storeFile() const { return dir_->filePath(QStringLiteral("TevVx52.conf")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestAppWindows::firstStartRunsOnTheDefaults() {
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    const QRect designed = fittedHere(QPoint(192, 107), QSize(815, 574));
    QCOMPARE(w.pos(), designed.topLeft());
    QCOMPARE(w.size(), designed.size());
    QCOMPARE(w.ui->pa_zaznam->text(), QStringLiteral("1"));
    QCOMPARE(w.ui->pa_jednotky->text(), QStringLiteral("s"));
    QCOMPARE(w.ui->pa_soubor->text(), QStringLiteral("15"));
    QCOMPARE(w.recordList(), 1);
    QCOMPARE(w.recordUnit(), 1);
    QCOMPARE(w.fileMinutes(), 15);
    QCOMPARE(w.point_limit, 200);
    QVERIFY(w.view_3d);
    QCOMPARE(w.rotation_3d, 35);
    QCOMPARE(swatch(w.ui->pa_barva_pera1), QColor(255, 0, 0));
    QCOMPARE(swatch(w.ui->pa_barva_pera2), QColor(0, 128, 0));
    QCOMPARE(swatch(w.ui->pa_barva_pera3), QColor(255, 255, 0));
    QCOMPARE(swatch(w.ui->pa_barva_pera4), QColor(0, 0, 255));
    QCOMPARE(w.ui->Chart1->backWallColor(), vx52::kButtonFace);
    QCOMPARE(w.ui->Chart1->panelColor(), vx52::kButtonFace);
    QCOMPARE(w.ui->Chart1->depth3D(), 35);
    QVERIFY(w.ui->Chart1->view3D());
    for (QLabel* value : {w.ui->pa_meas1, w.ui->pa_meas2, w.ui->pa_meas3, w.ui->pa_meas4})
        QCOMPARE(value->text(), QStringLiteral("0,0")); // main() runs on a Czech system
    // The file periodic writes go to, never a drive letter of another system.
    QCOMPARE(w.ui->pa_path->text(), QDir::toNativeSeparators(Tqdx01::defaultRecordFile()));
    QVERIFY(w.Timer1->isActive());
    QCOMPARE(w.Timer1->interval(), 200);
    QCOMPARE(w.sample_ticks, 0);
    QCOMPARE(w.read_failures, 0);
    // Nothing is written at start-up and nothing is reported.
    QVERIFY(run.settings.writes().isEmpty());
    QVERIFY(run.prompts.asked.isEmpty());
    QVERIFY(!QFile::exists(storeFile()));
}

void TestAppWindows::badEntriesReadAsTheirDefaults() {
    {
        vx52::QtSettingsStore store(storeFile());
        store.writeString("DESKTOP", "Left", "abc");
        store.writeString("DESKTOP", "Width", "");
        store.writeString("GRAF", "POCET", "12.5");
        store.writeString("GRAF", "PERO1", "red");
        store.writeString("GRAF", "G3D", "5");
        store.writeString("ZAZNAM", "SOUBOR", "x15");
        store.flush();
    }
    Run run(storeFile());
    auto w = std::make_unique<Tqdx01>(run.ctx);
    const QRect designed = fittedHere(QPoint(192, 107), QSize(815, 574));
    QCOMPARE(w->x(), designed.x());
    QCOMPARE(w->width(), designed.width());
    QCOMPARE(w->point_limit, 200);
    QCOMPARE(w->pen_color1, 0x000000FFu);
    QVERIFY(w->view_3d); // any non-zero value is on
    QCOMPARE(w->ui->pa_soubor->text(), QStringLiteral("15"));
    QVERIFY(run.prompts.asked.isEmpty());
    w->close();
    // Written back as clean decimal text, G3D as 1.
    QVERIFY(run.settings.writes().contains("write GRAF/G3D=1"));
    QVERIFY(run.settings.writes().contains(QStringLiteral("write DESKTOP/Left=%1").arg(designed.x())));
    QVERIFY(run.settings.writes().contains("write GRAF/POCET=200"));
    vx52::QtSettingsStore after(storeFile());
    QCOMPARE(after.readString("GRAF", "G3D", {}), QStringLiteral("1"));

    // And off reads as off and is written 0.
    after.writeString("GRAF", "G3D", "0");
    after.flush();
    Run second(storeFile());
    Tqdx01 again(second.ctx);
    QVERIFY(!again.view_3d);
    QVERIFY(!again.ui->Chart1->view3D());
    again.close();
    QVERIFY(second.settings.writes().contains("write GRAF/G3D=0"));
}

void TestAppWindows::settingsSurviveCloseAndRestart() {
    // A size the screen holds (never below the designed one), where the screen holds it.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect kept = fittedHere(QPoint(40, 60), QSize(screen.width() - 60, screen.height() - 100));
    {
        Run run(storeFile());
        Tqdx01 w(run.ctx);
        w.show();
        w.move(kept.topLeft());
        w.resize(kept.size());
        w.pen_color2 = 0x00123456u;
        w.wall_color = 0x00C0C0C0u;
        w.panel_color = 0x80000005u;
        w.view_3d = false;
        w.rotation_3d = 60;
        w.point_limit = 1000;
        w.setRecordList(5);
        w.setRecordUnit(60);
        w.setFileMinutes(30);
        w.close();
    }
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    QCOMPARE(w.pos(), kept.topLeft());
    QCOMPARE(w.size(), kept.size());
    QCOMPARE(w.pen_color1, 0x000000FFu);
    QCOMPARE(w.pen_color2, 0x00123456u);
    QCOMPARE(swatch(w.ui->pa_barva_pera2), QColor(0x56, 0x34, 0x12));
    QCOMPARE(w.wall_color, 0x00C0C0C0u);
    QCOMPARE(w.panel_color, 0x80000005u);
    QCOMPARE(w.ui->Chart1->backWallColor(), 0x00C0C0C0u);
    QCOMPARE(w.ui->Chart1->panelColor(), 0x80000005u);
    QVERIFY(!w.view_3d);
    QVERIFY(!w.ui->Chart1->view3D());
    QCOMPARE(w.rotation_3d, 60);
    QCOMPARE(w.ui->Chart1->depth3D(), 60);
    QCOMPARE(w.point_limit, 1000);
    QCOMPARE(w.ui->pa_zaznam->text(), QStringLiteral("5"));
    QCOMPARE(w.ui->pa_jednotky->text(), QStringLiteral("min"));
    QCOMPARE(w.ui->pa_soubor->text(), QStringLiteral("30"));
    QCOMPARE(w.recordUnit(), 60);
}

void TestAppWindows::storedPointLimitIsTakenIntoRange_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("negative") << -5 << 10;
    QTest::newRow("below") << 9 << 10;
    QTest::newRow("lowest") << 10 << 10;
    QTest::newRow("inside") << 5000 << 5000;
    QTest::newRow("highest") << 100000 << 100000;
    QTest::newRow("above") << 100001 << 100000;
}

void TestAppWindows::storedPointLimitIsTakenIntoRange() {
    QFETCH(int, stored);
    QFETCH(int, used);
    {
        vx52::QtSettingsStore store(storeFile());
        store.writeInteger("GRAF", "POCET", stored);
        store.flush();
    }
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    QCOMPARE(w.point_limit, used);
    QVERIFY(run.prompts.asked.isEmpty());
}

void TestAppWindows::storedRecordingSettingsAreTakenIntoRange_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("soubor");
    QTest::addColumn<QString>("jednotky");
    QTest::addColumn<int>("usedList");
    QTest::addColumn<int>("usedSoubor");
    QTest::addColumn<QString>("unitCaption");
    QTest::newRow("zeros") << "0" << "0" << "0" << 1 << 1 << "min";
    QTest::newRow("negative") << "-3" << "-1" << "1" << 1 << 1 << "s";
    QTest::newRow("too large") << "5000" << "61" << "7" << 1000 << 60 << "min";
    QTest::newRow("bounds") << "1000" << "60" << "60" << 1000 << 60 << "min";
}

void TestAppWindows::storedRecordingSettingsAreTakenIntoRange() {
    QFETCH(QString, list);
    QFETCH(QString, soubor);
    QFETCH(QString, jednotky);
    QFETCH(int, usedList);
    QFETCH(int, usedSoubor);
    QFETCH(QString, unitCaption);
    {
        vx52::QtSettingsStore store(storeFile());
        store.writeString("ZAZNAM", "LIST", list);
        store.writeString("ZAZNAM", "SOUBOR", soubor);
        store.writeString("ZAZNAM", "JEDNOTKY", jednotky);
        store.flush();
    }
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    QCOMPARE(vx52::tagOf(w.ui->pa_zaznam), usedList);
    QCOMPARE(vx52::tagOf(w.ui->pa_soubor), usedSoubor);
    QCOMPARE(w.ui->pa_zaznam->text(), QString::number(usedList));
    QCOMPARE(w.ui->pa_soubor->text(), QString::number(usedSoubor));
    QCOMPARE(w.ui->pa_jednotky->text(), unitCaption);
    QCOMPARE(vx52::tagOf(w.ui->pa_jednotky), unitCaption == "s" ? 1 : 60);
}

void TestAppWindows::everyClosingWritesEveryEntryInOrder() {
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    w.show();
    w.close();
    QCOMPARE(writtenKeys(run.settings.writes()), kWriteOrder);
    QCOMPARE(run.settings.writes().at(8), QStringLiteral("write GRAF/MRIZ=-2147483633"));
    // Nothing changed, closed again: all of it again.
    run.settings.log.clear();
    w.show();
    w.close();
    QCOMPARE(writtenKeys(run.settings.writes()), kWriteOrder);
}

void TestAppWindows::storedDepthIsTakenIntoRange_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -40 << 1;
    QTest::newRow("above") << 500 << 100;
}

// As POCET is: no box at every start, the rest of the settings applied.
void TestAppWindows::storedDepthIsTakenIntoRange() {
    QFETCH(int, stored);
    QFETCH(int, used);
    {
        vx52::QtSettingsStore store(storeFile());
        store.writeInteger("GRAF", "R3D", stored);
        store.writeInteger("GRAF", "G3D", 0);
        store.flush();
    }
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    QVERIFY(run.prompts.asked.isEmpty());
    QCOMPARE(w.rotation_3d, used);
    QCOMPARE(w.ui->Chart1->depth3D(), used);
    QVERIFY(!w.ui->Chart1->view3D());
    w.close();
    QVERIFY(run.settings.writes().contains(QStringLiteral("write GRAF/R3D=%1").arg(used)));
}

void TestAppWindows::storedGeometryIsTakenOnlyWhereItFits_data() {
    // Two screens side by side: 1920 x 1040 available, then 1280 x 984 to its right; the
    // frame's allowance adds 16 x 40.
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("as designed") << QPoint(192, 107) << QSize(815, 574) << QRect(192, 107, 815, 574);
    QTest::newRow("larger, fits") << QPoint(10, 10) << QSize(1600, 900) << QRect(10, 10, 1600, 900);
    QTest::newRow("int max") << QPoint(192, 107) << QSize(2147483647, 2147483647)
                             << QRect(0, 0, 1904, 1000);
    QTest::newRow("no size") << QPoint(192, 107) << QSize(0, -5) << QRect(192, 107, 815, 574);
    // Moved, not just shrunk: the whole frame, status bar included, on the screen.
    QTest::newRow("corner kept, too big") << QPoint(100, 100) << QSize(1900, 1000)
                                          << QRect(4, 0, 1900, 1000);
    QTest::newRow("hanging off the right") << QPoint(1500, 500) << QSize(815, 574)
                                           << QRect(1089, 426, 815, 574);
    QTest::newRow("second screen") << QPoint(2000, 50) << QSize(4000, 700)
                                   << QRect(1920, 50, 1264, 700);
    QTest::newRow("off every screen") << QPoint(-5000, 300) << QSize(815, 574)
                                      << QRect(544, 213, 815, 574);
    QTest::newRow("below the screens") << QPoint(100, 1035) << QSize(815, 574)
                                       << QRect(544, 213, 815, 574);
    QTest::newRow("int max place") << QPoint(2147483647, 2147483647) << QSize(815, 574)
                                   << QRect(544, 213, 815, 574);
}

void TestAppWindows::storedGeometryIsTakenOnlyWhereItFits() {
    QFETCH(QPoint, place);
    QFETCH(QSize, size);
    QFETCH(QRect, expected);
    const QList<QRect> screens{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
    QCOMPARE(vx52::fitWindow(place, size, QSize(815, 574), screens, screens[0]), expected);
}

// Each window that keeps its place and size comes up whole on this system's screen, however
// the stored entries read.
void TestAppWindows::everyStoredGeometryComesUpOnTheScreen_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QPoint>("place"); // Left, Top
    QTest::addColumn<QSize>("size");   // Width, Height
    constexpr int kMax = 2147483647;
    for (const char* section : {"DESKTOP", "MONITOR"}) {
        const auto row = [section](const char* name) -> QTestData& {
            return QTest::addRow("%s: %s", section, name) << QString::fromLatin1(section);
        };
        row("int max size") << QPoint(192, 107) << QSize(kMax, kMax);
        row("too big at its corner") << QPoint(100, 100) << QSize(5000, 5000);
        row("far corner") << QPoint(700, 500) << QSize(600, 400);
        row("no size") << QPoint(50, 50) << QSize(0, 0);
        row("off every screen") << QPoint(-5000, -5000) << QSize(600, 400);
        row("int max place") << QPoint(kMax, kMax) << QSize(600, 400);
    }
}

void TestAppWindows::everyStoredGeometryComesUpOnTheScreen() {
    QFETCH(QString, section);
    QFETCH(QPoint, place);
    QFETCH(QSize, size);
    {
        vx52::QtSettingsStore store(storeFile());
        store.writeInteger(section, "Left", place.x());
        store.writeInteger(section, "Top", place.y());
        store.writeInteger(section, "Width", size.width());
        store.writeInteger(section, "Height", size.height());
        store.flush();
    }
    Run run(storeFile());
    vx52::AppWindows windows(run.services());
    QWidget* window = windows.qdx01;
    if (section == "MONITOR") {
        window = windows.monitor;
        window->show(); // placed at its first showing
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QMargins frame = vx52::kFrameAllowance;
    const QRect outer(window->pos(), window->size().grownBy(frame));
    QVERIFY2(screen.contains(outer), qPrintable(QStringLiteral("%1,%2 %3x%4 on %5x%6")
                                                    .arg(outer.x()).arg(outer.y())
                                                    .arg(outer.width()).arg(outer.height())
                                                    .arg(screen.width()).arg(screen.height())));
    QVERIFY(window->width() >= std::min(200, screen.width()));
    QVERIFY(window->height() >= std::min(150, screen.height()));
    QVERIFY(run.prompts.asked.isEmpty());
}

void TestAppWindows::statusBarAndChartFollowTheWindowSize() {
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QWidget* client = w.ui->centralwidget;
    const int rightGap = w.ui->Panel4->width() - w.ui->pa_jednotky->geometry().right();
    w.resize(1015, 774);
    QTRY_COMPARE(client->width(), 1015);
    QCOMPARE(w.ui->Panel4->geometry().bottom(), client->height() - 1);
    QCOMPARE(w.ui->Panel4->width(), client->width());
    const auto chart = [&] {
        return QRect(w.ui->Chart1->mapTo(client, QPoint(0, 0)), w.ui->Chart1->size());
    };
    QCOMPARE(chart().right(), client->width() - 2);
    QCOMPARE(chart().bottom(), w.ui->Panel4->geometry().top() - 6);
    // A notice takes the top of the chart's place; the chart keeps its bottom, and has its
    // top back once the notice is closed.
    const int chartTop = chart().top();
    w.notices->post(vx52::NoticeStrip::Kind::Link, run.clock.now(), QStringLiteral("Pokus"));
    QTRY_VERIFY(chart().top() > chartTop);
    QCOMPARE(w.notices->mapTo(client, QPoint(0, 0)).y(), chartTop);
    QCOMPARE(chart().bottom(), w.ui->Panel4->geometry().top() - 6);
    w.notices->withdraw(vx52::NoticeStrip::Kind::Link);
    QTRY_COMPARE(chart().top(), chartTop);
    QCOMPARE(w.ui->Panel4->width() - w.ui->pa_jednotky->geometry().right(), rightGap);
    QCOMPARE(w.ui->pa_path->geometry(), QRect(8, 3, 393, 24));
    // The link's panel, on the status bar's second row, takes the width the window gains.
    QCOMPARE(w.ui->pa_spojeni->geometry().left(), 8);
    QCOMPARE(w.ui->pa_spojeni->geometry().right(), w.ui->pa_jednotky->geometry().right());
    QCOMPARE(w.ui->Panel1->geometry(), QRect(0, 0, 521, 137));
}

void TestAppWindows::menuHoldsItsItemsInOrder() {
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    QStringList titles;
    for (QAction* menu : w.ui->MainMenu1->actions()) titles << menu->text();
    QCOMPARE(titles, (QStringList{"&Soubor", "&Nastavení", "Nápo&věda"}));
    const auto items = [](QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? a->objectName() + ":-" : a->objectName() + ":" + a->text());
        return out;
    };
    QCOMPARE(items(w.ui->mn_soubor),
             (QStringList{"mn_novy:&Nový soubor", "N1:-", "mn_ulozit:&Uložit...",
                          "mn_ulozitjako:Uložit j&ako...", "N2:-",
                          "mn_export_obrazek:Uložit graf jako &obrázek...",
                          "mn_export_csv:Uložit zobrazené body do &CSV...",
                          "mn_export_csv_vse:Uložit &všechny body grafu do CSV...", "N3:-",
                          "mn_exit:&Konec"}));
    QCOMPARE(items(w.ui->mn_nastaveni),
             (QStringList{"mn_port:&Komunikační port", "mn_monitor:&Monitor komunikace",
                          "mn_prehled:Přehled &sběrnice", "mn_parametry:&Parametry regulátoru",
                          "mn_barva:Nastavení &grafu", "mn_rychlost_zaznamu:&Rychlost záznamu",
                          "mn_mqtt:Publikování M&QTT..."}));
    QCOMPARE(items(w.ui->mn_napoveda),
             (QStringList{"mn_about:&O aplikaci", "mn_ident:&Identifikace"}));
    QVERIFY(w.ui->mn_novy->isCheckable());
    QVERIFY(!w.ui->mn_novy->isChecked());
    QCOMPARE(w.ui->mn_monitor->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
}

void TestAppWindows::konecSavesFirstAndKeepsTheWindowWhenSavingFails() {
    Run run(storeFile());
    Tqdx01 w(run.ctx);
    int saves = 0;
    bool failSave = true;
    w.saveBeforeExit = [&] {
        ++saves;
        if (failSave) throw vx52::Failure("Soubor nelze vytvořit");
        return true;
    };
    w.show();
    w.ui->mn_exit->trigger();
    QCOMPARE(saves, 1);
    QVERIFY(w.isVisible());
    QCOMPARE(run.prompts.texts(), QStringList{"Soubor nelze vytvořit."});
    QVERIFY(run.settings.writes().isEmpty());

    failSave = false;
    w.ui->mn_exit->trigger();
    QCOMPARE(saves, 2);
    QVERIFY(!w.isVisible());
    QCOMPARE(writtenKeys(run.settings.writes()), kWriteOrder);

    // The close box does not save.
    w.show();
    w.close();
    QCOMPARE(saves, 2);
}

void TestAppWindows::ownerCreatesTheWindowsInStartUpOrder() {
    Run run(storeFile());
    vx52::AppWindows windows(run.services());
    const QStringList reads = run.settings.reads();
    QVERIFY(!reads.isEmpty());
    QCOMPARE(reads.first(), QStringLiteral("read DESKTOP/Left"));
    // The port dialog read its settings through the main window's store, after the main window.
    qsizetype lastMain = -1, firstPort = -1;
    for (qsizetype i = 0; i < reads.size(); ++i) {
        const bool portEntry = reads[i].startsWith("read PORT/") || reads[i].startsWith("read ADRESA/");
        if (portEntry && firstPort < 0) firstPort = i;
        const bool mainEntry = reads[i].startsWith("read DESKTOP/") ||
                               reads[i].startsWith("read GRAF/") ||
                               reads[i].startsWith("read ZAZNAM/");
        if (mainEntry) lastMain = i; // the editor, created later, reads its own section
    }
    QVERIFY2(firstPort > 0, qPrintable(reads.join(", ")));
    QVERIFY2(lastMain < firstPort, qPrintable(reads.join(", ")));

    const QStringList names{"port", "AboutBox", "about_ident", "menu_mod", "rotace3D",
                            "form_zaznam", "load_form"};
    QCOMPARE(windows.qdx01->objectName(), QStringLiteral("qdx01"));
    QStringList children;
    for (QObject* child : windows.qdx01->children())
        if (child->isWidgetType() && names.contains(child->objectName())) children << child->objectName();
    QCOMPARE(children, names); // children in the order they were created
    QCOMPARE(static_cast<QObject*>(windows.qdx01->port), windows.qdx01->findChild<QObject*>("port"));
    QCOMPARE(static_cast<QObject*>(windows.qdx01->load_form),
             windows.qdx01->findChild<QObject*>("load_form"));
    for (const QString& name : names)
        QVERIFY2(!windows.qdx01->findChild<QWidget*>(name)->isVisible(), qPrintable(name));
    QVERIFY(windows.qdx01->Timer1->isActive());
}

void TestAppWindows::linkRefusalsAreShownAsErrorBoxes() {
    Run run(storeFile());
    vx52::AppWindows windows(run.services());
    run.prompts.clear();
    // Refused on the line worker's thread, shown on the GUI thread.
    std::atomic<int> result{-1};
    vx52::Piece piece;
    piece.run = [&result](vx52::Session& s) { result = s.exchange(&vx52::Link::ReadTable, 14); };
    windows.worker().submit(std::move(piece));
    QTRY_COMPARE_WITH_TIMEOUT(run.prompts.asked.size(), 1, 5000);
    QCOMPARE(result.load(), 0);
    QCOMPARE(run.prompts.asked.first().text, QString::fromUtf8(vx52::Link::kReadRangeText));
    QCOMPARE(run.prompts.asked.first().caption, QString::fromUtf8(vx52::Link::kReadRangeCaption));
    QCOMPARE(run.prompts.asked.first().icon, Prompts::Icon::Error);
}

// A dialog of the main window is modal to it alone: the telegram monitor and the bus overview
// take clicks meanwhile.
void TestAppWindows::aboutBoxDoesNotPauseTheTimer() {
    Run run(storeFile());
    vx52::AppWindows windows(run.services());
    windows.qdx01->show();
    windows.qdx01->ui->mn_monitor->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(windows.monitor));
    windows.qdx01->ui->mn_prehled->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(windows.prehled));
    BlockWatch mainBlocked(windows.qdx01), monitorBlocked(windows.monitor),
        overviewBlocked(windows.prehled);
    bool shown = false, timerRan = false;
    QTimer::singleShot(0, [&] {
        shown = windows.AboutBox->isVisible() && windows.AboutBox->isModal();
        timerRan = windows.qdx01->Timer1->isActive();
        windows.AboutBox->ui->OKButton->click();
    });
    windows.qdx01->ui->mn_about->trigger();
    QVERIFY(shown);
    QVERIFY(timerRan);
    QVERIFY(mainBlocked.blocked);
    QVERIFY(!monitorBlocked.blocked);
    QVERIFY(!overviewBlocked.blocked);
    QCOMPARE(windows.AboutBox->result(), int(QDialog::Accepted));
    QVERIFY(windows.qdx01->Timer1->isActive());
    QVERIFY(run.prompts.asked.isEmpty());
}

void TestAppWindows::aboutBoxVersionLabel_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("label");
    QTest::newRow("Czech 1250") << QByteArray("\\VarFileInfo\\Translation=040504E2\n"
                                              "\\StringFileInfo\\040504E2\\FileVersion=1.0.0.0\n")
                                << "Verze 1.0.0.0";
    QTest::newRow("other language") << QByteArray("\\StringFileInfo\\040904B0\\FileVersion=1.0.0.0\n")
                                    << "";
    QTest::newRow("other code page") << QByteArray("\\StringFileInfo\\040504B0\\FileVersion=2.1.0.0\n")
                                     << "";
    QTest::newRow("no file version") << QByteArray("\\StringFileInfo\\040504E2\\ProductName=VX-52\n")
                                     << "";
    QTest::newRow("no record") << QByteArray() << "";
}

void TestAppWindows::aboutBoxVersionLabel() {
    QFETCH(QByteArray, record);
    QFETCH(QString, label);
    Run run(storeFile());
    TAboutBox box(run.ctx, nullptr, vx52::VersionRecord(record));
    QCOMPARE(box.ui->Label5->text(), label);
    QCOMPARE(box.ui->Label1->text(), QStringLiteral("Verze"));
    QCOMPARE(box.ui->Label6->text(), QStringLiteral("VX-52"));
    QCOMPARE(box.windowTitle(), QStringLiteral("O aplikaci"));
    QVERIFY(run.prompts.asked.isEmpty());
}

void TestAppWindows::programRecordGivesTheProjectVersion() {
    Run run(storeFile());
    TAboutBox box(run.ctx);
    QCOMPARE(box.ui->Label5->text(), QStringLiteral("Verze 1.0.0.0"));
    QCOMPARE(box.size(), QSize(324, 289));
    QVERIFY(!box.ui->ProgramIcon->pixmap().isNull());
}

void TestAppWindows::monitorShowsTheLinksTelegramsAndKeepsItsPlace() {
    {
        Run run(storeFile());
        vx52::AppWindows windows(run.services());
        windows.qdx01->ui->mn_monitor->trigger();
        Tmonitor* m = windows.monitor;
        QVERIFY(m->isVisible());
        QVERIFY(!m->isModal());
        QCOMPARE(windows.link().ReadMeasurement(), std::uint8_t{0}); // no line: the write fails
        QTRY_COMPARE_WITH_TIMEOUT(m->model->rowCount(), 1, 2000);
        QCOMPARE(m->model->data(m->model->index(0, vx52::TelegramModel::Result), Qt::DisplayRole),
                 QVariant(QStringLiteral("chyba linky")));
        QVERIFY2(m->ui->lb_citace->text().contains(QStringLiteral("chyba linky 1")),
                 qPrintable(m->ui->lb_citace->text()));
        // The list follows the newest row until the operator scrolls up.
        const std::uint8_t probe[] = {0x10, 0x05, 0x00, 0x69, 0x6E, 0x16};
        for (int i = 0; i < 300; ++i) windows.telegrams().appendRequest(probe, true, i);
        m->SyncTimer();
        QScrollBar* bar = m->ui->gr_telegramy->verticalScrollBar();
        QTRY_VERIFY_WITH_TIMEOUT(bar->maximum() > 100 && bar->value() == bar->maximum(), 2000);
        bar->setValue(10);
        for (int i = 0; i < 50; ++i) windows.telegrams().appendRequest(probe, true, i);
        m->SyncTimer();
        QCoreApplication::processEvents();
        QCOMPARE(bar->value(), 10);
        // Counters with many causes wrap inside the window instead of widening it.
        const int width = m->width();
        QStringList causes;
        for (int i = 0; i < 40; ++i) causes << QStringLiteral("příčina %1 %2").arg(i).arg(i * 7);
        m->ui->lb_citace->setText(causes.join(QStringLiteral(", ")));
        QCoreApplication::processEvents();
        QCOMPARE(m->width(), width);
        QVERIFY(m->minimumSizeHint().width() <= width);
        m->move(30, 40);
        m->resize(700, 400);
        m->ui->gr_telegramy->horizontalHeader()->resizeSection(vx52::TelegramModel::What, 222);
        m->close();
        QVERIFY(windows.qdx01->Timer1->isActive()); // closing it stops nothing
        QCOMPARE(windows.link().ReadMeasurement(), std::uint8_t{0});
        QTRY_COMPARE_WITH_TIMEOUT(windows.telegrams().size(), std::size_t{352}, 2000); // and it goes on collecting
    }
    Run run(storeFile());
    vx52::AppWindows windows(run.services());
    windows.monitor->show();
    QCOMPARE(windows.monitor->size(), QSize(700, 400));
    QCOMPARE(windows.monitor->pos(), QPoint(30, 40));
    QCOMPARE(windows.monitor->ui->gr_telegramy->horizontalHeader()->sectionSize(
                 vx52::TelegramModel::What),
             222);
}

int main(int argc, char** argv) {
    qputenv("LC_ALL", "cs_CZ.UTF-8");
    qputenv("LANG", "cs_CZ.UTF-8");
    QApplication app(argc, argv);
    TestAppWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_windows.moc"
