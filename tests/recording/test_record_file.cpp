// The record buffer's lines and the recording file's bytes.
// Golden file: regenerate with  VX52_REGENERATE_GOLDEN=1
// build/<dir>/tests/recording/test_record_file

#include "app/record_buffer.h"
#include "app/record_file.h"
#include "link/failure.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using vx52::RecordBuffer;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray joined(const RecordBuffer& buffer) {
    QByteArray out;
    for (const auto piece : buffer.pieces())
        out.append(piece.data(), qsizetype(piece.size()));
    return out;
}

// A recording as a Czech system writes it: header, then two samples a second apart.
void fillSample(RecordBuffer& buffer) {
    buffer.append(vx52::recordHeader1(QStringLiteral("14.03.26"), QStringLiteral("10:00:00")));
    buffer.append(vx52::recordHeader2());
    buffer.append(vx52::recordHeader3());
    buffer.append(vx52::recordDataLine("21,5", "0,0", "100,0", "7,3", "10:00:01", "14.03.26"));
    buffer.append(vx52::recordDataLine("21,6", "-0,4", "99,9", "0", "10:00:02", "14.03.26"));
}

// Makes writes beyond `bytes` fail for this process, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        old_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, old_handler);
    }

private:
    rlimit saved{};
    void (*old_handler)(int) = nullptr;
};

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT

private slots:
    void linesSurviveBlockBoundaries();
    void codePageAndUnmappableCharacters();
    void fileBytesMatchGolden();
    void rewriteReplacesWholeFile();
    void failedWriteKeepsOldFileAndBuffer_data();
    void failedWriteKeepsOldFileAndBuffer();
};

void TestRecordFile::linesSurviveBlockBoundaries() {
    // Lines of varying length so that many of them straddle a block edge.
    RecordBuffer buffer;
    QStringList expected;
    QByteArray expectedBytes;
    qsizetype i = 0;
    while (expectedBytes.size() < qsizetype(2 * RecordBuffer::kBlockSize + 1000)) {
        const QString line = QStringLiteral("řádek %1 ").arg(i) + QString(int(i % 37), u'x');
        buffer.append(line);
        expected << line;
        QStringEncoder enc("windows-1250");
        expectedBytes += QByteArray(enc.encode(line)) + "\r\n";
        ++i;
    }
    QCOMPARE(buffer.count(), std::size_t(expected.size()));
    QCOMPARE(buffer.byteSize(), std::uint64_t(expectedBytes.size()));
    QCOMPARE(joined(buffer), expectedBytes);
    for (qsizetype k = 0; k < expected.size(); ++k) {
        if (buffer.line(std::size_t(k)) != expected[k])
            QFAIL(qPrintable(QStringLiteral("line %1 reads \"%2\"").arg(k).arg(buffer.line(k))));
    }
    // The blocks are filled before a new one is taken: memory follows the bytes.
    QVERIFY(buffer.memoryBytes() < std::size_t(expectedBytes.size()) + RecordBuffer::kBlockSize +
                                       buffer.count() * 16 + 4096);
}

void TestRecordFile::codePageAndUnmappableCharacters() {
    RecordBuffer buffer;
    buffer.append(QStringLiteral("Začátek měření – €"));
    buffer.append(QStringLiteral("čas 中 x"));
    QCOMPARE(joined(buffer), QByteArray("Za\xe8\xe1tek m\xec\xf8\x65n\xed \x96 \x80\r\n"
                                        "\xe8\x61s ? x\r\n"));
    QCOMPARE(buffer.line(0), QStringLiteral("Začátek měření – €"));
    QCOMPARE(buffer.line(1), QStringLiteral("čas ? x"));
}

void TestRecordFile::fileBytesMatchGolden() {
    RecordBuffer buffer;
    fillSample(buffer);
    const QString golden = QStringLiteral(VX52_GOLDEN_DIR "/record_cz.txt");
    if (qEnvironmentVariableIsSet("VX52_REGENERATE_GOLDEN")) vx52::writeRecordFile(golden, buffer);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Záznam QDX72_4xxx.TXT"));
    vx52::writeRecordFile(path, buffer);
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes, readAll(golden));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 5);
    QCOMPARE(bytes.count('\n'), 5); // no bare line feeds
    QVERIFY(bytes.contains("Za\xe8\xe1tek m\xec\xf8\x65n\xed"));
}

void TestRecordFile::rewriteReplacesWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.txt"));
    writeBytes(path, QByteArray(10000, 'z')); // longer than what follows: nothing may remain
    RecordBuffer buffer;
    fillSample(buffer);
    vx52::writeRecordFile(path, buffer);
    QCOMPARE(readAll(path), joined(buffer));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"rec.txt"});
}

void TestRecordFile::failedWriteKeepsOldFileAndBuffer_data() {
    QTest::addColumn<QString>("cause");
    QTest::newRow("disk full") << "full";
    // The last bytes wait in the file's buffer until the commit: that flush must fail too.
    QTest::newRow("disk full, small file") << "full-small";
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("read-only folder") << "readonly";
}

void TestRecordFile::failedWriteKeepsOldFileAndBuffer() {
    QFETCH(QString, cause);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("rec.txt"));
    const QByteArray old = "previous recording\r\n";
    writeBytes(path, old);

    RecordBuffer buffer;
    fillSample(buffer);
    const int lines = cause == "full-small" ? 20 : 3000;
    for (int i = 0; i < lines; ++i)
        buffer.append(QStringLiteral("1,0; 2,0; 3,0; 4,0; 10:00:00;   14.03.26"));
    const QByteArray before = joined(buffer);

    QString text;
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (cause == "full") limit = std::make_unique<FileSizeLimit>(4096);
        if (cause == "full-small") limit = std::make_unique<FileSizeLimit>(100);
        if (cause == "missing") path = dir.filePath(QStringLiteral("gone/rec.txt"));
        if (cause == "readonly") {
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QFile probe(dir.filePath(QStringLiteral("probe")));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
                QSKIP("this user writes into read-only folders (root)");
            }
        }
        try {
            vx52::writeRecordFile(path, buffer);
        } catch (const vx52::Failure& failure) {
            text = QString::fromStdString(failure.text());
        }
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY2(!text.isEmpty(), "the write reported success");
    QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
    QVERIFY2(!text.endsWith(QStringLiteral(": ")), qPrintable(text)); // the reason is given
    QCOMPARE(readAll(dir.filePath(QStringLiteral("rec.txt"))), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"rec.txt"});
    QCOMPARE(joined(buffer), before);
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
