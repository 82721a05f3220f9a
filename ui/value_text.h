#pragma once
// Measured values as the main window shows them: fixed point, one decimal, at most five
// significant digits, the regional decimal separator; beyond five digits before the
// separator, scientific notation with five significant digits ("1,2346E+05").

#include <QLocale>
#include <QString>

namespace vx52 {

QString valueText(double value, const QLocale& locale = QLocale::system());

// A shown value read back as a number, with the regional separator. A text that is not a
// number raises Failure naming it.
double valueFromText(const QString& text, const QLocale& locale = QLocale::system());

} // namespace vx52
