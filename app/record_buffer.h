#pragma once
// The record buffer: the recording's text lines, kept as the bytes the recording file holds
// (Windows-1250, each line followed by CR LF) in fixed-size blocks, with one offset per line.
// A week of one line a second stays near the file's own size in memory, and writing the file
// is a handful of large writes.

#include <QString>
#include <QStringEncoder>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vx52 {

// The three header lines and the data line of a recording. Dates and times are the regional
// short date and long time texts; values are the captions of the four value panels.
QString recordHeader1(const QString& date, const QString& time);
QString recordHeader2();
QString recordHeader3();
QString recordDataLine(const QString& value1, const QString& value2, const QString& value3,
                       const QString& value4, const QString& time, const QString& date);

class RecordBuffer {
public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    RecordBuffer() = default;
    RecordBuffer(const RecordBuffer&) = delete;
    RecordBuffer& operator=(const RecordBuffer&) = delete;

    void clear();
    // Encodes the line to Windows-1250 (characters outside the code page become '?') and
    // appends it with CR LF.
    void append(const QString& line);
    void appendEncoded(std::span<const char> bytes);

    std::size_t count() const { return line_ends.size(); }
    bool isEmpty() const { return line_ends.empty(); }
    // The line without its CR LF, decoded back from Windows-1250.
    QString line(std::size_t index) const;
    // Bytes of the file: every line with its CR LF.
    std::uint64_t byteSize() const { return total; }
    // The file's bytes in order, as consecutive pieces.
    std::vector<std::span<const char>> pieces() const;
    // Heap bytes held by the buffer (blocks and line index).
    std::size_t memoryBytes() const;

private:
    std::vector<std::unique_ptr<char[]>> blocks;
    std::vector<std::uint64_t> line_ends; // offset just past each line's LF
    std::uint64_t total = 0;
    QStringEncoder encoder{"windows-1250", QStringConverter::Flag::Stateless};

    void put(std::span<const char> bytes);
    char* at(std::uint64_t offset) const;
};

} // namespace vx52
