// The parameter file in the editor window, under Czech regional settings: the "Soubor" menu,
// Save and Open through the real cards, ParamSet and the failure display.
#include "fixtures/memory_store.h"
#include "fixtures/fake_time.h"
#include "fixtures/scripted_prompts.h"
#include "link/com_line.h"
#include "link/link.h"
#include "params/Unitmenumod.h"
#include "params/ini_file.h"
#include "params/param_file.h"
#include "ui/app_context.h"
#include "ui/settings_store.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vx52;
using vx52::test::ScriptedPrompts;

namespace {

// Neither command touches the line; any use of it fails the test.
class NoLine : public ComLine {
public:
    int uses = 0;
    void OpenLine(int) override { ++uses; }
    void CloseLine() override { ++uses; }
    void ApplyLineSettings() override { ++uses; }
    bool isOpen() const override { return false; }
    bool write(std::span<const std::uint8_t>) override { return ++uses, false; }
    ReadResult read(std::span<std::uint8_t>) override { return ++uses, ReadResult{}; }
    void purgeReceive() override { ++uses; }
    void purgeTransmit() override { ++uses; }
};

struct Context {
    Link link;
    NoLine line;
    vx52::test::MemoryStore settings;
    ScriptedPrompts prompts;
    test::FakeClock clock;
    test::RecordingPause pause;
    LineWorker worker{link, line, pause};
    AppContext ctx{link, line, settings, prompts, clock, pause, worker};
};

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A value for every field of the twelve cards that shows and reads back exactly.
void fillParams(ParamSet& p) {
    p.COMP.SP = -12.5f;
    p.ALARM1 = {10.25f, 0.5f, 3, 1, 1};
    p.ALARM2 = {-4.75f, 2.0f, 2, 0, 1};
    p.SENS1 = {0, 2, -50.0f, 1200.0f, 4};
    p.SENS2 = {1, 0, 0.0f, 20.5f, 3};
    p.SENS3 = {2, 1, 4.0f, 9999.5f, 2};
    p.SENS4 = {1, 1, -1.25f, 300.0f, 1};
    p.PID = {2.5f, 180.0f, 30.75f};
    p.REGO = {1, 90, -3, 1};
    p.DACO = {5, 3};
    p.OSTAT = {3, -4.0f, 3.5f, 1234, -321, 15};
    p.ADD.ADRESA = 17;
}

} // namespace

class TestParamFileMenu : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Context> c;
    std::unique_ptr<Tmenu_mod> editor;

    QString path(const QString& name = QStringLiteral("p.ini")) const { return dir.filePath(name); }
    ParamSet& params() { return c->link.params(); }
    QLineEdit* edit(const char* name) { return editor->findChild<QLineEdit*>(name); }
    QComboBox* list(const char* name) { return editor->findChild<QComboBox*>(name); }
    QAction* action(const QString& text) {
        for (QAction* a : editor->findChildren<QAction*>())
            if (a->text() == text) return a;
        return nullptr;
    }
    void save(const QString& p) {
        c->prompts.paths.push_back(p);
        action(QStringLiteral("Uložit..."))->trigger();
    }
    void open(const QString& p) {
        c->prompts.paths.push_back(p);
        action(QStringLiteral("Otevřít..."))->trigger();
    }
    // What every card shows, each card shown afresh from ParamSet.
    QStringList shownCards() {
        QStringList out;
        for (int card = 0; card < 12; ++card)
            editor->ShowCard(card);
        for (const FileEntry& e : fileEntries()) {
            if (e.kind == EntryKind::Index)
                out << QString::number(list(e.control)->currentIndex());
            else if (e.control)
                out << edit(e.control)->text();
        }
        return out;
    }

private slots:
    void initTestCase() { QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(",")); }

    void init() {
        editor.reset();
        c = std::make_unique<Context>();
        editor = std::make_unique<Tmenu_mod>(c->ctx);
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(path());
    }

    void cleanup() { QCOMPARE(c->line.uses, 0); }

    // The file's entries name the editor's controls, of the right kind and list length.
    void entriesNameTheEditorsControls() {
        QCOMPARE(fileEntries().size(), std::size_t{48});
        for (const FileEntry& e : fileEntries()) {
            if (!e.control) continue;
            if (e.kind == EntryKind::Index) {
                QVERIFY2(list(e.control), e.control);
                QCOMPARE(list(e.control)->count(), e.listSize);
            } else {
                QVERIFY2(edit(e.control), e.control);
            }
        }
    }

    void menuSouborHoldsOpenAndSave() {
        auto* bar = editor->findChild<QMenuBar*>();
        QVERIFY(bar);
        const auto menus = bar->findChildren<QMenu*>();
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus[0]->title(), QStringLiteral("Soubor"));
        QStringList texts;
        for (QAction* a : menus[0]->actions())
            texts << a->text();
        // Separators have no text.
        QCOMPARE(texts, QStringList({"Otevřít...", "Uložit...", "", "Porovnat s regulátorem",
                                     "Porovnat se souborem…", "", "Tisk protokolu…",
                                     "Uložit protokol jako PDF…"}));

        open(QString());
        save(QString());
        QCOMPARE(c->prompts.asked.size(), 2);
        QCOMPARE(c->prompts.asked[0].kind, QStringLiteral("open"));
        QCOMPARE(c->prompts.asked[0].dialog.filter,
                 QStringLiteral("Parametry regulátoru [*.ini] (*.ini)"));
        QCOMPARE(c->prompts.asked[1].kind, QStringLiteral("save"));
        QCOMPARE(c->prompts.asked[1].dialog.filter,
                 QStringLiteral("Parametry regulátoru[*.ini] (*.ini)"));
        QVERIFY(c->prompts.asked[1].dialog.confirmOverwrite);
    }

    void saveThenOpenGivesBackEveryCard() {
        fillParams(params());
        const ParamSet saved = params();
        const QStringList shown = shownCards();
        save(path("round.ini"));
        const IniFile ini(path("round.ini"));
        QCOMPARE(ini.readString("COMP", "SP", {}), QStringLiteral("-12,50"));
        QCOMPARE(ini.readString("OSTAT", "PASS2", {}), QStringLiteral("-321"));

        init();
        open(path("round.ini"));
        QVERIFY(c->prompts.texts().join(QString()).isEmpty());
        QCOMPARE(params(), saved);
        QCOMPARE(shownCards(), shown);
    }

    void cancelledSaveStillRefreshesEveryCard() {
        edit("ed_sp")->setText("999");
        edit("ed_pb")->setText("typed");
        params().COMP.SP = 2.5f;
        params().PID.PB = 7.0f;
        save(QString());
        QCOMPARE(edit("ed_sp")->text(), QStringLiteral("2,50"));
        QCOMPARE(edit("ed_pb")->text(), QStringLiteral("7,00"));
        QVERIFY(!QFile::exists(path()));
    }

    void missingFeedAndTypeChooseNone() {
        writeAll(path(), "[REGO]\r\nTYP=1\r\n[SENS1]\r\nDP=2\r\n");
        open(path());
        QCOMPARE(list("cb_feed")->currentIndex(), -1);
        QCOMPARE(list("cb_sens1")->currentIndex(), -1);
        QCOMPARE(params().REGO.FEED, 255);
        QCOMPARE(params().SENS1.TYPE, 255);
        QCOMPARE(params().SENS1.DP, 2);

        save(path());
        const IniFile ini(path());
        QCOMPARE(ini.readString("REGO", "FEED", {}), QStringLiteral("-1"));
        QCOMPARE(ini.readString("SENS1", "TYPE", {}), QStringLiteral("-1"));
        QCOMPARE(ini.readString("REGO", "TYP", {}), QStringLiteral("1"));
    }

    // Opened values keep every digit, a decimal point reads like the comma, the cards show
    // them at once and know they came from the file; Save writes them back exactly.
    void openedValuesKeepEveryDigit() {
        writeAll(path(), "\xEF\xBB\xBF[ALARM1]\r\nHYST=1\r\n[PID]\r\nTD=0.005\r\nPB=2.5\r\n"
                         "[OSTAT]\r\nCON1=0,125\r\n[SENS2]\r\nENDS=123456\r\n");
        open(path());
        QCOMPARE(c->prompts.asked.size(), 1); // the dialog only
        QCOMPARE(edit("ed_hyst1")->text(), QStringLiteral("1,00"));
        QCOMPARE(params().PID.TD, 0.005f);
        QCOMPARE(params().PID.PB, 2.5f);
        QCOMPARE(params().OSTAT.CON1, 0.125f);
        QCOMPARE(params().SENS2.ENDS, 123456.0f);
        QCOMPARE(edit("ed_td")->text(), QStringLiteral("0,005"));
        for (int card = 0; card < 12; ++card)
            QCOMPARE(editor->cardSource(card), CardSource::File);

        // Turning through every card changes nothing that was not edited.
        for (int card : {7, 10, 4, 1, 0})
            editor->pageControl()->setCurrentIndex(card);
        QCOMPARE(params().OSTAT.CON1, 0.125f);
        QCOMPARE(params().SENS2.ENDS, 123456.0f);
        QCOMPARE(editor->cardSource(10), CardSource::File);

        save(path("back.ini"));
        const IniFile ini(path("back.ini"));
        QCOMPARE(ini.readString("PID", "TD", {}), QStringLiteral("0,005"));
        QCOMPARE(ini.readString("OSTAT", "CON1", {}), QStringLiteral("0,125"));
        QCOMPARE(ini.readString("SENS2", "ENDS", {}), QStringLiteral("123456,00"));
        QCOMPARE(ini.readString("ALARM1", "HYST", {}), QStringLiteral("1,00"));
    }

    // Entries that cannot be taken are named in one message for the file; their cards keep
    // what they held, and the later cards are loaded.
    void refusedEntriesInOneMessage() {
        writeAll(path(), "[SENS3]\r\nSTRS=abc\r\nENDS=50,5\r\n[SENS4]\r\nENDS=55\r\n"
                         "[DACO]\r\nAIN=4\r\n[OSTAT]\r\nPASS2=77\r\nCON1=9\r\n"
                         "[ADD]\r\nADRESA=7\r\n");
        params().SENS3.STRS = 3.0f;
        params().SENS3.ENDS = 30.0f;
        params().OSTAT.PASS2 = 5;
        open(path());
        QCOMPARE(c->prompts.asked.size(), 2);
        const auto& box = c->prompts.asked[1];
        QCOMPARE(box.caption, QStringLiteral("INI SOUBOR"));
        QCOMPARE(box.icon, Prompts::Icon::Warning);
        QVERIFY2(box.text.endsWith(
                     "\n[SENS3] STRS=abc: Je nutné zadávat pouze čísla nebo desetinnou čárku"
                     "\n[OSTAT] CON1=9: Hodnota musí ležet v rozsahu -4 až +4"),
                 qPrintable(box.text));
        QCOMPARE(params().SENS3.STRS, 3.0f);
        QCOMPARE(params().SENS3.ENDS, 30.0f);
        QCOMPARE(edit("ed_strs3")->text(), QStringLiteral("3,00"));
        QCOMPARE(params().OSTAT.PASS2, 5);
        QCOMPARE(editor->cardSource(5), CardSource::Nothing);
        QCOMPARE(editor->cardSource(10), CardSource::Nothing);
        QCOMPARE(params().SENS4.ENDS, 55.0f);
        QCOMPARE(params().DACO.AIN, 4);
        QCOMPARE(params().ADD.ADRESA, 7);
        QCOMPARE(editor->cardSource(11), CardSource::File);
    }

    void missingFileChangesNothing() {
        fillParams(params());
        const ParamSet before = params();
        open(path("does-not-exist.ini"));
        QCOMPARE(c->prompts.asked.size(), 2);
        QCOMPARE(c->prompts.asked[1].text,
                 QStringLiteral("INI soubor %1 neexistuje")
                     .arg(QDir::toNativeSeparators(path("does-not-exist.ini"))));
        QCOMPARE(c->prompts.asked[1].caption, QStringLiteral("INI SOUBOR"));
        QCOMPARE(params(), before);
        QVERIFY(!QFile::exists(path("does-not-exist.ini")));
    }

    void versionMismatchLoadsNothing() {
        writeAll(path(), "[IDENT]\r\nVERSION=QDX72_4x\r\n[COMP]\r\nSP=5\r\n");
        fillParams(params());
        const ParamSet before = params();
        edit("ed_sp")->setText("typed");
        open(path());
        QCOMPARE(params(), before);
        QCOMPARE(edit("ed_sp")->text(), QStringLiteral("typed"));
        QCOMPARE(c->prompts.asked.last().caption, QStringLiteral("INI SOUBOR"));
    }

    // The failure display shows the text; Save stops and the file stays as it was.
    void readOnlyFileBringsTheFailureDisplay() {
        writeAll(path(), "[COMP]\r\nSP=1,00\r\n");
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner));
        save(path());
        QCOMPARE(c->prompts.asked.size(), 2);
        QCOMPARE(c->prompts.asked[1].text, QStringLiteral("Unable to write to ") + path() + '.');
        QCOMPARE(c->prompts.asked[1].caption, QStringLiteral("VX-52"));
        QCOMPARE(c->prompts.asked[1].icon, Prompts::Icon::Error);
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[COMP]\r\nSP=1,00\r\n"));
    }

    // The hidden buttons run the same handlers as the menu.
    void hiddenButtonsRunTheSameCommands() {
        auto* openButton = editor->findChild<QPushButton*>("tl_otevrit");
        auto* saveButton = editor->findChild<QPushButton*>("tl_ulozit");
        QVERIFY(openButton && saveButton);
        QVERIFY(openButton->isHidden() && saveButton->isHidden());
        openButton->click();
        saveButton->click();
        QCOMPARE(c->prompts.asked.size(), 2);
        QCOMPARE(c->prompts.asked[0].kind, QStringLiteral("open"));
        QCOMPARE(c->prompts.asked[1].kind, QStringLiteral("save"));
    }
};

int main(int argc, char** argv) {
    // The editor's numbers follow the regional settings; these tests are written for Czech ones.
    qputenv("LC_ALL", "cs_CZ.UTF-8");
    qputenv("LANG", "cs_CZ.UTF-8");
    QApplication app(argc, argv);
    TestParamFileMenu test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_param_file_menu.moc"
