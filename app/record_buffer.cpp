#include "app/record_buffer.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace vx52 {

QString recordHeader1(const QString& date, const QString& time) {
    return QStringLiteral("Začátek měření na regulátoru QDX 72-4xxx   ") + date +
           QStringLiteral("     ") + time;
}

QString recordHeader2() {
    return QStringLiteral("Naměřené hodnoty okruh 1; okruh 2; okruh 3; okruh 4;čas; datum");
}

QString recordHeader3() {
    return QString(65, QLatin1Char('-'));
}

QString recordDataLine(const QString& value1, const QString& value2, const QString& value3,
                       const QString& value4, const QString& time, const QString& date) {
    const QString sep = QStringLiteral("; ");
    return value1 + sep + value2 + sep + value3 + sep + value4 + sep + time +
           QStringLiteral(";   ") + date;
}

void RecordBuffer::clear() {
    blocks.clear();
    line_ends.clear();
    line_ends.shrink_to_fit();
    total = 0;
}

void RecordBuffer::append(const QString& line) {
    QByteArray bytes = encoder.encode(line);
    // The converter substitutes SUB for what the code page lacks; a text file wants '?'.
    bytes.replace('\x1a', '?');
    appendEncoded(std::span<const char>(bytes.constData(), std::size_t(bytes.size())));
}

void RecordBuffer::appendEncoded(std::span<const char> bytes) {
    static constexpr char kCrLf[2] = {'\r', '\n'};
    put(bytes);
    put(kCrLf);
    line_ends.push_back(total);
}

void RecordBuffer::put(std::span<const char> bytes) {
    while (!bytes.empty()) {
        const std::size_t used = std::size_t(total % kBlockSize);
        if (used == 0 && total / kBlockSize == blocks.size())
            blocks.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
        const std::size_t n = std::min(bytes.size(), kBlockSize - used);
        std::memcpy(blocks.back().get() + used, bytes.data(), n);
        total += n;
        bytes = bytes.subspan(n);
    }
}

char* RecordBuffer::at(std::uint64_t offset) const {
    return blocks[std::size_t(offset / kBlockSize)].get() + offset % kBlockSize;
}

QString RecordBuffer::line(std::size_t index) const {
    const std::uint64_t begin = index == 0 ? 0 : line_ends[index - 1];
    const std::uint64_t end = line_ends[index] - 2; // without CR LF
    QByteArray bytes;
    bytes.reserve(qsizetype(end - begin));
    for (std::uint64_t pos = begin; pos < end;) {
        const std::uint64_t blockEnd = (pos / kBlockSize + 1) * kBlockSize;
        const std::uint64_t stop = std::min(end, blockEnd);
        bytes.append(at(pos), qsizetype(stop - pos));
        pos = stop;
    }
    QStringDecoder decoder("windows-1250");
    return decoder.decode(bytes);
}

std::vector<std::span<const char>> RecordBuffer::pieces() const {
    std::vector<std::span<const char>> out;
    out.reserve(blocks.size());
    std::uint64_t offset = 0;
    for (const auto& block : blocks) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(kBlockSize, total - offset));
        if (n == 0) break;
        out.emplace_back(block.get(), n);
        offset += n;
    }
    return out;
}

std::size_t RecordBuffer::memoryBytes() const {
    return blocks.size() * kBlockSize + blocks.capacity() * sizeof(blocks[0]) +
           line_ends.capacity() * sizeof(std::uint64_t);
}

} // namespace vx52
