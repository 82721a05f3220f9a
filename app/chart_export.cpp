#include "app/chart_export.h"

#include "app/chart_legend.h"
#include "app/trend_chart.h"
#include "link/failure.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

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
    const QString text = QStringLiteral("Nelze zapsat soubor \"%1\": %2")
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

QByteArray chartPointsCsv(const TrendChart& chart) {
    constexpr int n = TrendChart::kSeriesCount;
    QByteArray out = QStringLiteral("Čas").toUtf8();
    for (int s = 0; s < n; ++s)
        out += ',' + seriesName(s).toUtf8();
    out += "\r\n";

    bool withMs = false;
    for (int s = 0; s < n && !withMs; ++s)
        for (int i = 0; i < chart.count(s) && !withMs; ++i)
            withMs = momentOf(chart.xAt(s, i)).ms % 1000 != 0;

    // The series are merged by time: a row holds the next point of every series at the
    // earliest moment still to come.
    std::array<int, n> next{};
    for (;;) {
        double when = INFINITY;
        for (int s = 0; s < n; ++s)
            if (next[std::size_t(s)] < chart.count(s))
                when = std::min(when, chart.xAt(s, next[std::size_t(s)]));
        if (when == INFINITY) break;
        out += isoTime(when, withMs);
        for (int s = 0; s < n; ++s) {
            out += ',';
            int& i = next[std::size_t(s)];
            if (i < chart.count(s) && chart.xAt(s, i) == when) appendValue(out, chart.yAt(s, i++));
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

void saveChartPoints(const TrendChart& chart, const QString& fileName) {
    writeWhole(fileName, chartPointsCsv(chart));
}
