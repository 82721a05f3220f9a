#include "ui/regional.h"

namespace vx52 {

QChar decimalSeparator(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QString zeroValueText(const QLocale& locale) {
    return QStringLiteral("0") + decimalSeparator(locale) + QStringLiteral("0");
}

QString shortDateText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QLocale::ShortFormat);
}

QString longTimeFormat(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    // Drop every unquoted run of 't' (the zone) with the blanks that separate it.
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (!quoted && c == QLatin1Char('t')) {
            while (i + 1 < format.size() && format[i + 1] == QLatin1Char('t')) ++i;
            while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

QString longTimeText(const QTime& time, const QLocale& locale) {
    return locale.toString(time, longTimeFormat(locale));
}

} // namespace vx52
