// Pictures of the editor (two cards) and of the two dialogs, saved into the build tree for
// a look by eye; the sizes are the designed client areas.

#include "app/windows.h"
#include "czech_main.h"
#include "editor_rig.h"
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
        const int menu = editor.findChild<QMenuBar*>("MainMenu1")->height();
        QCOMPARE(editor.size(), QSize(654, 442 + menu));
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
        QVERIFY(!save(loading, "load_form.png").isEmpty());
    }

    void identificationDialog() {
        EditorRig rig;
        Tabout_ident ident(rig.ctx);
        ident.show();
        ident.timer()->stop();
        ident.ShowIdentification();
        QCOMPARE(ident.size(), QSize(347, 183));
        QVERIFY(!save(ident, "about_ident.png").isEmpty());
    }
};

VX52_CZECH_TEST_MAIN(TestParamScreens)
#include "test_param_screens.moc"
