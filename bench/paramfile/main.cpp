// Times the INI file object: a read of one entry, a write of one entry and the 48 writes of
// a Save, on a parameter file and on large or odd files. Prints one table (milliseconds).
#include "params/ini_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

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

    std::printf("%-24s %12s %12s %14s\n", "file", "read [ms]", "write [ms]", "48 writes [ms]");
    for (const Case& c : cases) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(c.bytes);
        f.close();
        IniFile ini(path);
        const double read = timed([&] { ini.readString("OSTAT", "PASS2", "0"); });
        const double write = timed([&] { ini.writeString("OSTAT", "PASS2", "1234"); });
        const double save = timed([&] {
            for (int i = 0; i < 48; ++i)
                ini.writeString("SEC" + QString::number(i % 12), "K" + QString::number(i), "1,00");
        });
        std::printf("%-24s %12.2f %12.2f %14.1f\n", c.name, read, write, save);
    }
    std::printf("each write replaces the file and syncs it to disk before the rename\n");
    return 0;
}
