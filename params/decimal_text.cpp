#include "params/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace vx52 {
namespace {

constexpr int kSignificant = 5;
constexpr int kDecimals = 2;
// Below 0,0001 a value shows in exponent notation rather than as a row of zeros.
constexpr int kSmallestFixedExponent = -4;

// A positive value as decimal digits d0 d1 d2 ... meaning d0.d1d2... x 10^exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
};

// to_chars never looks at the C locale, which QCoreApplication sets from the environment.
Digits expand(double magnitude) {
    char buffer[128];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 40)
            .ptr;
    const std::string s(buffer, end);
    const auto e = s.find('e');
    Digits d;
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exponent = std::stoi(s.substr(e + 1));
    return d;
}

// Keeps `count` significant digits, rounding half away from zero; count <= 0 leaves "0" or
// one unit of the next higher place.
Digits round(const Digits& in, int count) {
    Digits out = in;
    if (count < 0) return {"0", in.exponent};
    const bool up = in.digits[static_cast<std::size_t>(count)] >= '5';
    out.digits = in.digits.substr(0, static_cast<std::size_t>(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && out.digits[static_cast<std::size_t>(i)] == '9')
            out.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++out.digits[static_cast<std::size_t>(i)];
        else { // 9.9999 became 10.000: one more integer digit, still `count` digits
            out.digits.insert(out.digits.begin(), '1');
            out.digits.resize(static_cast<std::size_t>(std::max(count, 1)));
            ++out.exponent;
        }
    }
    if (out.digits.empty()) out.digits.assign(1, '0');
    return out;
}

// The digits in fixed notation with `decimals` places; the digits hold no more non-zero ones.
std::string fixedText(const Digits& d, int decimals) {
    std::string integer, fraction;
    if (d.exponent >= 0) {
        const auto split = static_cast<std::size_t>(d.exponent) + 1;
        integer = d.digits.substr(0, std::min(split, d.digits.size()));
        integer.resize(split, '0');
        if (split < d.digits.size()) fraction = d.digits.substr(split);
    } else {
        integer = "0";
        fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    return integer + "." + fraction;
}

// Decimal places the significant digits need, trailing zeros left out.
int placesNeeded(const Digits& d) {
    const auto last = d.digits.find_last_not_of('0');
    const int significant = last == std::string::npos ? 1 : static_cast<int>(last) + 1;
    return std::max(0, significant - 1 - d.exponent);
}

// "1.2346E+05": the mantissa's five digits and an exponent of at least two digits.
std::string exponentText(const Digits& d) {
    std::string text = d.digits.substr(0, 1) + "." + d.digits.substr(1);
    const int e = std::abs(d.exponent);
    text += d.exponent < 0 ? "E-" : "E+";
    if (e < 10) text += '0';
    return text + std::to_string(e);
}

} // namespace

QString parameterText(double value, const QLocale& locale) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    std::string text;
    if (value == 0) {
        text = "0.00";
    } else {
        // Five significant digits, at least two decimals, and as many more as the five need:
        // a value that is not zero never shows as zero.
        const Digits shown = round(expand(std::fabs(value)), kSignificant);
        if (shown.exponent + 1 > kSignificant || shown.exponent < kSmallestFixedExponent)
            text = exponentText(shown);
        else
            text = fixedText(shown, std::max(kDecimals, placesNeeded(shown)));
        if (value < 0) text.insert(text.begin(), '-');
    }
    QString out = QString::fromStdString(text);
    out.replace(QLatin1Char('.'), locale.decimalPoint());
    return out;
}

QString exactText(float value, const QLocale& locale) {
    if (!std::isfinite(value) || value == 0) return parameterText(value, locale);
    char buffer[64];
    const float magnitude = std::fabs(value);
    const bool fixed = magnitude >= 1e-4f && magnitude < 1e15f;
    // Without a precision to_chars gives the shortest text that reads back as the same single.
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   fixed ? std::chars_format::fixed : std::chars_format::scientific)
                         .ptr;
    std::string text(buffer, end);
    if (fixed) {
        const auto point = text.find('.');
        const std::size_t places = point == std::string::npos ? 0 : text.size() - point - 1;
        if (point == std::string::npos) text += '.';
        if (places < std::size_t{kDecimals}) text.append(std::size_t{kDecimals} - places, '0');
    } else {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](char c) { return c == 'e' ? 'E' : c; });
    }
    QString out = QString::fromStdString(text);
    out.replace(QLatin1Char('.'), locale.decimalPoint());
    return out;
}

std::optional<float> parseDecimal(const QString& text, const QLocale& locale, bool pointToo) {
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    QString t = text.trimmed();
    if (pointToo && locale.decimalPoint() != QLatin1String(".") &&
        !t.contains(locale.decimalPoint()))
        t.replace(QLatin1Char('.'), locale.decimalPoint());
    bool ok = false;
    const double value = strict.toDouble(t, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

std::optional<int> parseInteger(const QString& text, int low, int high) {
    const QString t = text.trimmed();
    // Only digits after an optional sign: no blanks inside, no other base.
    const int start = (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) ? 1 : 0;
    if (t.size() <= start) return std::nullopt;
    for (qsizetype i = start; i < t.size(); ++i)
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9')) return std::nullopt;
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok, 10);
    if (!ok || value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

} // namespace vx52
