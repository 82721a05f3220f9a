#include "ui/value_text.h"

#include "link/failure.h"
#include "ui/regional.h"

#include <QCoreApplication>

#include <cmath>

namespace vx52 {

namespace {

constexpr int kPrecision = 5; // significant digits
constexpr int kDecimals = 1;

// The value's decimal digits and the position of the separator: value = 0.digits × 10^point.
struct Decimal {
    QString digits;
    int point = 0;
};

// Seventeen significant digits keep every double exact enough that rounding the text
// half away from zero gives what rounding the decimal value would.
Decimal decimalOf(double magnitude) {
    const QString e = QString::number(magnitude, 'e', 16); // d.dddddddddddddddde±XX
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    Decimal d;
    d.digits = e.left(ePos).remove(QLatin1Char('.'));
    d.point = e.mid(ePos + 1).toInt() + 1;
    return d;
}

// Keeps `keep` digits, rounding half away from zero; a carry may add a digit in front.
void roundTo(Decimal& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (keep >= d.digits.size()) return;
    const bool up = d.digits[keep] >= QLatin1Char('5');
    d.digits.truncate(keep);
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == QLatin1Char('9'))
        d.digits[i--] = QLatin1Char('0');
    if (i >= 0) {
        d.digits[i] = QChar(d.digits[i].unicode() + 1);
    } else {
        d.digits.prepend(QLatin1Char('1'));
        ++d.point;
    }
}

QString scientific(double magnitude, bool negative, QChar separator) {
    Decimal d = decimalOf(magnitude);
    roundTo(d, kPrecision);
    d.digits.truncate(kPrecision); // a carry (9,99996 → 10,0000) adds a zero digit
    const int exponent = d.point - 1;
    QString out = negative ? QStringLiteral("-") : QString();
    out += d.digits.left(1) + separator + d.digits.mid(1).leftJustified(kPrecision - 1, '0');
    out += QStringLiteral("E+") + QString::number(exponent).rightJustified(2, QLatin1Char('0'));
    return out;
}

} // namespace

QString valueText(double value, const QLocale& locale) {
    const QChar separator = decimalSeparator(locale);
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const bool negative = value < 0;
    const double magnitude = std::abs(value);
    if (magnitude == 0) return QStringLiteral("0") + separator + QStringLiteral("0");

    Decimal d = decimalOf(magnitude);
    const int intDigits = std::max(d.point, 0);
    if (intDigits > kPrecision) return scientific(magnitude, negative, separator);
    // One decimal unless five digits before the separator use up the precision.
    const int decimals = std::min(kDecimals, kPrecision - intDigits);
    roundTo(d, d.point + decimals);
    if (std::max(d.point, 0) > kPrecision) return scientific(magnitude, negative, separator);

    // Lay the kept digits out around the separator.
    const int kept = int(d.digits.size());
    auto digitAt = [&](int i) { return i >= 0 && i < kept ? d.digits[i] : QLatin1Char('0'); };
    QString whole, fraction;
    for (int i = 0; i < d.point; ++i)
        whole += digitAt(i);
    if (whole.isEmpty()) whole = QStringLiteral("0");
    for (int k = 0; k < kDecimals; ++k)
        fraction += k < decimals ? digitAt(d.point + k) : QLatin1Char('0');
    // A value that rounds to nothing is shown without a sign.
    const bool zero = (whole + fraction).count(QLatin1Char('0')) == (whole + fraction).size();
    return (negative && !zero ? QStringLiteral("-") : QString()) + whole + separator + fraction;
}

double valueFromText(const QString& text, const QLocale& locale) {
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok)
        throw Failure(
            QCoreApplication::translate("ValueText", "'%1' není platná hodnota s plovoucí čárkou")
                .arg(text)
                .toStdString());
    return v;
}

} // namespace vx52
