// One trend update as the main window does it, timed for our chart and for QtCharts:
// append one point per series, delete the oldest, render 806 × 352 offscreen.
// A second table times our chart's zoomed view (10 % of the points shown, held while points
// arrive) and the cursor readout (nearest point of four series and its texts).
// Prints both tables and, last, the summary lines. Run offscreen: QT_QPA_PLATFORM=offscreen.

#include "app/trend_chart.h"

#include <QApplication>
#include <QDateTimeAxis>
#include <QElapsedTimer>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QRandomGenerator>
#include <QValueAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 806;
constexpr int kHeight = 352;
constexpr double kSecond = 1.0 / 86400.0;
constexpr std::uint32_t kPens[4] = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A wandering measured value per channel, the same sequence for both charts.
struct Signal {
    QRandomGenerator rng{52};
    double value[4] = {20, 40, 60, 80};
    double next(int s) {
        value[s] += (rng.generateDouble() - 0.5) * 2.0;
        return value[s];
    }
};

// With VX52_BENCH_IMAGES set to a folder, the last frame of each run is saved there, to
// check that both charts really drew what was timed.
void saveSample(const QImage& image, const QString& who, int points, bool view3d) {
    const QString dir = qEnvironmentVariable("VX52_BENCH_IMAGES");
    if (dir.isEmpty()) return;
    image.save(QStringLiteral("%1/%2_%3%4.png").arg(dir, who).arg(points).arg(view3d ? "_3d" : ""));
}

struct OursResult {
    double ms;
    std::size_t bytes;
};

// visibleShare below 1 holds a zoomed view of that share of the points, in their middle.
OursResult benchOurs(int points, bool view3d, int iterations, double visibleShare = 1.0) {
    TrendChart chart;
    chart.resize(kWidth, kHeight);
    chart.setView3D(view3d);
    chart.setDepth3D(35);
    chart.setBackWallColor(0x8000000F);
    Signal signal;
    const double start = TrendChart::toChartTime(QDateTime(QDate(2026, 3, 14), QTime(8, 0)));
    double x = start;
    for (int i = 0; i < points; ++i, x += kSecond)
        for (int s = 0; s < 4; ++s)
            chart.append(s, x, signal.next(s), {}, kPens[s]);
    if (visibleShare < 1.0) {
        const double middle = (start + x) / 2, half = (x - start) * visibleShare / 2;
        chart.zoomToBox({middle - half, middle + half}, {0, 0});
    }
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    for (int it = 0; it < iterations + 3; ++it, x += kSecond) {
        QElapsedTimer timer;
        timer.start();
        for (int s = 0; s < 4; ++s) {
            chart.deleteFirst(s);
            // Every fifth update a new pen colour, so colour runs are exercised.
            chart.append(s, x, signal.next(s), {}, it % 5 == 0 ? 0x800080u : kPens[s]);
        }
        QPainter painter(&image);
        chart.render(&painter);
        painter.end();
        if (it >= 3) times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    saveSample(image, visibleShare < 1.0 ? QStringLiteral("ours_zoomed") : QStringLiteral("ours"),
               points, view3d);
    return {median(times), chart.bufferBytes()};
}

// The readout the cursor shows, at random moments over the whole trend: milliseconds each.
double benchReadout(int points, bool view3d, int iterations) {
    TrendChart chart;
    chart.resize(kWidth, kHeight);
    chart.setView3D(view3d);
    chart.setDepth3D(35);
    Signal signal;
    const double start = TrendChart::toChartTime(QDateTime(QDate(2026, 3, 14), QTime(8, 0)));
    for (int i = 0; i < points; ++i)
        for (int s = 0; s < 4; ++s)
            chart.append(s, start + i * kSecond, signal.next(s), {}, kPens[s]);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    chart.render(&painter); // laid out as on screen
    painter.end();
    QRandomGenerator rng(7);
    constexpr int kBatch = 200;
    std::vector<double> times;
    std::size_t rows = 0;
    for (int it = 0; it < iterations; ++it) {
        QElapsedTimer timer;
        timer.start();
        for (int k = 0; k < kBatch; ++k)
            rows += chart.readoutAt(start + rng.generateDouble() * points * kSecond).rows.size();
        times.push_back(double(timer.nsecsElapsed()) / 1e6 / kBatch);
    }
    if (rows != std::size_t(4) * kBatch * iterations) std::fprintf(stderr, "readout lost rows\n");
    return median(times);
}

double benchQtCharts(int points, int iterations) {
    QChart* chart = new QChart;
    QChartView view(chart);
    view.resize(kWidth, kHeight);
    view.show(); // lays the chart out to the view's size
    auto* axisX = new QDateTimeAxis;
    axisX->setFormat(QStringLiteral("hh:mm:ss"));
    auto* axisY = new QValueAxis;
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    chart->legend()->hide();
    Signal signal;
    const qint64 startMs = QDateTime(QDate(2026, 3, 14), QTime(8, 0)).toMSecsSinceEpoch();
    qint64 t = startMs;
    QList<QPointF> data[4];
    QLineSeries* series[4];
    for (int i = 0; i < points; ++i, t += 1000)
        for (int s = 0; s < 4; ++s)
            data[s].append(QPointF(double(t), signal.next(s)));
    for (int s = 0; s < 4; ++s) {
        series[s] = new QLineSeries;
        series[s]->setColor(QColor(kPens[s] & 0xFF, (kPens[s] >> 8) & 0xFF, kPens[s] >> 16));
        series[s]->replace(data[s]);
        chart->addSeries(series[s]);
        series[s]->attachAxis(axisX);
        series[s]->attachAxis(axisY);
    }
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    for (int it = 0; it < iterations + 2; ++it, t += 1000) {
        QElapsedTimer timer;
        timer.start();
        double lo = 1e300, hi = -1e300;
        for (int s = 0; s < 4; ++s) {
            data[s].removeFirst();
            data[s].append(QPointF(double(t), signal.next(s)));
            series[s]->replace(data[s]);
            for (const auto& p : data[s])
                lo = std::min(lo, p.y()), hi = std::max(hi, p.y());
        }
        axisX->setRange(QDateTime::fromMSecsSinceEpoch(qint64(data[0].front().x())),
                        QDateTime::fromMSecsSinceEpoch(qint64(data[0].back().x())));
        axisY->setRange(lo, hi);
        // The chart lays its series out from posted events: let it, as the event loop would.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QPainter painter(&image);
        view.render(&painter);
        painter.end();
        if (it >= 2) times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    saveSample(image, QStringLiteral("qtcharts"), points, false);
    return median(times);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // "--ours-only" leaves QtCharts out, for profiling our chart alone.
    const bool oursOnly = app.arguments().contains(QStringLiteral("--ours-only"));
    constexpr int kIterations = 21;
    std::printf("%-8s %12s %12s %14s %8s %10s\n", "points", "ours_2d_ms", "ours_3d_ms",
                "qtcharts_ms", "ratio", "bytes/pt");
    double oursLast = 0, qtLast = 0, bytesLast = 0;
    for (int points : {201, 10001, 100001}) {
        const OursResult flat = benchOurs(points, false, kIterations);
        const OursResult deep = benchOurs(points, true, kIterations);
        const double qt = oursOnly ? 0.0 : benchQtCharts(points, kIterations);
        const double ours = std::max(flat.ms, deep.ms); // the slower of the two views
        const double bytes = double(deep.bytes) / (4.0 * points);
        std::printf("%-8d %12.3f %12.3f %14.3f %8.1f %10.1f\n", points, flat.ms, deep.ms, qt,
                    qt / ours, bytes);
        std::fflush(stdout);
        oursLast = ours;
        qtLast = qt;
        bytesLast = bytes;
    }
    std::printf("\n%-14s %8s %12s %12s %10s\n", "view", "points", "ours_2d_ms", "ours_3d_ms",
                "target_ms");
    constexpr int kPoints = 100001;
    const double zoomed2d = benchOurs(kPoints, false, kIterations, 0.1).ms;
    const double zoomed3d = benchOurs(kPoints, true, kIterations, 0.1).ms;
    std::printf("%-14s %8d %12.3f %12.3f %10.3f\n", "zoomed_10pct", kPoints, zoomed2d, zoomed3d,
                2.0);
    const double readout2d = benchReadout(kPoints, false, kIterations);
    const double readout3d = benchReadout(kPoints, true, kIterations);
    std::printf("%-14s %8d %12.4f %12.4f %10.3f\n", "readout", kPoints, readout2d, readout3d, 0.2);
    std::printf("summary-view: points=%d zoomed_ms=%.3f readout_ms=%.4f\n", kPoints,
                std::max(zoomed2d, zoomed3d), std::max(readout2d, readout3d));
    std::printf("summary: points=100001 ours_ms=%.3f qtcharts_ms=%.3f ratio=%.1f "
                "bytes_per_point=%.1f\n",
                oursLast, qtLast, qtLast / oursLast, bytesLast);
    return 0;
}
