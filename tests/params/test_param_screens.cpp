// The editor (three cards) and the two dialogs at their designed client areas: every caption
// fits its control and no controls overlap. Their pictures go into the build tree as well,
// for a look by eye.

#include "app/windows.h"
#include "czech_main.h"
#include "editor_rig.h"
#include "fixtures/layout_check.h"
#include "params/Unitmenumod.h"
#include "params/about_ident.h"
#include "params/load_form.h"

#include <QDir>
#include <QMenuBar>
#include <QTabWidget>

using namespace vx52;
using namespace vx52::test;

class TestParamScreens : public QObject {
    Q_OBJECT

    static QString save(QWidget& w, const QString& name) {
        QDir().mkpath(SCREENSHOT_DIR);
        const QString path = QString(SCREENSHOT_DIR) + '/' + name;
        const QPixmap picture = w.grab();
        return picture.save(path) ? path : QString();
    }

private slots:
    void initTestCase() {
        Q_INIT_RESOURCE(resources);
        installFontSubstitutes();
    }

    void editorCards() {
        EditorRig rig;
        Tmenu_mod editor(rig.ctx);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.worker.busy(), 20000); // its first read
        // The longest status line, shown with the cards: nothing of the window lies over it.
        editor.setIdentification(Tmenu_mod::kRegulatorServed, {});
        editor.forgetSources();
        rig.prompts.answers = {Prompts::Answer::No};
        editor.findChild<QPushButton*>("Button2")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.worker.busy(), 20000);
        rig.prompts.clear();
        const int menu = editor.findChild<QMenuBar*>("MainMenu1")->height();
        QCOMPARE(editor.size(), QSize(654, 442 + menu));
        // The card buttons and the progress bar lie over the card area's lower edge.
        const QList<QPair<QString, QString>> designed{{"PageControl", "tl_cteni"},
                                                      {"PageControl", "tl_zapis"},
                                                      {"PageControl", "bar_load"}};
        for (int card = 0; card < editor.pageControl()->count(); ++card) {
            editor.pageControl()->setCurrentIndex(card);
            const QStringList faults = layoutFaults(&editor, designed);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        }
        editor.pageControl()->setCurrentIndex(0);
        QVERIFY(!save(editor, "editor_comp.png").isEmpty());
        editor.pageControl()->setCurrentIndex(1);
        QVERIFY(!save(editor, "editor_alarm1.png").isEmpty());
        editor.pageControl()->setCurrentIndex(10);
        QVERIFY(!save(editor, "editor_ostat.png").isEmpty());
        QVERIFY(rig.prompts.asked.isEmpty());
    }

    void loadingDialog() {
        EditorRig rig;
        Tmenu_mod editor(rig.ctx);
        Tload_form loading(rig.ctx, editor);
        loading.show();
        loading.timer()->stop(); // the picture before the load starts
        loading.AdvanceBar(40);
        QCOMPARE(loading.size(), QSize(313, 140));
        VX52_VERIFY_LAYOUT(&loading);
        QVERIFY(!save(loading, "load_form.png").isEmpty());
    }

    void identificationDialog() {
        EditorRig rig;
        Tabout_ident ident(rig.ctx);
        ident.show();
        ident.timer()->stop();
        ident.ShowIdentification();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.worker.busy(), 20000);
        QCOMPARE(ident.size(), QSize(347, 183));
        VX52_VERIFY_LAYOUT(&ident);
        QVERIFY(!save(ident, "about_ident.png").isEmpty());
    }
};

VX52_CZECH_TEST_MAIN(TestParamScreens)
#include "test_param_screens.moc"
