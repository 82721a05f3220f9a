#include "app/trend_chart.h"

#include "app/chart_pause_hint.h"
#include "link/failure.h"

#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <utility>

namespace {

// Day 0 of the date-time values: 30 December 1899.
QDate chartEpoch() {
    return QDate(1899, 12, 30);
}
constexpr double kMsPerDay = 86400000.0;

// Red, green, yellow, blue as 0x00BBGGRR.
constexpr std::uint32_t kDesignColors[TrendChart::kSeriesCount] = {0x000000FFu, 0x00008000u,
                                                                   0x0000FFFFu, 0x00FF0000u};

} // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent), hint_(new ChartPauseHint(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
    setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    std::copy(std::begin(kDesignColors), std::end(kDesignColors), pens_.begin());
    connect(hint_->liveButton(), &QPushButton::clicked, this, &TrendChart::showLive);
}

// Local wall-clock time, counted as if every day had 24 hours, as the date-time values are.
double TrendChart::toChartTime(const QDateTime& moment) {
    const QDate date = moment.date();
    const double days = double(chartEpoch().daysTo(date));
    return days + moment.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime TrendChart::fromChartTime(double days) {
    // Wall-clock time of day, as stored: no shift on the days summer time starts or ends.
    const double whole = std::floor(days);
    QDate date = chartEpoch().addDays(qint64(whole));
    int ms = int(std::llround((days - whole) * kMsPerDay));
    if (ms >= int(kMsPerDay)) {
        date = date.addDays(1);
        ms -= int(kMsPerDay);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(ms));
}

const ChartSeries& TrendChart::at(int series) const {
    if (series < 0 || series >= kSeriesCount)
        throw vx52::Failure(tr("Řada grafu %1 neexistuje").arg(series).toStdString());
    return series_[series];
}

ChartSeries& TrendChart::at(int series) {
    return const_cast<ChartSeries&>(std::as_const(*this).at(series));
}

int TrendChart::count(int series) const {
    return at(series).size();
}

void TrendChart::append(int series, double x, double y, const QString& /*label*/,
                        std::uint32_t color) {
    // Labels are never drawn (value marks are off), so they are not kept.
    if (!std::isfinite(x))
        throw vx52::Failure(tr("Neplatný čas bodu grafu (řada %1)").arg(series + 1).toStdString());
    at(series).append(x, y, color);
    update();
}

void TrendChart::deleteFirst(int series) {
    at(series).removeFirst();
    if (series == 0 && !series_[0].empty()) gaps_.dropBefore(series_[0].x(0));
    update();
}

void TrendChart::clear(int series) {
    at(series).clear();
    update();
}

void TrendChart::clearAll() {
    for (int s = 0; s < kSeriesCount; ++s)
        series_[s].clear();
    gaps_.clear();
    update();
}

double TrendChart::xAt(int series, int index) const {
    return at(series).x(checked(series, index));
}
double TrendChart::yAt(int series, int index) const {
    return at(series).y(checked(series, index));
}
std::uint32_t TrendChart::colorAt(int series, int index) const {
    return at(series).color(checked(series, index));
}

int TrendChart::checked(int series, int index) const {
    if (index < 0 || index >= at(series).size())
        throw vx52::Failure(
            tr("Bod %1 řady %2 neexistuje").arg(index).arg(series + 1).toStdString());
    return index;
}

std::uint32_t TrendChart::seriesColor(int series) const {
    at(series);
    return kDesignColors[series];
}

void TrendChart::setView3D(bool on) {
    view_3d_ = on;
    update();
}

void TrendChart::setDepth3D(int percent) {
    if (percent < 1 || percent > 100)
        throw vx52::Failure(
            tr("Hloubka 3D grafu %1 % je mimo rozsah 1 až 100").arg(percent).toStdString());
    depth_3d_ = percent;
    update();
}

void TrendChart::setBackWallColor(std::uint32_t color) {
    wall_color_ = color;
    update();
}

void TrendChart::setPanelColor(std::uint32_t color) {
    panel_color_ = color;
    update();
}

std::size_t TrendChart::bufferBytes() const {
    std::size_t total = 0;
    for (const auto& s : series_)
        total += s.bytes();
    return total;
}

std::uint32_t TrendChart::penColor(int series) const {
    at(series);
    return pens_[std::size_t(series)];
}

void TrendChart::setPenColor(int series, std::uint32_t color) {
    at(series);
    pens_[std::size_t(series)] = color;
    update();
}

bool TrendChart::seriesShown(int series) const {
    at(series);
    return shown_[std::size_t(series)];
}

void TrendChart::setSeriesShown(int series, bool shown) {
    at(series);
    shown_[std::size_t(series)] = shown;
    update();
}

bool TrendChart::anyPoints() const {
    return std::any_of(std::begin(series_), std::end(series_),
                       [](const ChartSeries& s) { return !s.empty(); });
}

Span TrendChart::dataTime() const {
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0;
    for (const auto& s : series_) {
        if (s.empty()) continue;
        x0 = std::min(x0, s.x(0));
        x1 = std::max(x1, s.x(s.size() - 1));
    }
    if (x0 > x1) x0 = x1 = toChartTime(QDateTime::currentDateTime());
    // A single moment is centred in a minute.
    if (x1 - x0 < 1e-9) {
        x0 -= 30.0 / 86400;
        x1 += 30.0 / 86400;
    }
    return {x0, x1};
}

Readout TrendChart::readoutAt(double x) const {
    std::array<const ChartSeries*, kSeriesCount> series;
    for (int s = 0; s < kSeriesCount; ++s)
        series[std::size_t(s)] = &series_[s];
    return makeReadout(series, shown_, x, shownTime(), locale());
}
