#pragma once
// Texts in the user's regional settings: the decimal separator, the short date and the long
// time as the desktop shows them (a time without a time-zone part).

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace vx52 {

QChar decimalSeparator(const QLocale& locale = QLocale::system());

// "0" + separator + "0": the value panels' text before the first read ("0,0" on a Czech system).
QString zeroValueText(const QLocale& locale = QLocale::system());

QString shortDateText(const QDate& date, const QLocale& locale = QLocale::system());

// The regional long time format with its time-zone part removed ("H:mm:ss t" gives "H:mm:ss").
QString longTimeFormat(const QLocale& locale = QLocale::system());
QString longTimeText(const QTime& time, const QLocale& locale = QLocale::system());

} // namespace vx52
