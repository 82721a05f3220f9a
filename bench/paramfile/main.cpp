// Times the INI file object: a read of one entry, a write of one entry, and a Save's 48
// entries written one by one (each replacing the file, as Save once did) or applied in memory
// and written with one replacement (as Save does now), on a parameter file and on large or
// odd files. Prints two tables (milliseconds).
#include "params/ini_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using vx52::IniFile;

namespace {

QByteArray parameterFile() {
    QByteArray out = "[IDENT]\r\nVERSION=QDX72_4x [V.1.0]\r\n";
    const char* sections[] = {"COMP",  "ALARM1", "ALARM2", "PID",  "REGO",  "SENS1",
                              "SENS2", "SENS3",  "SENS4",  "DACO", "OSTAT", "ADD"};
    for (const char* s : sections) {
        out += QByteArray("[") + s + "]\r\n";
        for (int k = 0; k < 4; ++k)
            out += "KEY" + QByteArray::number(k) + "=12,50\r\n";
    }
    return out;
}

QByteArray manySections(qsizetype size) {
    QByteArray out;
    out.reserve(size + 64);
    for (int i = 0; out.size() < size; ++i)
        out += "[S" + QByteArray::number(i % 97) + "]\r\nKEY" + QByteArray::number(i) + "=x\r\n";
    return out;
}

QByteArray junk(qsizetype size) {
    QByteArray out(size, Qt::Uninitialized);
    for (char& c : out)
        c = static_cast<char>(QRandomGenerator::global()->bounded(256));
    return out;
}

// The 48 entries of a Save: twelve sections of four keys.
void entriesOneByOne(IniFile& ini) {
    for (int i = 0; i < 48; ++i)
        ini.writeString("SEC" + QString::number(i % 12), "K" + QString::number(i), "1,00");
}

void entriesAtOnce(const QString& path) {
    QByteArray bytes;
    vx52::loadIniFile(path, bytes);
    vx52::IniText text(bytes);
    for (int i = 0; i < 48; ++i)
        text.writeString("SEC" + QString::number(i % 12), "K" + QString::number(i), "1,00");
    vx52::replaceIniFile(path, text.bytes());
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

double timed(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.ini");

    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"parameter file (1 KB)", parameterFile()},   {"sections, 1 MB", manySections(1 << 20)},
        {"sections, 10 MB", manySections(10 << 20)},  {"binary junk, 10 MB", junk(10 << 20)},
        {"one line, 8 MB", QByteArray(8 << 20, 'x')},
    };

    std::printf("%-24s %10s %11s %17s %17s\n", "file", "read [ms]", "write [ms]",
                "48 one by one", "48 at once");
    for (const Case& c : cases) {
        writeFile(path, c.bytes);
        IniFile ini(path);
        const double read = timed([&] { ini.readString("OSTAT", "PASS2", "0"); });
        const double write = timed([&] { ini.writeString("OSTAT", "PASS2", "1234"); });
        writeFile(path, c.bytes);
        const double oneByOne = timed([&] { entriesOneByOne(ini); });
        writeFile(path, c.bytes);
        const double atOnce = timed([&] { entriesAtOnce(path); });
        std::printf("%-24s %10.2f %11.2f %17.1f %17.1f\n", c.name, read, write, oneByOne, atOnce);
    }

    // A Save on a parameter file, repeated: the 48 replacements of before against one.
    constexpr int kRuns = 20;
    std::vector<double> before, after;
    for (int run = 0; run < kRuns; ++run) {
        writeFile(path, parameterFile());
        IniFile ini(path);
        before.push_back(timed([&] { entriesOneByOne(ini); }));
        writeFile(path, parameterFile());
        after.push_back(timed([&] { entriesAtOnce(path); }));
    }
    const auto row = [](const char* name, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        std::printf("%-40s %10.1f %10.1f %10.1f\n", name, v.front(), v[v.size() / 2], v.back());
    };
    std::printf("\n%-40s %10s %10s %10s\n", "Save of 48 entries, 20 runs [ms]", "min", "median",
                "max");
    row("one by one, 48 replacements (before)", before);
    row("applied at once, one replacement (now)", after);
    std::printf("every replacement syncs the file to disk before the rename\n");
    return 0;
}
