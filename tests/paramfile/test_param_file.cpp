// Save and Open of the parameter file against stand-in cards: real edit boxes and lists,
// with ShowCard/TakeCard recorded instead of moving ParamSet.
//
// Golden files: tests/paramfile/golden/. To regenerate after an intended change, run
//   VX52_REGENERATE_GOLDEN=1 build/<dir>/tests/paramfile/test_param_file
// and review `git diff tests/paramfile/golden`.
#include "fixtures/scripted_prompts.h"
#include "link/failure.h"
#include "params/ini_file.h"
#include "params/param_file.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace vx52;
using vx52::test::ScriptedPrompts;

namespace {

// One edit box or list per entry, under one widget; the card calls are logged.
class StandInCards : public WidgetCards {
public:
    explicit StandInCards(QWidget& root) : WidgetCards(root) {
        for (const FileEntry& e : fileEntries()) {
            if (!e.control) continue;
            QWidget* w = nullptr;
            if (e.kind == EntryKind::Index) {
                auto* list = new QComboBox(&root);
                for (int i = 0; i < e.listSize; ++i)
                    list->addItem(QString::number(i));
                list->setCurrentIndex(-1);
                w = list;
            } else {
                w = new QLineEdit(&root);
            }
            w->setObjectName(QString::fromLatin1(e.control));
        }
    }

    QStringList log;
    int refusingCard = -1;
    std::function<void(const char*)> onRead; // runs as Save reads a control

    int pageCount() const override { return 12; }
    void ShowCard(int card) override { log << QStringLiteral("show %1").arg(card); }
    std::vector<RefusedEntry> loadCard(int card) override {
        // What the card's controls hold when it is taken.
        QStringList held;
        const char* first = nullptr;
        for (const FileEntry& e : fileEntries())
            if (e.card == card) {
                held << (e.kind == EntryKind::Index ? QString::number(listIndex(e.control))
                                                    : entryText(e.control));
                if (!first && e.kind != EntryKind::Index) first = e.control;
            }
        log << QStringLiteral("take %1: %2").arg(card).arg(held.join(' '));
        if (card != refusingCard) return {};
        return {{first, QStringLiteral("refused")}};
    }
    QString entryText(const char* control) const override {
        if (onRead) onRead(control);
        return WidgetCards::entryText(control);
    }
    int listIndex(const char* control) const override {
        if (onRead) onRead(control);
        return WidgetCards::listIndex(control);
    }

    // Every control a distinct value: decimals "1,5", "2,5", ..., whole ones "3"; lists their
    // last item.
    void fillDistinct() {
        int k = 1;
        for (const FileEntry& e : fileEntries()) {
            if (e.kind == EntryKind::Index)
                setListIndex(e.control, e.listSize - 1);
            else if (e.kind == EntryKind::Whole)
                setEntryText(e.control, QString::number(k++));
            else if (e.control)
                setEntryText(e.control, QStringLiteral("%1,5").arg(k++));
        }
    }
    QStringList state() const {
        QStringList out;
        for (const FileEntry& e : fileEntries()) {
            if (!e.control) continue;
            out << QString::fromLatin1(e.control) + '=' +
                       (e.kind == EntryKind::Index ? QString::number(listIndex(e.control))
                                                   : entryText(e.control));
        }
        return out;
    }
};

// Notes in the cards' log when a file dialog is shown.
class LoggingPrompts : public ScriptedPrompts {
public:
    QStringList* log = nullptr;
    QString saveFile(QWidget* parent, const FileDialog& d) override {
        if (log) *log << QStringLiteral("save dialog");
        return ScriptedPrompts::saveFile(parent, d);
    }
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString golden(const QString& name) {
    return QStringLiteral(GOLDEN_DIR "/") + name;
}

void compareGolden(const QByteArray& actual, const QString& name) {
    if (qEnvironmentVariableIsSet("VX52_REGENERATE_GOLDEN")) writeAll(golden(name), actual);
    QCOMPARE(actual, readAll(golden(name)));
}

QString failureOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Failure& failure) {
        return QString::fromStdString(failure.text());
    }
    return {};
}

} // namespace

class TestParamFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<QWidget> root;
    std::unique_ptr<StandInCards> cards;
    LoggingPrompts prompts;
    Prompts::FileDialog dl_save, dl_open;

    QString path(const QString& name = QStringLiteral("p.ini")) const { return dir.filePath(name); }
    void save(const QString& p) {
        prompts.paths.push_back(p);
        saveParamFile(*cards, prompts, root.get(), dl_save);
    }
    void open(const QString& p) {
        prompts.paths.push_back(p);
        openParamFile(*cards, prompts, root.get(), dl_open);
    }
    QStringList takes() const { return cards->log.filter(QStringLiteral("take")); }

private slots:
    void init() {
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(path());
        root = std::make_unique<QWidget>();
        cards = std::make_unique<StandInCards>(*root);
        prompts = LoggingPrompts();
        prompts.log = &cards->log;
        dl_save = saveDialog();
        dl_open = openDialog();
    }

    void dialogs() {
        QCOMPARE(dl_save.filter, QStringLiteral("Parametry regulátoru[*.ini] (*.ini)"));
        QCOMPARE(dl_open.filter, QStringLiteral("Parametry regulátoru [*.ini] (*.ini)"));
#ifdef Q_OS_WIN
        const QString extension = QStringLiteral("INI");
#else
        const QString extension = QStringLiteral("ini"); // as the other files of the system
#endif
        QCOMPARE(dl_save.defaultSuffix, extension);
        QCOMPARE(dl_open.defaultSuffix, extension);
        QVERIFY(dl_save.confirmOverwrite);
        QVERIFY(!dl_open.confirmOverwrite);

        // Each offers "QDX72-4xxx" first, then the name last chosen in it; a cancel keeps it.
        save(path("a.ini"));
        save(QString());
        open(QString());
        open(path("b.ini"));
        QCOMPARE(prompts.asked.size(), 5); // b.ini does not exist: refused, but remembered
        QCOMPARE(prompts.asked[0].dialog.initialName, QStringLiteral("QDX72-4xxx"));
        QCOMPARE(prompts.asked[1].dialog.initialName, path("a.ini"));
        QCOMPARE(prompts.asked[2].dialog.initialName, QStringLiteral("QDX72-4xxx"));
        QCOMPARE(dl_open.initialName, path("b.ini"));
        QCOMPARE(dl_save.initialName, path("a.ini"));
    }

    void saveRefreshesEveryCardFirst_data() {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("saved") << path();
        QTest::newRow("cancelled") << QString();
    }

    void saveRefreshesEveryCardFirst() {
        QFETCH(QString, chosen);
        save(chosen);
        QCOMPARE(cards->log,
                 QStringList({"show 0", "show 1", "show 2", "show 3", "show 4", "show 5", "show 6",
                              "show 7", "show 8", "show 9", "show 10", "show 11", "save dialog"}));
        QCOMPARE(QFile::exists(path()), !chosen.isEmpty());
    }

    void newFileGolden() {
        cards->fillDistinct();
        cards->setListIndex("cb_feed", -1);
        save(path());
        compareGolden(readAll(path()), QStringLiteral("new_file.ini"));
    }

    // Saving over a parameter file replaces the 48 entries; comments, other sections and
    // keys, the keys' spelling and the LF line ends stay.
    void saveOverAnExistingFileGolden() {
        QFile::copy(golden("over_before.ini"), path());
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        cards->fillDistinct();
        save(path());
        compareGolden(readAll(path()), QStringLiteral("over_after.ini"));
    }

    void saveThenOpenGivesBackEveryControl() {
        cards->fillDistinct();
        cards->setListIndex("cb_sens2", -1);
        const QStringList before = cards->state();
        save(path("round.ini"));

        init();
        open(path("round.ini"));
        QCOMPARE(cards->state(), before);
        QVERIFY(prompts.texts().filter(QStringLiteral("INI")).isEmpty());
    }

    void versionCheck_data() {
        QTest::addColumn<QByteArray>("ident");
        QTest::addColumn<bool>("loads");
        QTest::newRow("exact") << QByteArray("[IDENT]\r\nVERSION=QDX72_4x [V.1.0]\r\n") << true;
        QTest::newRow("more after it")
            << QByteArray("[IDENT]\r\nVERSION=QDX72_4x [V.1.0]xyz\r\n") << true;
        QTest::newRow("lower case")
            << QByteArray("[IDENT]\r\nVERSION=qdx72_4x [v.1.0]\r\n") << false;
        QTest::newRow("first eight characters")
            << QByteArray("[IDENT]\r\nVERSION=QDX72_4x\r\n") << false;
        QTest::newRow("empty value") << QByteArray("[IDENT]\r\nVERSION=\r\n") << false;
        QTest::newRow("other version")
            << QByteArray("[IDENT]\r\nVERSION=QDX72_4x [V.2.0]\r\n") << false;
        QTest::newRow("no IDENT section") << QByteArray() << true;
        QTest::newRow("IDENT without VERSION") << QByteArray("[IDENT]\r\nX=1\r\n") << true;
        QTest::newRow("names in other case")
            << QByteArray("[ident]\r\nversion=QDX72_4x [V.1.0]\r\n") << true;
    }

    void versionCheck() {
        QFETCH(QByteArray, ident);
        QFETCH(bool, loads);
        writeAll(path(), ident + "[COMP]\r\nSP=7,25\r\n");
        cards->setEntryText("ed_sp", "old");
        open(path());
        QCOMPARE(cards->entryText("ed_sp"), loads ? QStringLiteral("7,25") : QStringLiteral("old"));
        QCOMPARE(takes().size(), loads ? 12 : 0);
        const auto boxes = prompts.asked.size() - 1; // after the open dialog
        QCOMPARE(boxes, loads ? 0 : 1);
        if (!loads) {
            const auto& box = prompts.asked.last();
            QCOMPARE(box.text, QStringLiteral("INI soubor není typu QDX 72-4xxx [V.1.0]"));
            QCOMPARE(box.caption, QStringLiteral("INI SOUBOR"));
            QCOMPARE(box.icon, Prompts::Icon::Error);
            QCOMPARE(box.buttons, Prompts::Buttons::Ok);
        }
    }

    // Cards are taken in the file's section order, each after all its entries were put in,
    // and a card that refuses an entry does not stop the later ones.
    void openTakesCardsInFileOrder() {
        writeAll(path(), "[SENS3]\r\nSTRS=abc\r\n[ADD]\r\nADRESA=9\r\n");
        cards->refusingCard = 5;
        open(path());
        // One message for the file, naming the entry its card refused.
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked[1].caption, QStringLiteral("INI SOUBOR"));
        QVERIFY2(prompts.asked[1].text.endsWith(QStringLiteral("\n[SENS3] STRS=abc: refused")),
                 qPrintable(prompts.asked[1].text));
        QCOMPARE(takes(), QStringList({"take 0: 0", "take 1: 0 0 0 0 1", "take 2: 0 0 0 0 1",
                                       "take 7: 1 100 1", "take 8: 0 -1 60 2",
                                       "take 3: 0 100 -1 1 1", "take 4: 0 100 -1 1 1",
                                       "take 5: abc 100 -1 1 1", "take 6: 0 100 -1 1 1",
                                       "take 9: 0 0", "take 10: 0 0 0 0 0 0", "take 11: 9"}));
    }

    void indexEntries_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("chosen");
        QTest::newRow("in the list") << QByteArray("4") << 4;
        QTest::newRow("last of the list") << QByteArray("5") << 5;
        QTest::newRow("beyond the list") << QByteArray("6") << -1;
        QTest::newRow("minus one") << QByteArray("-1") << -1;
        QTest::newRow("not a whole number, default 0") << QByteArray("2,0") << 0;
        QTest::newRow("letters, default 0") << QByteArray("x") << 0;
    }

    void indexEntries() {
        QFETCH(QByteArray, value);
        QFETCH(int, chosen);
        writeAll(path(), "[DACO]\r\nAIN=" + value + "\r\n");
        open(path());
        QCOMPARE(cards->listIndex("cb_ain"), chosen);
    }

    void saveOverReadOnlyFileFails() {
        writeAll(path(), "[COMP]\r\nSP=1\r\n");
        QFile::setPermissions(path(), QFileDevice::ReadOwner);
        prompts.paths.push_back(path());
        QCOMPARE(failureOf([&] { saveParamFile(*cards, prompts, root.get(), dl_save); }),
                 QStringLiteral("Unable to write to ") + path());
        QCOMPARE(readAll(path()), QByteArray("[COMP]\r\nSP=1\r\n"));
    }

    // A Save that fails part-way leaves the file as it was.
    void failurePartWayLeavesTheOldFile() {
        writeAll(path(), "[REGO]\r\nDSER=5\r\n");
        cards->fillDistinct();
        cards->onRead = [this](const char* control) {
            if (qstrcmp(control, "ed_dser") == 0)
                QFile::setPermissions(path(), QFileDevice::ReadOwner);
        };
        prompts.paths.push_back(path());
        QCOMPARE(failureOf([&] { saveParamFile(*cards, prompts, root.get(), dl_save); }),
                 QStringLiteral("Unable to write to ") + path());
        QCOMPARE(readAll(path()), QByteArray("[REGO]\r\nDSER=5\r\n"));
    }

    // Killed at any moment, a Save leaves the old file or the new one, never a mix.
    void killedSaveLeavesOldOrNew() {
#ifndef Q_OS_UNIX
        QSKIP("fork and kill are a Unix matter");
#else
        const QByteArray old = "; kept\r\n[OTHER]\r\nK=v\r\n";
        cards->fillDistinct();
        writeAll(path(), old);
        save(path());
        const QByteArray saved = readAll(path());
        QVERIFY(saved.startsWith(old) && saved.size() > old.size());
        int seenOld = 0, seenNew = 0;
        for (int attempt = 0; attempt < 20; ++attempt) {
            writeAll(path(), old);
            const pid_t child = fork();
            if (child == 0) {
                prompts.paths.push_back(path());
                saveParamFile(*cards, prompts, nullptr, dl_save);
                _exit(0);
            }
            QVERIFY(child > 0);
            usleep(static_cast<useconds_t>(attempt * 8000)); // 0 to 152 ms into the Save
            ::kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            const QByteArray after = readAll(path());
            QVERIFY2(after == old || after == saved, after.constData());
            (after == old ? seenOld : seenNew)++;
        }
        qInfo("killed Saves: %d left the old file, %d the new one", seenOld, seenNew);
#endif
    }

    // Save replaces the file in one step: another name of the old file (a hard link) keeps the
    // old contents, as a replacement leaves it; rewritten in place, it would show the new ones.
    void saveReplacesTheFileWhole() {
#ifndef Q_OS_UNIX
        QSKIP("hard links are a Unix matter here");
#else
        const QByteArray old = "[OTHER]\r\nK=v\r\n";
        writeAll(path(), old);
        QCOMPARE(::link(QFile::encodeName(path()).constData(),
                        QFile::encodeName(path("second-name.ini")).constData()),
                 0);
        cards->fillDistinct();
        save(path());
        QCOMPARE(readAll(path("second-name.ini")), old);
        const QByteArray saved = readAll(path());
        QVERIFY(saved.startsWith(old));
        QVERIFY(saved.contains("[COMP]\r\nSP=1,5\r\n"));
#endif
    }

    // A target Save cannot read is refused: replacing it by the 48 entries alone would drop
    // everything else it holds.
    void saveRefusesATargetItCannotRead() {
        {
            QFile f(path());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[OTHER]\r\nK=v\r\n");
            QVERIFY(f.resize(IniFile::kMaxFileSize + 1)); // sparse: no disk space used
        }
        cards->fillDistinct();
        prompts.paths.push_back(path());
        QCOMPARE(failureOf([&] { saveParamFile(*cards, prompts, root.get(), dl_save); }),
                 QStringLiteral("Unable to write to ") + path());
        QCOMPARE(QFileInfo(path()).size(), IniFile::kMaxFileSize + 1);
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(14), QByteArray("[OTHER]\r\nK=v\r\n"));
    }

    // Through a symbolic link Save writes the file the link names, and the link stays.
    void saveThroughALinkWritesItsTarget() {
        QDir(dir.path()).mkpath("elsewhere");
        const QString target = path("elsewhere/real.ini");
        writeAll(target, "[OTHER]\r\nK=v\r\n");
        QVERIFY(QFile::link(target, path("link.ini")));
        cards->fillDistinct();
        save(path("link.ini"));
        QVERIFY(QFileInfo(path("link.ini")).isSymLink());
        QCOMPARE(QFileInfo(path("link.ini")).symLinkTarget(), target);
        const QByteArray saved = readAll(target);
        QVERIFY(saved.startsWith("[OTHER]\r\nK=v\r\n"));
        QVERIFY(saved.contains("SP=1,5"));
    }

    // Refused as a whole: a missing name, a file that cannot be read, or one holding none of
    // the parameter sections. One message in the manner of the version message; no card changes.
    void refusedFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing" << "neexistuje";
        QTest::newRow("empty") << "empty" << "neobsahuje parametry";
        QTest::newRow("binary") << "binary" << "neobsahuje parametry";
        QTest::newRow("only other sections") << "other" << "neobsahuje parametry";
        QTest::newRow("over 64 MB") << "large" << "nelze přečíst";
        QTest::newRow("a folder") << "folder" << "nelze přečíst";
        QTest::newRow("a fifo") << "fifo" << "nelze přečíst";
    }
    void refusedFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const QString p = path(kind + ".ini");
        if (kind == "empty") writeAll(p, {});
        if (kind == "binary") writeAll(p, QByteArray("\x00\x9f[\x01\xff=\x02\r\n\x80", 11));
        if (kind == "other") writeAll(p, "[IDENT]\r\nVERSION=QDX72_4x [V.1.0]\r\n[X]\r\nA=1\r\n");
        if (kind == "large") {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[COMP]\r\nSP=1\r\n");
            QVERIFY(f.resize(IniFile::kMaxFileSize + 1)); // sparse: no disk space used
        }
        if (kind == "folder") QVERIFY(QDir(dir.path()).mkdir(kind + ".ini"));
#ifdef Q_OS_UNIX
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
#endif
        cards->setEntryText("ed_sp", "old");
        open(p);
        QVERIFY(takes().isEmpty());
        QCOMPARE(cards->entryText("ed_sp"), QStringLiteral("old"));
        QCOMPARE(prompts.asked.size(), 2);
        const auto& box = prompts.asked[1];
        QVERIFY2(box.text.contains(message), qPrintable(box.text));
        QCOMPARE(box.caption, QStringLiteral("INI SOUBOR"));
        QCOMPARE(box.icon, Prompts::Icon::Error);
    }
};

QTEST_MAIN(TestParamFile)
#include "test_param_file.moc"
