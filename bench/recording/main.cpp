// Appends a week of data lines (one a second) to the record buffer, then writes the file
// through the atomic replace and, in the same run, the same bytes with a plain write loop.
// Each write figure is the median of kWriteRuns runs. Prints a table and a summary line.
// Run a Release build:
//   cmake -S . -B build/rec-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build/rec-bench bench_recording && build/rec-bench/bench/recording/bench_recording

#include "app/record_buffer.h"
#include "app/record_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLines = 604800;
constexpr int kBatch = 10000;
constexpr int kWriteRuns = 11;

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The texts a Czech system gives: decimal comma, short date dd.MM.yy, long time H:mm:ss.
QString sampleLine(const QLocale& cz, const QDateTime& at, int i) {
    auto value = [&](double v) { return cz.toString(v, 'f', 1); };
    return vx52::recordDataLine(value(20.0 + (i % 97) * 0.1), value((i % 13) * 1.5),
                                value(100.0 + (i % 7)), value(7.3 * (i % 3)),
                                cz.toString(at.time(), QStringLiteral("H:mm:ss")),
                                cz.toString(at.date(), QStringLiteral("dd.MM.yy")));
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double plainWriteMs(const QString& path, const vx52::RecordBuffer& buffer) {
    QElapsedTimer timer;
    timer.start();
    std::FILE* f = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!f) return -1;
    for (const auto piece : buffer.pieces())
        std::fwrite(piece.data(), 1, piece.size(), f);
    std::fclose(f);
    return double(timer.nsecsElapsed()) / 1e6;
}

// The same replace without waiting for the disk, to show what that wait costs.
double unsyncedReplaceMs(const QString& path, const vx52::RecordBuffer& buffer) {
    QElapsedTimer timer;
    timer.start();
    QTemporaryFile temp(path + QStringLiteral(".XXXXXX"));
    if (!temp.open()) return -1;
    for (const auto piece : buffer.pieces())
        temp.write(piece.data(), qint64(piece.size()));
    temp.flush();
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(path).constData()) == 0)
        temp.setAutoRemove(false);
    return double(timer.nsecsElapsed()) / 1e6;
}

double recordWriteMs(const QString& path, const vx52::RecordBuffer& buffer) {
    QElapsedTimer timer;
    timer.start();
    vx52::writeRecordFile(path, buffer);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QLocale cz(QLocale::Czech, QLocale::CzechRepublic);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;

    const std::size_t heapBefore = heapInUse();
    vx52::RecordBuffer buffer;
    QDateTime at(QDate(2026, 3, 14), QTime(10, 0, 0));
    buffer.append(vx52::recordHeader1(cz.toString(at.date(), QStringLiteral("dd.MM.yy")),
                                      cz.toString(at.time(), QStringLiteral("H:mm:ss"))));
    buffer.append(vx52::recordHeader2());
    buffer.append(vx52::recordHeader3());
    const std::uint64_t headerBytes = buffer.byteSize();

    std::vector<double> appendNs;
    qint64 appendTotalNs = 0;
    std::vector<QString> batch;
    batch.reserve(kBatch);
    for (int done = 0; done < kLines;) {
        batch.clear();
        const int n = std::min(kBatch, kLines - done);
        for (int i = 0; i < n; ++i) {
            batch.push_back(sampleLine(cz, at, done + i));
            at = at.addSecs(1);
        }
        QElapsedTimer timer;
        timer.start();
        for (const QString& line : batch)
            buffer.append(line);
        const qint64 ns = timer.nsecsElapsed();
        appendTotalNs += ns;
        appendNs.push_back(double(ns) / n);
        done += n;
    }
    batch = {};
    const std::size_t heapAfter = heapInUse();

    const QString recordPath = dir.filePath(QStringLiteral("record.txt"));
    const QString plainPath = dir.filePath(QStringLiteral("plain.txt"));
    const QString unsyncedPath = dir.filePath(QStringLiteral("unsynced.txt"));
    std::vector<double> recordMs, plainMs, unsyncedMs;
    for (int run = 0; run < kWriteRuns; ++run) {
        plainMs.push_back(plainWriteMs(plainPath, buffer));
        recordMs.push_back(recordWriteMs(recordPath, buffer));
        unsyncedMs.push_back(unsyncedReplaceMs(unsyncedPath, buffer));
    }

    const double lines = double(buffer.count());
    const double encodedPerLine = double(buffer.byteSize() - headerBytes) / kLines;
    const double heapPerLine = double(heapAfter - heapBefore) / lines;
    const double ownPerLine = double(buffer.memoryBytes()) / lines;
    const double writeRatio = median(recordMs) / median(plainMs);

    std::printf("%-44s %14s\n", "measure", "value");
    std::printf("%-44s %14d\n", "data lines appended", kLines);
    std::printf("%-44s %14.1f\n", "append, ns per line (mean)", double(appendTotalNs) / kLines);
    std::printf("%-44s %14.1f\n", "append, ns per line (median of batches)", median(appendNs));
    std::printf("%-44s %14.1f\n", "append, ns per line (worst batch)",
                *std::max_element(appendNs.begin(), appendNs.end()));
    std::printf("%-44s %14llu\n", "file bytes", (unsigned long long)buffer.byteSize());
    std::printf("%-44s %14.2f\n", "write, atomic replace (disk sync), ms", median(recordMs));
    std::printf("%-44s %14.2f\n", "write, plain loop, ms", median(plainMs));
    std::printf("%-44s %14.2f\n", "write, replace without disk sync, ms", median(unsyncedMs));
    std::printf("%-44s %14.2f\n", "write ratio (atomic replace / plain loop)", writeRatio);
    std::printf("%-44s %14.2f\n", "encoded bytes per data line (with CR LF)", encodedPerLine);
    std::printf("%-44s %14.2f\n", "heap bytes per line (allocator)", heapPerLine);
    std::printf("%-44s %14.2f\n", "buffer bytes per line (own count)", ownPerLine);
    std::printf(
        "summary: lines=%d write_ratio=%.2f bytes_per_line=%.1f encoded_bytes_per_line=%.1f\n",
        kLines, writeRatio, std::max(heapPerLine, ownPerLine), encodedPerLine);
    return 0;
}
