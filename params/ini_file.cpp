#include "params/ini_file.h"

#include "link/failure.h"
#include "ui/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <optional>
#include <utility>

namespace vx52 {

namespace {

constexpr const char* kCodec = "windows-1250";
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// One converter each way, opened once: opening one costs more than converting a line. The
// code page keeps no state between calls; everything runs on the user-interface thread.
QByteArray encode(const QString& text) {
    static QStringEncoder encoder(kCodec);
    encoder.resetState();
    return encoder(text);
}

QString decode(QByteArrayView bytes) {
    static QStringDecoder decoder(kCodec);
    decoder.resetState();
    return decoder(bytes);
}

// Lower-case partner of every Windows-1250 byte, so names compare without decoding.
const std::array<unsigned char, 256>& foldTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        QStringDecoder decode(kCodec);
        QStringEncoder encode(kCodec);
        for (int b = 0; b < 256; ++b) {
            t[b] = static_cast<unsigned char>(b);
            const QString c = decode(QByteArray(1, static_cast<char>(b)));
            if (c.size() != 1 || c[0] == QChar::ReplacementCharacter) continue;
            const QByteArray lower = encode(c.toLower());
            if (lower.size() == 1) t[b] = static_cast<unsigned char>(lower[0]);
        }
        return t;
    }();
    return table;
}

QByteArray folded(const QString& name) {
    QByteArray bytes = encode(name.trimmed());
    const auto& fold = foldTable();
    for (char& c : bytes)
        c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
    return bytes;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// One line of the file: [begin, end) is its text, next is where the following line starts.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    bool hasLineEnd() const { return next > end; }
};

enum class Kind { Blank, Comment, Section, Entry, Other };

// What a line is, and for a section or an entry where its name and value lie.
struct Parsed {
    Kind kind = Kind::Other;
    qsizetype nameBegin = 0, nameEnd = 0;   // section or key name, trimmed
    qsizetype valueBegin = 0, valueEnd = 0; // entry value, trimmed; valueBegin is after '=' blanks
};

class Text {
public:
    explicit Text(const QByteArray& bytes) : data_(bytes.constData()), size_(bytes.size()) {}

    // Lines end at LF, CR LF or a lone CR; the last one may have no line end.
    bool nextLine(qsizetype& pos, Line& line) const {
        if (pos >= size_) return false;
        line.begin = pos;
        qsizetype i = pos;
        while (i < size_ && data_[i] != '\n' && data_[i] != '\r')
            ++i;
        line.end = i;
        if (i < size_ && data_[i] == '\r') ++i;
        if (i < size_ && data_[i] == '\n' && (i == line.end || data_[i - 1] == '\r')) ++i;
        line.next = i;
        pos = i;
        return true;
    }

    Parsed parse(const Line& line) const {
        Parsed p;
        qsizetype b = line.begin;
        while (b < line.end && isBlank(data_[b]))
            ++b;
        if (b == line.end) {
            p.kind = Kind::Blank;
            return p;
        }
        if (data_[b] == ';') {
            p.kind = Kind::Comment;
            return p;
        }
        if (data_[b] == '[') {
            qsizetype close = b + 1;
            while (close < line.end && data_[close] != ']')
                ++close;
            if (close == line.end) return p; // an unclosed bracket heads nothing
            p.kind = Kind::Section;
            trim(b + 1, close, p.nameBegin, p.nameEnd);
            return p;
        }
        qsizetype eq = b;
        while (eq < line.end && data_[eq] != '=')
            ++eq;
        if (eq == line.end) return p;
        p.kind = Kind::Entry;
        trim(b, eq, p.nameBegin, p.nameEnd);
        trim(eq + 1, line.end, p.valueBegin, p.valueEnd);
        return p;
    }

    bool nameIs(const Parsed& p, const QByteArray& foldedName) const {
        if (p.nameEnd - p.nameBegin != foldedName.size() || foldedName.isEmpty()) return false;
        const auto& fold = foldTable();
        for (qsizetype i = 0; i < foldedName.size(); ++i) {
            if (fold[static_cast<unsigned char>(data_[p.nameBegin + i])] !=
                static_cast<unsigned char>(foldedName[i]))
                return false;
        }
        return true;
    }

private:
    void trim(qsizetype b, qsizetype e, qsizetype& outB, qsizetype& outE) const {
        while (b < e && isBlank(data_[b]))
            ++b;
        while (e > b && isBlank(data_[e - 1]))
            --e;
        outB = b;
        outE = e;
    }

    const char* data_;
    qsizetype size_;
};

// Where an entry stands, or would stand, in the file.
struct Place {
    bool sectionFound = false;
    bool keyFound = false;
    Line keyLine;       // when keyFound
    Parsed keyParsed;   // when keyFound
    Line lastInSection; // last entry of the section, or its header
};

// Where the lines begin: after a UTF-8 byte-order mark, which many editors put first.
qsizetype firstLine(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

// The first section of the name, and in it the first entry of the key.
Place locate(const QByteArray& bytes, const QString& section, const QString& key) {
    const QByteArray wantSection = folded(section);
    const QByteArray wantKey = folded(key);
    const Text text(bytes);
    Place place;
    qsizetype pos = firstLine(bytes);
    Line line;
    while (text.nextLine(pos, line)) {
        const Parsed p = text.parse(line);
        if (!place.sectionFound) {
            if (p.kind == Kind::Section && text.nameIs(p, wantSection)) {
                place.sectionFound = true;
                place.lastInSection = line;
            }
            continue;
        }
        if (p.kind == Kind::Section) break;
        // Comments after the last entry usually introduce what follows; new keys go above them.
        if (p.kind != Kind::Entry) continue;
        place.lastInSection = line;
        if (text.nameIs(p, wantKey)) {
            place.keyFound = true;
            place.keyLine = line;
            place.keyParsed = p;
            break;
        }
    }
    return place;
}

} // namespace

IniLoad loadIniFile(const QString& path, QByteArray& bytes) {
    using Load = IniLoad;
    bytes.clear();
    const QFileInfo info(path);
    if (!info.exists()) return info.isSymLink() ? Load::Unusable : Load::Missing;
    if (!info.isFile() || info.size() > IniFile::kMaxFileSize) return Load::Unusable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Load::Unusable;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > IniFile::kMaxFileSize)
        return Load::Unusable;
    return Load::Read;
}

namespace {

[[noreturn]] void failWrite(const QString& path) {
    throw Failure(QStringLiteral("Unable to write to %1").arg(path).toStdString());
}

// A file nobody may write to is read-only even for a user (root) whom the system would let
// replace it.
bool isReadOnly(const QFileInfo& info) {
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

} // namespace

void replaceIniFile(const QString& path, const QByteArray& bytes) {
    requireCodePage(); // the entries would have been encoded to nothing
    const QFileInfo info(path); // through a link: the file it names
    if (info.exists() && isReadOnly(info)) failWrite(path);
    // QSaveFile follows a link: the file it names is replaced and the link stays.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) failWrite(path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        failWrite(path);
    }
    if (!file.commit()) failWrite(path);
}

namespace {

QString decodeValue(const QByteArray& bytes, const Parsed& p) {
    qsizetype b = p.valueBegin, e = p.valueEnd;
    if (e - b >= 2) {
        const char first = bytes[b];
        if ((first == '"' || first == '\'') && bytes[e - 1] == first) {
            ++b;
            --e;
        }
    }
    return decode(QByteArrayView(bytes.constData() + b, e - b));
}

// A value cannot hold a line end: it would split the entry and change the file's structure.
QByteArray encodeValue(const QString& value) {
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return encode(oneLine);
}

QByteArray encodeName(const QString& name) {
    return encode(name.trimmed());
}

QByteArray withEntry(const QByteArray& bytes, const QString& section, const QString& key,
                     const QString& value) {
    const Place place = locate(bytes, section, key);
    const QByteArray encoded = encodeValue(value);
    QByteArray out;
    out.reserve(bytes.size() + encoded.size() + key.size() + section.size() + 8);
    if (place.keyFound) {
        // Keep the key as spelt and the blanks after '=', replace the rest of the line.
        out.append(bytes.constData(), place.keyParsed.valueBegin);
        out.append(encoded);
        out.append(bytes.constData() + place.keyLine.end, bytes.size() - place.keyLine.end);
    } else if (place.sectionFound) {
        const Line& last = place.lastInSection;
        out.append(bytes.constData(), last.end);
        out.append(bytes.constData() + last.end, last.next - last.end);
        if (!last.hasLineEnd()) out.append(kLineEnd);
        out.append(encodeName(key) + '=' + encoded + kLineEnd);
        out.append(bytes.constData() + last.next, bytes.size() - last.next);
    } else {
        out.append(bytes);
        if (bytes.size() > firstLine(bytes) && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
            out.append(kLineEnd);
        out.append('[' + encodeName(section) + ']' + kLineEnd);
        out.append(encodeName(key) + '=' + encoded + kLineEnd);
    }
    return out;
}

} // namespace

QString IniText::readString(const QString& section, const QString& key, const QString& def) const {
    const Place place = locate(bytes_, section, key);
    if (!place.keyFound) return def;
    return decodeValue(bytes_, place.keyParsed);
}

int IniText::readInteger(const QString& section, const QString& key, int def) const {
    const QString text = readString(section, key, QString());
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : def;
}

void IniText::writeString(const QString& section, const QString& key, const QString& value) {
    bytes_ = withEntry(bytes_, section, key, value);
}

void IniText::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

bool IniText::hasSection(const QString& section) const {
    return locate(bytes_, section, QString()).sectionFound;
}

bool IniText::hasKey(const QString& section, const QString& key) const {
    return locate(bytes_, section, key).keyFound;
}

IniFile::IniFile(QString path) : path_(std::move(path)) {}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    QByteArray bytes;
    if (loadIniFile(path_, bytes) != IniLoad::Read) return def;
    return IniText(std::move(bytes)).readString(section, key, def);
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    QByteArray bytes;
    if (loadIniFile(path_, bytes) != IniLoad::Read) return def;
    return IniText(std::move(bytes)).readInteger(section, key, def);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    QByteArray bytes;
    if (loadIniFile(path_, bytes) == IniLoad::Unusable) failWrite(path_);
    replaceIniFile(path_, withEntry(bytes, section, key, value));
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

} // namespace vx52
