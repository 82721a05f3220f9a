#include "bus/station_reading.h"

#include <QCoreApplication>

#include <charconv>

namespace vx52 {

namespace {

// Shortest text that reads back as the same float, with a decimal point.
QString number(float value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
}

QString relays(const StationReading& r) {
    QString out;
    for (int n = 1; n <= 4; ++n)
        out += r.relay(n) ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

// Local time with its offset from UTC, so rows stay in order across a clock change.
QString isoTime(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace

QString stationStateText(const StationReading& reading) {
    switch (reading.state) {
    case StationState::Answered:
        return QStringLiteral("ok");
    case StationState::Skipped:
        return QCoreApplication::translate("StationReading", "vynechána");
    case StationState::Failed:
        break;
    }
    switch (reading.cause) {
    case FailureCause::NoReply:
        return QCoreApplication::translate("StationReading", "bez odpovědi");
    case FailureCause::LineFailed:
        return QCoreApplication::translate("StationReading", "linka selhala");
    default:
        return QCoreApplication::translate("StationReading", "chybná odpověď");
    }
}

QString csvHeader() {
    return QCoreApplication::translate("StationReading",
                                       "čas,stanice,OUT 1,OUT 2,OUT 3,OUT 4,relé,stav");
}

QString csvRow(const StationReading& r) {
    QStringList fields{isoTime(r.time), QString::number(r.station)};
    if (r.answered())
        fields << number(r.meas.OUT1) << number(r.meas.OUT2) << number(r.meas.OUT3)
               << number(r.meas.OUT4) << relays(r);
    else
        fields << QString() << QString() << QString() << QString() << QString();
    fields << stationStateText(r);
    return fields.join(QLatin1Char(','));
}

} // namespace vx52
