// The INI file object: lookups, in-place writes that keep every other byte, Windows-1250,
// atomic replacement and its failures, and files that are not INI files at all.
#include "link/failure.h"
#include "params/ini_file.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using vx52::Failure;
using vx52::IniFile;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString failureOf(IniFile& ini, const QString& section, const QString& key, const QString& value) {
    try {
        ini.writeString(section, key, value);
    } catch (const Failure& f) {
        return QString::fromStdString(f.text());
    }
    return {};
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name = QStringLiteral("p.ini")) const { return dir.filePath(name); }

private slots:
    void init() {
        QVERIFY(dir.isValid());
        QDir d(dir.path());
        for (const QString& f : d.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            QFile::setPermissions(d.filePath(f), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            d.remove(f);
        }
    }

    void readString_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QString def = QStringLiteral("<def>");
        static const char kJunk[] = "\x00\xff\x81[\r\n[A]\r\nK=a\x00z\r\n\x01\x02";
        QTest::newRow("plain") << QByteArray("[COMP]\r\nSP=12,50\r\n") << "COMP"
                               << "SP"
                               << "12,50";
        QTest::newRow("UTF-8 byte-order mark before the first section")
            << QByteArray("\xEF\xBB\xBF[COMP]\r\nSP=3\r\n") << "COMP"
            << "SP"
            << "3";
        QTest::newRow("case of names ignored") << QByteArray("[comp]\r\nsp=1\r\n") << "COMP"
                                               << "Sp"
                                               << "1";
        QTest::newRow("blanks around names and value")
            << QByteArray("  [ COMP ]  \r\n\t SP \t=  7 8 \t\r\n") << "COMP"
            << "SP"
            << "7 8";
        QTest::newRow("one pair of quotes stripped")
            << QByteArray("[A]\r\nK=\"x y\"\r\nL='z'\r\n") << "A"
            << "K"
            << "x y";
        QTest::newRow("unmatched quote kept") << QByteArray("[A]\r\nK=\"x\r\n") << "A"
                                              << "K"
                                              << "\"x";
        QTest::newRow("empty value is not missing") << QByteArray("[A]\r\nK=\r\n") << "A"
                                                    << "K"
                                                    << "";
        QTest::newRow("missing key") << QByteArray("[A]\r\nK=1\r\n") << "A"
                                     << "X" << def;
        QTest::newRow("missing section") << QByteArray("[A]\r\nK=1\r\n") << "B"
                                         << "K" << def;
        QTest::newRow("key of another section") << QByteArray("[A]\r\n[B]\r\nK=1\r\n") << "A"
                                                << "K" << def;
        QTest::newRow("key before any section") << QByteArray("K=1\r\n[A]\r\n") << "A"
                                                << "K" << def;
        QTest::newRow("commented entry") << QByteArray("[A]\r\n;K=1\r\n") << "A"
                                         << "K" << def;
        QTest::newRow("first of duplicate keys") << QByteArray("[A]\r\nK=1\r\nK=2\r\n") << "A"
                                                 << "K"
                                                 << "1";
        QTest::newRow("first of duplicate sections")
            << QByteArray("[A]\r\nK=1\r\n[A]\r\nK=2\r\nL=3\r\n") << "A"
            << "K"
            << "1";
        QTest::newRow("second duplicate section unseen")
            << QByteArray("[A]\r\nK=1\r\n[A]\r\nL=3\r\n") << "A"
            << "L" << def;
        QTest::newRow("LF line ends") << QByteArray("[A]\nK=1\nL=2\n") << "A"
                                      << "L"
                                      << "2";
        QTest::newRow("lone CR line ends") << QByteArray("[A]\rK=1\rL=2") << "A"
                                           << "L"
                                           << "2";
        QTest::newRow("no final line end") << QByteArray("[A]\r\nK=last") << "A"
                                           << "K"
                                           << "last";
        QTest::newRow("unclosed bracket heads nothing") << QByteArray("[A]\r\n[B\r\nK=1\r\n") << "A"
                                                        << "K"
                                                        << "1";
        QTest::newRow("value with '=' and ']'")
            << QByteArray("[IDENT]\r\nVERSION=QDX72_4x [V.1.0]=\r\n") << "IDENT"
            << "VERSION"
            << "QDX72_4x [V.1.0]=";
        QTest::newRow("Windows-1250 value")
            << QByteArray("[A]\r\nK=\x9e\x6c\x75\x9d\x6f\x75\xe8\x6b\xfd\r\n") << "A"
            << "K" << QStringLiteral("žluťoučký");
        QTest::newRow("Windows-1250 names, case ignored")
            << QByteArray("[\xc8\xc1ST]\r\n\xd8\xc1\x44=1\r\n") << QStringLiteral("část")
            << QStringLiteral("řád") << "1";
        QTest::newRow("NUL and junk around") << QByteArray(kJunk, sizeof kJunk - 1) << "A"
                                             << "K" << QString::fromLatin1("a\0z", 3);
    }

    void readString() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        writeAll(path(), file);
        QCOMPARE(IniFile(path()).readString(section, key, QStringLiteral("<def>")), expected);
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("whole") << QByteArray("60") << 60;
        QTest::newRow("minus one") << QByteArray("-1") << -1;
        QTest::newRow("plus sign") << QByteArray("+5") << 5;
        QTest::newRow("blanks") << QByteArray("  3  ") << 3;
        QTest::newRow("decimal comma") << QByteArray("1,5") << 77;
        QTest::newRow("decimal point") << QByteArray("1.0") << 77;
        QTest::newRow("trailing letters") << QByteArray("12abc") << 77;
        QTest::newRow("letters") << QByteArray("abc") << 77;
        QTest::newRow("empty") << QByteArray("") << 77;
        QTest::newRow("beyond int") << QByteArray("99999999999") << 77;
        QTest::newRow("hex") << QByteArray("0x10") << 77;
    }

    void readInteger() {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        writeAll(path(), "[A]\r\nK=" + value + "\r\n");
        QCOMPARE(IniFile(path()).readInteger("A", "K", 77), expected);
    }

    void missingOrUnusableFileReadsDefaults() {
        QCOMPARE(IniFile(path("none.ini")).readString("A", "K", "d"), QStringLiteral("d"));
        QCOMPARE(IniFile(path("none.ini")).readInteger("A", "K", 4), 4);
        QCOMPARE(IniFile(dir.path()).readString("A", "K", "d"), QStringLiteral("d"));
        QCOMPARE(IniFile(QString()).readInteger("A", "K", 3), 3);
    }

    // Opening a fifo would wait for a writer for ever.
    void fifoNeitherHangsNorIsReplaced() {
#ifndef Q_OS_UNIX
        QSKIP("fifos are a Unix matter");
#else
        const QByteArray fifo = QFile::encodeName(path("fifo.ini"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        IniFile ini(path("fifo.ini"));
        QCOMPARE(ini.readString("A", "K", "d"), QStringLiteral("d"));
        QCOMPARE(failureOf(ini, "A", "K", "v"), QStringLiteral("Unable to write to ") + ini.path());
        struct stat st {};
        QVERIFY(::stat(fifo.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
#endif
    }

    void newFileLayout() {
        IniFile ini(path());
        ini.writeString("IDENT", "VERSION", "QDX72_4x [V.1.0]");
        ini.writeString("COMP", "SP", "0,00");
        ini.writeInteger("ALARM1", "RALA", 1);
        ini.writeInteger("ALARM1", "RELE", -1);
        ini.writeString("ALARM1", "SPLO", "2,00");
        QCOMPARE(readAll(path()), QByteArray("[IDENT]\r\nVERSION=QDX72_4x [V.1.0]\r\n"
                                             "[COMP]\r\nSP=0,00\r\n"
                                             "[ALARM1]\r\nRALA=1\r\nRELE=-1\r\nSPLO=2,00\r\n"));
    }

    // Only the entry written changes; comments, blank lines, unknown keys, the key's own
    // spelling and the file's LF line ends stay as they were.
    void writeChangesOneLineInPlace() {
        const QByteArray before = "; saved by hand\n\n[comp]\n  sp = 1,00  ; old\nX=y\n\n"
                                  "[OTHER]\nSP=keep\n";
        writeAll(path(), before);
        IniFile(path()).writeString("COMP", "SP", "2,50");
        QCOMPARE(readAll(path()), QByteArray("; saved by hand\n\n[comp]\n  sp = 2,50\nX=y\n\n"
                                             "[OTHER]\nSP=keep\n"));
    }

    // A byte-order mark stays in front; the section after it is found and written in place.
    void writeKeepsTheByteOrderMark() {
        writeAll(path(), "\xEF\xBB\xBF[COMP]\r\nSP=1\r\n");
        IniFile(path()).writeString("COMP", "SP", "2");
        QCOMPARE(readAll(path()), QByteArray("\xEF\xBB\xBF[COMP]\r\nSP=2\r\n"));
    }

    void writeAddsKeyAtEndOfItsSection_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("before a blank line and the next section")
            << QByteArray("[A]\r\nK=1\r\n\r\n[B]\r\nN=2\r\n")
            << QByteArray("[A]\r\nK=1\r\nNEW=v\r\n\r\n[B]\r\nN=2\r\n");
        QTest::newRow("above a comment on the next section")
            << QByteArray("[A]\r\nK=1\r\n; B: sensors\r\n[B]\r\n")
            << QByteArray("[A]\r\nK=1\r\nNEW=v\r\n; B: sensors\r\n[B]\r\n");
        QTest::newRow("empty section")
            << QByteArray("[A]\n[B]\n") << QByteArray("[A]\nNEW=v\r\n[B]\n");
        QTest::newRow("last section without final line end")
            << QByteArray("[B]\r\n[A]\r\nK=1") << QByteArray("[B]\r\n[A]\r\nK=1\r\nNEW=v\r\n");
        QTest::newRow("first of duplicate sections")
            << QByteArray("[A]\r\nK=1\r\n[A]\r\n") << QByteArray("[A]\r\nK=1\r\nNEW=v\r\n[A]\r\n");
        QTest::newRow("new section after text without line end")
            << QByteArray("[B]\r\nK=1") << QByteArray("[B]\r\nK=1\r\n[A]\r\nNEW=v\r\n");
        QTest::newRow("new section after junk ending in CR")
            << QByteArray("\x01\x02\r") << QByteArray("\x01\x02\r[A]\r\nNEW=v\r\n");
    }

    void writeAddsKeyAtEndOfItsSection() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        writeAll(path(), before);
        IniFile(path()).writeString("A", "NEW", "v");
        QCOMPARE(readAll(path()), after);
    }

    // A write changes the entry a read sees, also among duplicates.
    void writeThenReadAgree() {
        writeAll(path(), "[A]\r\nK=1\r\nK=2\r\n[a]\r\nK=3\r\nL=4\r\n");
        IniFile ini(path());
        ini.writeString("a", "k", "new");
        ini.writeString("A", "L", "five");
        QCOMPARE(ini.readString("A", "K", "d"), QStringLiteral("new"));
        QCOMPARE(ini.readString("A", "L", "d"), QStringLiteral("five"));
        QCOMPARE(readAll(path()),
                 QByteArray("[A]\r\nK=new\r\nK=2\r\nL=five\r\n[a]\r\nK=3\r\nL=4\r\n"));
    }

    void valuesTravelAsWindows1250() {
        IniFile ini(path());
        ini.writeString(QStringLiteral("Č"), "K", QStringLiteral("žluťoučký kůň"));
        QCOMPARE(readAll(path()), QByteArray("[\xc8]\r\nK=\x9elu\x9dou\xe8k\xfd k\xf9\xf2\r\n"));
        QCOMPARE(ini.readString(QStringLiteral("č"), "k", {}), QStringLiteral("žluťoučký kůň"));
    }

    void lineBreakInValueKeepsOneLine() {
        IniFile ini(path());
        ini.writeString("A", "K", "one\r\ntwo\nthree");
        ini.writeString("A", "L", "x");
        QCOMPARE(readAll(path()), QByteArray("[A]\r\nK=one  two three\r\nL=x\r\n"));
    }

    // Each write is on disk when it returns: another reader of the path sees it at once.
    void eachWriteReachesTheFile() {
        IniFile ini(path());
        ini.writeString("A", "K", "1");
        QCOMPARE(IniFile(path()).readString("A", "K", {}), QStringLiteral("1"));
        ini.writeString("A", "K", "2");
        QCOMPARE(readAll(path()), QByteArray("[A]\r\nK=2\r\n"));
    }

    void failedWritesLeaveTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("read-only file") << "ro.ini";
        QTest::newRow("missing folder") << "nofolder/p.ini";
        QTest::newRow("a folder") << "sub";
        QTest::newRow("empty path") << "";
    }

    void failedWritesLeaveTheFile() {
        QFETCH(QString, name);
        const QString p = name.isEmpty() ? QString() : path(name);
        const QByteArray before = "[A]\r\nK=1\r\n";
        writeAll(path("ro.ini"), before);
        QVERIFY(
            QFile::setPermissions(path("ro.ini"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        QDir(dir.path()).mkpath("sub");

        IniFile ini(p);
        QCOMPARE(failureOf(ini, "A", "K", "2"), QStringLiteral("Unable to write to ") + p);
        QCOMPARE(readAll(path("ro.ini")), before);
        QVERIFY(QFileInfo(path("sub")).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ro.ini"});
        QDir(dir.path()).rmdir("sub");
    }

    void replacementKeepsPermissionsAndLinks() {
        writeAll(path("real.ini"), "[A]\r\nK=1\r\n");
        const auto perms =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path("real.ini"), perms));
        QVERIFY(QFile::link(path("real.ini"), path("link.ini")));

        IniFile(path("link.ini")).writeString("A", "K", "2");
        QVERIFY(QFileInfo(path("link.ini")).isSymLink());
        QCOMPARE(readAll(path("real.ini")), QByteArray("[A]\r\nK=2\r\n"));
        QCOMPARE(QFile::permissions(path("real.ini")) & 0x7077, perms & 0x7077);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    // Files that are not INI files: nothing crashes or hangs, and a write keeps every byte
    // that was there.
    void junkFiles_data() {
        QTest::addColumn<QByteArray>("junk");
        auto* rng = QRandomGenerator::global();
        QByteArray random(256 * 1024, Qt::Uninitialized);
        for (char& c : random)
            c = static_cast<char>(rng->bounded(256));
        QTest::newRow("binary junk") << random;

        QByteArray big;
        big.reserve(10 * 1024 * 1024 + 64);
        for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
            big +=
                "[S" + QByteArray::number(i % 97) + "]\r\nKEY" + QByteArray::number(i) + "=x\r\n";
        QTest::newRow("10 MB of sections") << big;

        QTest::newRow("very long lines, no line end")
            << QByteArray(4 * 1024 * 1024, '[') + "\r\n" + QByteArray(4 * 1024 * 1024, '=');
        QByteArray dups;
        for (int i = 0; i < 50000; ++i)
            dups += "[A]\nK=dup\n";
        QTest::newRow("duplicate sections and keys") << dups;
    }

    void junkFiles() {
        QFETCH(QByteArray, junk);
        writeAll(path(), junk);
        IniFile ini(path());
        QCOMPARE(ini.readString("ZZ", "K", "d"), QStringLiteral("d"));
        ini.writeString("ZZ", "K", "v");
        ini.writeInteger("ZZ", "N", 5);
        const QByteArray after = readAll(path());
        QVERIFY(after.startsWith(junk));
        QCOMPARE(ini.readString("zz", "k", "d"), QStringLiteral("v"));
        QCOMPARE(ini.readInteger("ZZ", "N", 0), 5);
    }

    void tooLargeFileIsNotTouched() {
        {
            QFile f(path());
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("[A]\r\nK=1\r\n") > 0);
            QVERIFY(f.resize(IniFile::kMaxFileSize + 1));
        }
        IniFile ini(path());
        QCOMPARE(ini.readString("A", "K", "d"), QStringLiteral("d"));
        QCOMPARE(failureOf(ini, "A", "K", "2"), QStringLiteral("Unable to write to ") + path());
        QCOMPARE(QFileInfo(path()).size(), IniFile::kMaxFileSize + 1);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
