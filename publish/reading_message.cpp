#include "publish/reading_message.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vx52 {

Reading Reading::at(const QDateTime& time, std::uint8_t station, std::array<float, 4> out,
                    std::uint8_t relays) {
    return {time.toMSecsSinceEpoch(), time.offsetFromUtc(), out, relays, station};
}

namespace {

// ISO 8601 with the offset always written out (+00:00, never Z), milliseconds kept.
QByteArray isoTime(std::int64_t msecs, std::int32_t offsetSecs) {
    const QDateTime local =
        QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC).addSecs(offsetSecs);
    const int minutes = std::abs(offsetSecs) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")).toLatin1() +
           (offsetSecs < 0 ? '-' : '+') +
           QByteArray::number(minutes / 60).rightJustified(2, '0') + ':' +
           QByteArray::number(minutes % 60).rightJustified(2, '0');
}

QByteArray number(float v) {
    if (!std::isfinite(v)) return QByteArrayLiteral("null");
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v); // shortest text that reads back
    return QByteArray(buf, static_cast<int>(r.ptr - buf));
}

} // namespace

QByteArray readingJson(const Reading& r) {
    QByteArray json = "{\"time\":\"" + isoTime(r.msecs, r.offsetSecs) + "\",\"out\":[";
    for (std::size_t n = 0; n < r.out.size(); ++n)
        json += (n ? "," : "") + number(r.out[n]);
    json += "],\"relays\":" + QByteArray::number(r.relays) +
            ",\"station\":" + QByteArray::number(r.station) + '}';
    return json;
}

QByteArray stationLinkText(StationLink link) {
    switch (link) {
    case StationLink::Connected:
        return QByteArrayLiteral("spojeno");
    case StationLink::Silent:
        return QByteArrayLiteral("bez odezvy");
    case StationLink::CannotOpen:
        break;
    }
    return QStringLiteral("port nelze otevřít").toUtf8();
}

QString measTopic(const QString& prefix, int station) {
    return prefix + QLatin1Char('/') + QString::number(station) + QStringLiteral("/meas");
}

QString stateTopic(const QString& prefix, int station) {
    return prefix + QLatin1Char('/') + QString::number(station) + QStringLiteral("/state");
}

QString statusTopic(const QString& prefix) { return prefix + QStringLiteral("/status"); }

} // namespace vx52
