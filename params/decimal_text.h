#pragma once
// Numbers as the editor shows and takes them, with the regional decimal separator.

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace vx52 {

// Five significant digits in fixed point with at least two decimals and as many more as the
// digits need ("1234,60", "0,005", "0,12346"); more than five integer digits, or a value
// below 0,0001, come out in exponent notation ("1,2346E+05").
QString parameterText(double value, const QLocale& locale = QLocale::system());

// The single value as the parameter file keeps it: the fewest digits that read back as the
// same single, at least two decimals ("100,00", "0,1234567", "1E-10").
QString exactText(float value, const QLocale& locale = QLocale::system());

// A decimal number in the locale's notation, optionally signed, with an optional exponent;
// no group separators. With pointToo a decimal point is read like the locale's separator
// (files written elsewhere). Nothing when the text is not such a number or leaves single range.
std::optional<float> parseDecimal(const QString& text, const QLocale& locale = QLocale::system(),
                                  bool pointToo = false);

// A decimal integer, optionally signed, within [low, high].
std::optional<int> parseInteger(const QString& text, int low, int high);

} // namespace vx52
