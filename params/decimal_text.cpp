#include "params/decimal_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace vx52 {
namespace {

// to_chars never looks at the C locale, which QCoreApplication sets from the environment.
std::string formatted(double value, std::chars_format format, int precision) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

bool allZeroDigits(const std::string& text) {
    for (char c : text)
        if (c >= '1' && c <= '9') return false;
    return true;
}

// "1.2346e+05" -> "1.2346E+05"; the exponent keeps at least two digits.
std::string exponentText(double value) {
    std::string s = formatted(value, std::chars_format::scientific, 4);
    const auto e = s.find('e');
    std::string mantissa = s.substr(0, e);
    std::string exponent = s.substr(e + 1);
    const char sign = exponent[0] == '-' ? '-' : '+';
    if (exponent[0] == '-' || exponent[0] == '+') exponent.erase(0, 1);
    while (exponent.size() < 2) exponent.insert(0, "0");
    return mantissa + "E" + sign + exponent;
}

} // namespace

QString parameterText(double value, const QLocale& locale) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    // The exponent after rounding to five significant digits decides the notation.
    const std::string rounded = formatted(value, std::chars_format::scientific, 4);
    const int exponent = std::stoi(rounded.substr(rounded.find('e') + 1));
    const int integerDigits = exponent + 1;
    std::string text;
    if (integerDigits > 5) {
        text = exponentText(value);
    } else if (integerDigits >= 4) {
        text = formatted(value, std::chars_format::fixed, 5 - integerDigits);
        const auto point = text.find('.');
        if (point == std::string::npos) text += ".";
        while (text.size() - text.find('.') - 1 < 2) text += "0";
    } else {
        text = formatted(value, std::chars_format::fixed, 2);
    }
    if (text[0] == '-' && allZeroDigits(text)) text.erase(0, 1);
    QString out = QString::fromStdString(text);
    out.replace(QLatin1Char('.'), locale.decimalPoint());
    return out;
}

std::optional<float> parseDecimal(const QString& text, const QLocale& locale) {
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

std::optional<int> parseInteger(const QString& text, int low, int high) {
    const QString t = text.trimmed();
    // Only digits after an optional sign: no blanks inside, no other base.
    static const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    int start = (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) ? 1 : 0;
    if (t.size() <= start) return std::nullopt;
    for (int i = start; i < t.size(); ++i)
        if (!isDigit(t[i])) return std::nullopt;
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok, 10);
    if (!ok || value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

} // namespace vx52
