#include "app/monitor/telegram_export.h"

#include "link/failure.h"
#include "link/trace_line.h"
#include "ui/language.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace vx52 {

namespace {

// The request a reply answers: the nearest request before it that the store still holds.
std::optional<std::uint64_t> requestOf(const TelegramStore& store, std::uint64_t replySeq) {
    for (std::uint64_t seq = replySeq; seq > store.firstSeq();) {
        --seq;
        if (store.at(seq).row.direction == TelegramDirection::Request) return seq;
    }
    return std::nullopt;
}

QByteArray csvField(const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n')) return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

QString isoTime(std::int64_t wallMs) {
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(wallMs);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

} // namespace

QByteArray traceExport(const TelegramStore& store, const TelegramView& view) {
    QByteArray out;
    std::optional<std::int64_t> startMs;
    std::optional<std::uint64_t> lastWritten;
    const auto write = [&](std::uint64_t seq) {
        const StoredTelegram& t = store.at(seq);
        if (!startMs) startMs = t.wallMs;
        const bool lineOk = t.row.result != TelegramResult::LineFailed;
        out += traceLineText(t.row.direction, t.wallMs - *startMs, store.bytes(t), lineOk,
                             t.row.late)
                   .c_str();
        out += '\n';
        lastWritten = seq;
    };
    for (std::size_t r = 0; r < view.rowCount(); ++r) {
        const std::uint64_t seq = view.seqAt(r);
        if (!store.contains(seq)) continue;
        if (store.at(seq).row.direction == TelegramDirection::Reply) {
            const auto request = requestOf(store, seq);
            if (request && (!lastWritten || *lastWritten < *request)) write(*request);
        }
        write(seq);
    }
    return out;
}

QByteArray csvExport(const TelegramStore& store, const TelegramView& view) {
    QByteArray out = QCoreApplication::translate(
                         "TelegramExport", "čas,směr,stanice,rámec,obsah,délka,výsledek,bajty")
                         .toUtf8() +
                     '\n';
    for (std::size_t r = 0; r < view.rowCount(); ++r) {
        const std::uint64_t seq = view.seqAt(r);
        if (!store.contains(seq)) continue;
        const StoredTelegram& t = store.at(seq);
        const TelegramRow& row = t.row;
        const QString fields[] = {isoTime(t.wallMs),
                                  QString::fromUtf8(directionText(row)),
                                  QString::number(row.station),
                                  QString::fromUtf8(frameKindText(row, telegramText)),
                                  QString::fromUtf8(operationText(row, telegramText)),
                                  QString::number(row.length),
                                  QString::fromUtf8(resultText(row, telegramText)),
                                  QString::fromLatin1(hexText(store.bytes(t)))};
        for (int i = 0; i < 8; ++i) {
            if (i > 0) out += ',';
            out += csvField(fields[i]);
        }
        out += '\n';
    }
    return out;
}

void saveTelegrams(const QString& fileName, const TelegramStore& store, const TelegramView& view) {
    const bool csv = QFileInfo(fileName).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0;
    const QByteArray bytes = csv ? csvExport(store, view) : traceExport(store, view);
    QSaveFile file(fileName);
    const auto fail = [&fileName](const QString& reason) {
        throw Failure(
            QCoreApplication::translate("TelegramExport", "Nelze zapsat soubor \"%1\": %2")
                .arg(QDir::toNativeSeparators(fileName), reason)
                .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(reason);
    }
    if (!file.commit()) fail(file.errorString());
}

} // namespace vx52
