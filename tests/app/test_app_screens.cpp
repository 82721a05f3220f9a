// The main window (fresh, and with values, relays, a trend, an outage and the longest link
// state) and the about box: every caption fits its control and no controls overlap. Their
// pictures are saved under the build tree's screenshots/ folder as well, to be looked at.
// Every window speaks the chosen language: English without a Czech word, Czech without an
// English one.

#include "app/Unit_hl.h"
#include "app/dialogs/Rotace_3d.h"
#include "app/dialogs/Rychlostzaznamu.h"
#include "app/dialogs/Unitport.h"
#include "app/dialogs/about_box.h"
#include "app/dialogs/adapter_list.h"
#include "app/dialogs/mqtt_dialog.h"
#include "app/monitor/monitor_window.h"
#include "app/monitor/telegram_store.h"
#include "app/overview/overview_window.h"
#include "app/record_buffer.h"
#include "app/trend_chart.h"
#include "app/windows.h"
#include "fixtures/layout_check.h"
#include "params/Unitmenumod.h"
#include "params/about_ident.h"
#include "params/load_form.h"
#include "publish/mqtt_publisher.h"
#include "publish/mqtt_settings.h"
#include "shell_rig.h"
#include "ui/color_value.h"
#include "ui/language.h"
#include "ui_Unit_hl.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

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
    void everyWindowSpeaksItsLanguage();

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

namespace {

// Every text a window can show, by where it shows: captions, titles, tool tips, list entries,
// column headings, menu entries, placeholders.
QMap<QString, QString> windowTexts(QWidget* window) {
    QMap<QString, QString> texts;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (w->window() != window) continue; // a dialog of its own, taken by itself
        // A helper control the form never shows carries its name as its caption.
        const auto add = [&texts, w](const QString& where, const QString& text) {
            if (!text.trimmed().isEmpty() && text != w->objectName()) texts.insert(where, text);
        };
        // Parents' names as well: the editor's cards repeat their controls' names.
        QString at = w->objectName();
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            at = p->objectName() + QLatin1Char('/') + at;
        at += QStringLiteral("#%1").arg(widgets.indexOf(w));
        add(at + QStringLiteral(".title"), w->isWindow() ? w->windowTitle() : QString());
        add(at + QStringLiteral(".tip"), w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w)) add(at, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) add(at, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) add(at, g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w))
            add(at + QStringLiteral(".hint"), e->placeholderText());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) {
                add(at + QStringLiteral("[%1]").arg(i), c->itemText(i));
                add(at + QStringLiteral("[%1].tip").arg(i),
                    c->itemData(i, Qt::ToolTipRole).toString());
            }
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(at + QStringLiteral("[%1]").arg(i), t->tabText(i));
        if (auto* t = qobject_cast<QTreeWidget*>(w))
            for (int i = 0; i < t->columnCount(); ++i)
                add(at + QStringLiteral(".head%1").arg(i), t->headerItem()->text(i));
        if (auto* t = qobject_cast<QTableView*>(w); t && t->model()) {
            const QAbstractItemModel* m = t->model();
            for (int c = 0; c < m->columnCount(); ++c) {
                add(at + QStringLiteral(".head%1").arg(c),
                    m->headerData(c, Qt::Horizontal).toString());
                for (int r = 0; r < m->rowCount(); ++r)
                    add(at + QStringLiteral("[%1,%2]").arg(r).arg(c),
                        m->index(r, c).data().toString());
            }
        }
        for (QAction* a : w->actions()) {
            add(at + QLatin1Char('/') + a->objectName(), a->text());
            add(at + QLatin1Char('/') + a->objectName() + QStringLiteral(".tip"),
                a->toolTip() == QString(a->text()).remove(QLatin1Char('&')) ? QString()
                                                                            : a->toolTip());
        }
        if (auto* m = qobject_cast<QMenu*>(w)) add(at + QStringLiteral(".menu"), m->title());
    }
    return texts;
}

// The windows that are translated whole, as the operator meets them; keys name the window.
QMap<QString, QString> translatedWindows(vx52::AppWindows& windows) {
    QMap<QString, QString> all;
    const auto take = [&all](const QString& name, QWidget* window) {
        const QMap<QString, QString> texts = windowTexts(window);
        for (auto it = texts.begin(); it != texts.end(); ++it)
            all.insert(name + QLatin1Char(':') + it.key(), it.value());
    };
    Tzarizeni* adapters = windows.port->zarizeni();
    adapters->setDeviceList([] { return std::vector<vx52::SerialDevice>{}; });
    adapters->prepare(3, QStringLiteral("/dev/ttyS2"));
    take(QStringLiteral("adapters"), adapters);
    take(QStringLiteral("chart settings"), windows.rotace3D);
    take(QStringLiteral("recording rate"), windows.form_zaznam);
    take(QStringLiteral("about"), windows.AboutBox);
    take(QStringLiteral("port"), windows.port);
    take(QStringLiteral("identification"), windows.about_ident);
    take(QStringLiteral("loading"), windows.load_form);
    take(QStringLiteral("editor"), windows.menu_mod);
    // The monitor with a reading, a silent station, a damaged reply and a late one.
    using Bytes = std::vector<std::uint8_t>;
    const Bytes request{0x68, 0x04, 0x04, 0x68, 0x01, 0x00, 0x6C, 0x03, 0x70, 0x16};
    const Bytes ack{0x10, 0x00, 0x01, 0x00, 0x01, 0x16};
    vx52::TelegramStore& telegrams = windows.telegrams();
    const std::int64_t at = QDateTime(QDate(2026, 3, 14), QTime(10, 0)).toMSecsSinceEpoch();
    telegrams.appendRequest(request, true, at);
    telegrams.appendReply({}, true, at + 556, std::chrono::milliseconds(556));
    telegrams.appendLate(ack, at + 600, std::chrono::milliseconds(600));
    telegrams.appendRequest(request, false, at + 700);
    windows.monitor->show();
    [&] { QTRY_COMPARE_WITH_TIMEOUT(windows.monitor->model->rowCount(), 4, 5000); }();
    take(QStringLiteral("monitor"), windows.monitor);
    windows.monitor->hide();
    take(QStringLiteral("mqtt"), windows.mqtt);
    take(QStringLiteral("overview"), windows.prehled); // with its two stations waiting
    take(QStringLiteral("main"), windows.qdx01);
    // The status bar's words for the broker, in every state, with readings waiting and dropped.
    using State = vx52::MqttPublisher::State;
    for (const State state : {State::Connecting, State::Connected, State::Unreachable,
                              State::LoginRefused, State::TlsFailed})
        all.insert(QStringLiteral("main:pa_mqtt/%1").arg(static_cast<int>(state)),
                   Tqdx01::mqttStateText({state, 2, 1, 0, {}}));
    return all;
}

void removeTranslators() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

} // namespace

void TestAppScreens::everyWindowSpeaksItsLanguage() {
    const auto windowsIn = [this](vx52::Language language) {
        removeTranslators();
        [&] { QVERIFY(vx52::installLanguage(*qApp, language)); }();
        LoggedStore settings(dir_.filePath(QStringLiteral("TevVx52-lang.conf")));
        settings.writeString(QStringLiteral("PREHLED"), QStringLiteral("STANICE"),
                             QStringLiteral("1, 5"));
        AbsentLine line;
        ScriptedPrompts prompts;
        FakeClock clock;
        RecordingPause pause;
        vx52::AppWindows windows({settings, line, prompts, clock, pause});
        return std::pair{translatedWindows(windows), vx52::recordHeader2() + vx52::recordHeader3()};
    };
    const auto [english, englishRecord] = windowsIn(vx52::Language::English);
    const auto [czech, czechRecord] = windowsIn(vx52::Language::Czech);
    removeTranslators();
    QCOMPARE(english.keys(), czech.keys());
    QCOMPARE(englishRecord, czechRecord); // the record file keeps its format

    // Codes, units and names read the same in both languages; "About" is the identification
    // dialog's caption as designed.
    const QStringList same{QStringLiteral("min."),        QStringLiteral("USB VID:PID"),
                           QStringLiteral("vx52.example.org"), QStringLiteral("VX-52"),
                           QStringLiteral("QDX 72-4xxx"), QStringLiteral("About"),
                           QStringLiteral("&Broker:"),    QStringLiteral("P&ort:"),
                           vx52::defaultMqttPrefix()};
    const QRegularExpression czechLetters(QStringLiteral("[ěščřžýáíéůúĚŠČŘŽÝÁÍÉŮÚ]"));
    const QRegularExpression word(QStringLiteral("[A-Za-z]*[a-z]{2}[a-z]*"));
    QStringList faults;
    for (auto it = english.begin(); it != english.end(); ++it) {
        const QString& cs = czech.value(it.key());
        if (it.value().contains(czechLetters))
            faults << QStringLiteral("Czech in English: %1 = \"%2\"").arg(it.key(), it.value());
        else if (it.value() == cs && cs.contains(word) && !same.contains(cs) &&
                 !cs.startsWith(QLatin1Char('/'))) // a device path
            faults << QStringLiteral("not translated: %1 = \"%2\"").arg(it.key(), cs);
    }
    for (const QString& fault : faults) qWarning().noquote() << fault; // all, not cut short
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QVERIFY(english.size() > 50);
}

int main(int argc, char** argv) {
    qputenv("LC_ALL", "cs_CZ.UTF-8");
    qputenv("LANG", "cs_CZ.UTF-8");
    QApplication app(argc, argv);
    TestAppScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_screens.moc"
