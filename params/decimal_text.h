#pragma once
// Numbers as the editor shows and takes them, with the regional decimal separator.

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace vx52 {

// Fixed point with two decimals after rounding to five significant digits ("1234,60");
// more than five integer digits come out in exponent notation ("1,2346E+05").
QString parameterText(double value, const QLocale& locale = QLocale::system());

// A decimal number in the locale's notation, optionally signed, with an optional exponent;
// no group separators. Nothing when the text is not such a number or leaves single range.
std::optional<float> parseDecimal(const QString& text, const QLocale& locale = QLocale::system());

// A decimal integer, optionally signed, within [low, high].
std::optional<int> parseInteger(const QString& text, int low, int high);

} // namespace vx52
