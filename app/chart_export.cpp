#include "app/chart_export.h"

#include "app/chart_legend.h"
#include "app/trend_chart.h"
#include "link/failure.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

QImage TrendChart::picture() {
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    picture_ = true;
    // Without DrawChildren: the pause hint stays out of the picture.
    render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    picture_ = false;
    return image;
}

namespace {

constexpr double kMsPerDay = 86400000.0;

// The stored wall-clock time of day, split without passing through a time zone, so a moment
// in the hour summer time skips is written as it was stamped.
struct Moment {
    QDate date;
    qint64 ms; // since midnight
};

Moment momentOf(double days) {
    const double whole = std::floor(days);
    Moment m{QDate(1899, 12, 30).addDays(qint64(whole)),
             qint64(std::llround((days - whole) * kMsPerDay))};
    if (m.ms >= qint64(kMsPerDay)) {
        m.date = m.date.addDays(1);
        m.ms -= qint64(kMsPerDay);
    }
    return m;
}

QByteArray isoTime(double days, bool withMs) {
    const Moment m = momentOf(days);
    const QTime t = QTime::fromMSecsSinceStartOfDay(int(m.ms));
    return (m.date.toString(Qt::ISODate) + QLatin1Char('T') +
            t.toString(withMs ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss")))
        .toLatin1();
}

// The shortest text that reads back as the same double: plain decimals in the range a
// regulator shows, exponent form only for the extremes.
void appendValue(QByteArray& out, double y) {
    std::array<char, 64> text;
    const double magnitude = std::abs(y);
    const bool plain = y == 0 || (magnitude >= 1e-6 && magnitude < 1e15);
    const auto end = plain ? std::to_chars(text.data(), text.data() + text.size(), y,
                                           std::chars_format::fixed)
                                 .ptr
                           : std::to_chars(text.data(), text.data() + text.size(), y).ptr;
    out.append(text.data(), end - text.data());
}

[[noreturn]] void fail(const QString& fileName, const QString& reason) {
    const QString text = QCoreApplication::translate("TrendChart", "Nelze zapsat soubor \"%1\": %2")
                             .arg(QDir::toNativeSeparators(fileName), reason);
    throw vx52::Failure(text.toStdString());
}

void writeWhole(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) fail(fileName, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(fileName, reason);
    }
    if (!file.commit()) fail(fileName, file.errorString());
}

} // namespace

QByteArray chartPointsCsv(const TrendChart& chart, ChartPoints which) {
    constexpr int n = TrendChart::kSeriesCount;
    const bool all = which == ChartPoints::All;
    const Span span = all ? Span{-INFINITY, INFINITY} : chart.shownTime();
    std::vector<int> columns;
    for (int s = 0; s < n; ++s)
        if (all || chart.seriesShown(s)) columns.push_back(s);

    QByteArray out = QCoreApplication::translate("TrendChart", "Čas").toUtf8();
    for (int s : columns)
        out += ',' + seriesName(s).toUtf8();
    out += "\r\n";

    // Each column's points from the first at or after the span's start to its end.
    std::array<int, n> next{}, end{};
    bool withMs = false;
    for (int s : columns) {
        const auto i = std::size_t(s);
        while (next[i] < chart.count(s) && chart.xAt(s, next[i]) < span.lo)
            ++next[i];
        end[i] = next[i];
        while (end[i] < chart.count(s) && chart.xAt(s, end[i]) <= span.hi)
            ++end[i];
        for (int k = next[i]; k < end[i] && !withMs; ++k)
            withMs = momentOf(chart.xAt(s, k)).ms % 1000 != 0;
    }

    // The series are merged by time: a row holds the next point of every series at the
    // earliest moment still to come.
    for (;;) {
        double when = INFINITY;
        for (int s : columns)
            if (next[std::size_t(s)] < end[std::size_t(s)])
                when = std::min(when, chart.xAt(s, next[std::size_t(s)]));
        if (when == INFINITY) break;
        out += isoTime(when, withMs);
        for (int s : columns) {
            out += ',';
            int& i = next[std::size_t(s)];
            if (i < end[std::size_t(s)] && chart.xAt(s, i) == when)
                appendValue(out, chart.yAt(s, i++));
        }
        out += "\r\n";
    }
    return out;
}

void saveChartPicture(TrendChart& chart, const QString& fileName) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!chart.picture().save(&buffer, "PNG")) fail(fileName, QStringLiteral("PNG"));
    writeWhole(fileName, bytes);
}

void saveChartPoints(const TrendChart& chart, ChartPoints which, const QString& fileName) {
    writeWhole(fileName, chartPointsCsv(chart, which));
}
