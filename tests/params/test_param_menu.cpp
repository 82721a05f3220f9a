// The main window's "&Parametry regulátoru" and "&Identifikace": the timer paused and the
// line open around the dialogs, the loading dialog before the editor, and a line that cannot
// be opened.

#include "app/Unit_hl.h"
#include "app/windows.h"
#include "app/dialogs/Unitport.h"
#include "czech_main.h"
#include "editor_rig.h"
#include "params/Unitmenumod.h"
#include "params/about_ident.h"
#include "params/load_form.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vx52;
using namespace vx52::test;

namespace {

// Watches the dialogs while a menu command runs: notes each dialog as it appears with the
// state of the timer, the line and the menu item, and closes the ones that wait for the
// operator once `ready` says so.
class DialogWatch {
public:
    struct Seen {
        QString dialog;
        bool timerActive;
        bool lineOpen;
        bool menuEnabled;
    };
    std::vector<Seen> seen;
    std::function<bool(QDialog*)> ready = [](QDialog*) { return true; };

    DialogWatch(AppWindows& w, LoopbackLine& line) : w_(w), line_(line) {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
        poll_.start();
    }

private:
    void look() {
        for (QDialog* d : {static_cast<QDialog*>(w_.load_form), static_cast<QDialog*>(w_.menu_mod),
                           static_cast<QDialog*>(w_.about_ident)}) {
            if (!d->isVisible()) continue;
            if (seen.empty() || seen.back().dialog != d->objectName())
                seen.push_back({d->objectName(), w_.qdx01->Timer1->isActive(), line_.isOpen(),
                                w_.qdx01->findChild<QAction*>("mn_parametry")->isEnabled()});
            if (d != w_.load_form && ready(d)) d->reject();
        }
    }
    AppWindows& w_;
    LoopbackLine& line_;
    QTimer poll_;
};

} // namespace

class TestParamMenu : public QObject {
    Q_OBJECT

    struct Rig {
        LoopbackLine line;
        MemoryStore settings;
        ScriptedPrompts prompts;
        FakeClock clock;
        RecordingPause pause;
        std::unique_ptr<AppWindows> windows;
        Rig() {
            line.setComNumber(1);
            windows = std::make_unique<AppWindows>(Services{settings, line, prompts, clock, pause});
            windows->link().SetDeviceAddress(1);
        }
    };

    static void menu(AppWindows& w, const char* item) {
        w.qdx01->findChild<QAction*>(item)->trigger();
    }
    // The menu command is over: the line is closed again, the timer goes on if it went.
    static void over(Rig& rig) {
        QTRY_VERIFY_WITH_TIMEOUT(!rig.windows->worker().busy() &&
                                     rig.windows->qdx01->findChild<QAction*>("mn_parametry")
                                         ->isEnabled(),
                                 20000);
    }

private slots:
    void parametersLoadThenEdit() {
        Rig rig;
        auto& w = *rig.windows;
        rig.line.regulator().tables().COMP.SP = 12.5f;
        QVERIFY(w.qdx01->Timer1->isActive());
        DialogWatch watch(w, rig.line);
        menu(w, "mn_parametry");
        menu(w, "mn_parametry"); // a second click before the dialogs came starts nothing
        QTRY_COMPARE_WITH_TIMEOUT(watch.seen.size(), 2u, 20000);
        over(rig);

        QCOMPARE(watch.seen[0].dialog, QStringLiteral("load_form"));
        QCOMPARE(watch.seen[1].dialog, QStringLiteral("menu_mod"));
        for (const auto& s : watch.seen) {
            QVERIFY(!s.timerActive);
            QVERIFY(s.lineOpen);
            QVERIFY(!s.menuEnabled);
        }
        QCOMPARE(rig.line.opened, std::vector<int>{1});
        QCOMPARE(rig.line.closes, 1);
        QVERIFY(!rig.line.isOpen());
        QVERIFY(w.qdx01->Timer1->isActive());
        QCOMPARE(w.link().params().COMP.SP, 12.5f);
        QVERIFY(rig.prompts.asked.isEmpty());
    }

    void stoppedTimerStaysStopped() {
        Rig rig;
        auto& w = *rig.windows;
        w.qdx01->Timer1->stop();
        DialogWatch watch(w, rig.line);
        menu(w, "mn_parametry");
        QTRY_COMPARE_WITH_TIMEOUT(watch.seen.size(), 2u, 20000);
        over(rig);
        QVERIFY(!w.qdx01->Timer1->isActive());
    }

    void lineThatCannotOpenShowsNoDialog() {
        Rig rig;
        auto& w = *rig.windows;
        w.port->findChild<QComboBox*>(QStringLiteral("cb_com"))->setCurrentIndex(5);
        DialogWatch watch(w, rig.line);
        menu(w, "mn_parametry");
        over(rig);
        menu(w, "mn_ident");
        over(rig);
        QVERIFY(watch.seen.empty());
        // A failed open leaves the line on "žádný port", so the second attempt says that no
        // port is chosen, and where to choose one.
        QCOMPARE(rig.prompts.texts(), (QStringList{"Sériový port COM5 nelze otevřít.",
                                                   QString::fromUtf8(kNoPortChosenText) + "."}));
        QVERIFY(w.qdx01->Timer1->isActive());
        QCOMPARE(rig.line.closes, 0);
    }

    // The program closes while the editor is open: nothing that is gone is touched.
    void closedWithTheEditorOpen() {
        Rig rig;
        auto& w = *rig.windows;
        menu(w, "mn_parametry");
        QTRY_VERIFY_WITH_TIMEOUT(w.menu_mod->isVisible() && !w.worker().busy(), 20000);
        rig.windows.reset();
    }

    void identificationAlone() {
        Rig rig;
        auto& w = *rig.windows;
        auto* label = w.about_ident->findChild<QLabel*>("lb_zarizeni");
        DialogWatch watch(w, rig.line);
        watch.ready = [label](QDialog*) { return label->text() == QStringLiteral("QDX 72-4xxx"); };
        menu(w, "mn_ident");
        QTRY_COMPARE_WITH_TIMEOUT(watch.seen.size(), 1u, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.about_ident->isVisible(), 20000);
        over(rig);
        QCOMPARE(watch.seen[0].dialog, QStringLiteral("about_ident"));
        QVERIFY(!watch.seen[0].timerActive);
        QVERIFY(watch.seen[0].lineOpen);
        QCOMPARE(rig.line.closes, 1);
        QVERIFY(w.qdx01->Timer1->isActive());
    }
};

VX52_CZECH_TEST_MAIN(TestParamMenu)
#include "test_param_menu.moc"
