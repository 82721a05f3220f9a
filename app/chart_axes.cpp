#include "app/chart_axes.h"

#include "app/trend_chart.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr double kSecondsPerDay = 86400.0;

double niceStep(double raw) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    const double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    return nice * magnitude;
}

// A label format fitting the step and the span: seconds only when steps are below a minute,
// the date once the axis spans midnight.
QString timeFormat(double stepSeconds, double lo, double hi) {
    const bool spansDays = std::floor(lo) != std::floor(hi);
    if (stepSeconds >= kSecondsPerDay) return QStringLiteral("dd.MM.yy");
    if (spansDays) return QStringLiteral("dd.MM. hh:mm");
    if (stepSeconds < 60) return QStringLiteral("hh:mm:ss");
    return QStringLiteral("hh:mm");
}

// Ticks first·step .. last·step with texts of as many decimals as the step needs.
void tickTexts(ValueAxis& axis, double step, long long first, long long last,
               const QLocale& locale) {
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    const bool huge = std::max(std::abs(axis.lo), std::abs(axis.hi)) >= 1e6; // short texts then
    for (long long k = first; k <= last; ++k) {
        const double v = double(k) * step;
        const double shown = v == 0 ? 0.0 : v;
        axis.ticks.push_back(
            {v, huge ? locale.toString(shown, 'g', 6) : locale.toString(shown, 'f', decimals)});
    }
}

} // namespace

ValueAxis scaleValues(double lo, double hi, int pixels, int minSpacing, const QLocale& locale) {
    ValueAxis axis;
    if (!(std::isfinite(lo) && std::isfinite(hi)) || lo > hi) lo = 0, hi = 100;
    // Keeps hi - lo finite for the wildest values a caption can hold.
    lo = std::clamp(lo, -1e300, 1e300);
    hi = std::clamp(hi, -1e300, 1e300);
    if (lo == hi) {
        const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    }
    const int intervals = std::max(1, pixels / std::max(1, minSpacing));
    double step = niceStep((hi - lo) / intervals);
    axis.lo = std::floor(lo / step) * step;
    axis.hi = std::ceil(hi / step) * step;
    // Expanding to whole steps may leave too many ticks: take the next larger step then.
    while ((axis.hi - axis.lo) / step > intervals) {
        step = niceStep(step * 1.5);
        axis.lo = std::floor(lo / step) * step;
        axis.hi = std::ceil(hi / step) * step;
    }
    tickTexts(axis, step, std::llround(axis.lo / step), std::llround(axis.hi / step), locale);
    return axis;
}

ValueAxis valuesWithin(double lo, double hi, int pixels, int minSpacing, const QLocale& locale) {
    const int intervals = std::max(1, pixels / std::max(1, minSpacing));
    const double step = niceStep((hi - lo) / intervals);
    const double first = std::ceil(lo / step - 1e-9), last = std::floor(hi / step + 1e-9);
    // A span no steps can be counted over (beyond the doubles' reach) is scaled as usual.
    if (!(std::isfinite(first) && std::isfinite(last) && step > 0 && last - first <= 1000))
        return scaleValues(lo, hi, pixels, minSpacing, locale);
    ValueAxis axis;
    axis.lo = lo;
    axis.hi = hi;
    tickTexts(axis, step, (long long)first, (long long)last, locale);
    return axis;
}

std::vector<AxisTick> timeTicks(double lo, double hi, int pixels, const QFontMetrics& metrics) {
    static constexpr double kSteps[] = {
        1,    2,    5,    10,    15,    30,    60,    120,    300,    600,     900,
        1800, 3600, 7200, 10800, 21600, 43200, 86400, 172800, 604800, 2592000, 31536000};
    std::vector<AxisTick> ticks;
    if (!(hi > lo) || pixels <= 0) return ticks;
    const double spanSeconds = (hi - lo) * kSecondsPerDay;
    double step = kSteps[std::size(kSteps) - 1];
    QString format;
    for (double candidate : kSteps) {
        format = timeFormat(candidate, lo, hi);
        const int textWidth =
            metrics.horizontalAdvance(TrendChart::fromChartTime(lo).toString(format)) + 16;
        if (candidate / spanSeconds * pixels >= textWidth) {
            step = candidate;
            break;
        }
    }
    format = timeFormat(step, lo, hi);
    // Steps count from midnight, so ticks fall on whole minutes, hours and days.
    const double start = std::ceil(lo * kSecondsPerDay / step - 1e-9) * step;
    for (double s = start; s <= hi * kSecondsPerDay + 1e-6; s += step) {
        const double days = s / kSecondsPerDay;
        ticks.push_back({days, TrendChart::fromChartTime(days).toString(format)});
        if (ticks.size() > 1000) break;
    }
    return ticks;
}
