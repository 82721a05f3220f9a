#pragma once
// An INI text file read and written one entry at a time, as the parameter file needs it:
// Windows-1250 bytes, CR LF line ends, section and key names matched without regard to case.
// Every call goes to the file afresh; nothing is cached between calls.
//
// Reading: the first section of a name holds its entries, the first line of a key in it holds
// the value; the value is trimmed of blanks and of one pair of enclosing quotes. Lines starting
// with ';' are comments. A leading UTF-8 byte-order mark is skipped (and kept on writing).
// A missing, unreadable or unusable file reads as an empty one.
//
// Writing changes that same line in place (or adds the key at the end of its section, or the
// section at the end of the file) and keeps every other byte of the file. Each write replaces
// the whole file atomically (a temporary file beside it, synced, then renamed over it), so a
// failure leaves the file as the previous write left it. A failed write raises
// Failure("Unable to write to <path>").

#include <QByteArray>
#include <QString>

#include <utility>

namespace vx52 {

// The same entries on a file's bytes held in memory: a Save applies all its entries to the
// bytes and then replaces the file once (replaceIniFile).
class IniText {
public:
    explicit IniText(QByteArray bytes = {}) : bytes_(std::move(bytes)) {}

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;

    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

enum class IniLoad { Read, Missing, Unusable };

// The file's bytes. Not a regular file (a fifo would block, a directory would be lost on
// writing), larger than IniFile::kMaxFileSize or unreadable: Unusable, and no bytes.
IniLoad loadIniFile(const QString& path, QByteArray& bytes);

// Replaces the file at once: a temporary file beside it, synced, renamed over it; a link is
// followed. Raises Failure("Unable to write to <path>") and leaves the file as it was.
void replaceIniFile(const QString& path, const QByteArray& bytes);

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    // The entry's text, or def when the file, the section or the key is missing.
    QString readString(const QString& section, const QString& key, const QString& def) const;
    // The entry taken as a signed decimal integer, or def when it is missing or not one.
    int readInteger(const QString& section, const QString& key, int def) const;

    // Sets the entry, creating the file, the section or the key where missing.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

    // Files larger than this are not taken as INI files: reads give defaults, writes fail.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

private:
    QString path_;
};

} // namespace vx52
