// The trend chart widget: its point store, its settings, and what it draws (pixel checks on
// offscreen renders).

#include "app/chart_axes.h"
#include "app/chart_columns.h"
#include "app/trend_chart.h"
#include "link/failure.h"
#include "ui/color_value.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x008000;
const double kStart = TrendChart::toChartTime(QDateTime(QDate(2026, 3, 14), QTime(10, 0)));

QImage renderOf(TrendChart& chart) {
    chart.resize(806, 352);
    QImage image(chart.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    chart.render(&painter);
    return image;
}

QColor rgb(std::uint32_t value) {
    return vx52::colorFromValue(value);
}

int countColour(const QImage& image, const QColor& colour, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

// Pixels of a hue, whatever their shade (ribbon faces and their darker edges alike).
int countHue(const QImage& image, int hue, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.hsvSaturation() > 150 && c.value() > 60 && std::abs(c.hsvHue() - hue) < 8) ++n;
        }
    return n;
}

// A chart with one value per series in each of `points` seconds; series n sits at 10·(n+1).
void fillLevels(TrendChart& chart, int points, std::uint32_t colour = kRed) {
    for (int i = 0; i < points; ++i)
        for (int s = 0; s < TrendChart::kSeriesCount; ++s)
            chart.append(s, kStart + i * kSecond, 10.0 * (s + 1) + (i % 3), {}, colour);
}

} // namespace

class TestTrendChart : public QObject {
    Q_OBJECT

private slots:
    void chartTimeCountsDaysFrom1899() {
        QCOMPARE(TrendChart::toChartTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
        const QDateTime moment(QDate(2026, 3, 14), QTime(10, 0, 0));
        QCOMPARE(TrendChart::toChartTime(moment), 46095.0 + 10.0 / 24.0);
        QCOMPARE(TrendChart::fromChartTime(TrendChart::toChartTime(moment.addMSecs(1500))),
                 moment.addMSecs(1500));
        // A hair before midnight rounds to the next day, not to an invalid time.
        QCOMPARE(TrendChart::fromChartTime(46095.99999999999),
                 QDateTime(QDate(2026, 3, 15), QTime(0, 0)));
    }

    // Sliding a window through the ring buffer, across its wrap and its growth, keeps every
    // point with its own X, Y and colour in order.
    void pointsKeepOrderThroughSlidingAndGrowth() {
        TrendChart chart;
        int next = 0, oldest = 0;
        auto add = [&] {
            chart.append(2, kStart + next * kSecond, next * 0.5, {}, std::uint32_t(next));
            ++next;
        };
        for (int i = 0; i < 50; ++i)
            add();
        for (int i = 0; i < 500; ++i) { // slide: one out, one in, many times round
            chart.deleteFirst(2);
            ++oldest;
            add();
        }
        for (int i = 0; i < 300; ++i)
            add(); // grow while the head is mid-buffer
        QCOMPARE(chart.count(2), next - oldest);
        for (int i = 0; i < chart.count(2); ++i) {
            const int k = oldest + i;
            QCOMPARE(chart.yAt(2, i), k * 0.5);
            QCOMPARE(chart.xAt(2, i), kStart + k * kSecond);
            QCOMPARE(chart.colorAt(2, i), std::uint32_t(k));
        }
        QCOMPARE(chart.count(0), 0);
        chart.clear(2);
        QCOMPARE(chart.count(2), 0);
        chart.deleteFirst(2); // on an empty series: nothing to delete, nothing breaks
        QCOMPARE(chart.count(2), 0);
    }

    // The clock set back (summer time ending): the older point goes in behind the newer ones.
    void anOlderPointIsInsertedInXOrder() {
        TrendChart chart;
        const double xs[] = {10, 20, 30, 15, 5, 30};
        for (int i = 0; i < 6; ++i)
            chart.append(1, kStart + xs[i] * kSecond, i, {}, std::uint32_t(i));
        const double sorted[] = {5, 10, 15, 20, 30, 30};
        const int ys[] = {4, 0, 3, 1, 2, 5};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(chart.xAt(1, i), kStart + sorted[i] * kSecond);
            QCOMPARE(chart.yAt(1, i), double(ys[i]));
            QCOMPARE(chart.colorAt(1, i), std::uint32_t(ys[i]));
        }
        chart.deleteFirst(1); // the oldest X leaves first
        QCOMPARE(chart.xAt(1, 0), kStart + 10 * kSecond);
        QVERIFY(!renderOf(chart).isNull());
        QVERIFY_THROWS_EXCEPTION(vx52::Failure, chart.append(1, qQNaN(), 0, {}, 0));
    }

    // Values far beyond what a regulator shows still draw, with short axis texts.
    void extremeValuesDraw() {
        TrendChart chart;
        chart.setBackWallColor(0x00FFFFFF);
        for (int i = 0; i < 20; ++i)
            chart.append(0, kStart + i * kSecond, i % 2 ? 1e300 : -1e300, {}, kRed);
        chart.append(0, kStart + 20 * kSecond, qInf(), {}, kRed);
        QVERIFY(countColour(renderOf(chart), rgb(kRed)) > 100);
        const ValueAxis axis = scaleValues(-1e300, 1e300, 300, 30, QLocale::c());
        for (const auto& tick : axis.ticks)
            QVERIFY(tick.text.size() < 16);
    }

    void memoryStaysNearTwentyBytesAPoint() {
        TrendChart chart;
        fillLevels(chart, 100001);
        QVERIFY(chart.bufferBytes() <= std::size_t(24) * 4 * 100001);
    }

    void depthOutsideOneToHundredIsRefused_data() {
        QTest::addColumn<int>("percent");
        QTest::newRow("0") << 0;
        QTest::newRow("101") << 101;
        QTest::newRow("-35") << -35;
    }
    void depthOutsideOneToHundredIsRefused() {
        QFETCH(int, percent);
        TrendChart chart;
        chart.setDepth3D(1);
        chart.setDepth3D(100);
        try {
            chart.setDepth3D(percent);
            QFAIL("accepted");
        } catch (const vx52::Failure& failure) {
            const QString text = QString::fromStdString(failure.text());
            QVERIFY2(text.contains(QString::number(percent)), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("1 až 100")), qPrintable(text));
        }
        QCOMPARE(chart.depth3D(), 100);
    }

    // Panel around the plot, back wall filled solid behind it; system colours come from the
    // palette (0x8000000F is the button face).
    void panelAndBackWallColours() {
        TrendChart chart;
        chart.setView3D(false);
        chart.setPanelColor(0x00336699);
        chart.setBackWallColor(vx52::kButtonFace);
        fillLevels(chart, 20);
        QImage image = renderOf(chart);
        QCOMPARE(image.pixelColor(2, 2), rgb(0x00336699));
        const QColor face = QApplication::palette().color(QPalette::Button);
        QVERIFY(countColour(image, face, QRect(100, 20, 600, 250)) > 600 * 250 / 2);

        chart.setPanelColor(vx52::kButtonFace);
        chart.setBackWallColor(0x00FFFFFF);
        image = renderOf(chart);
        QCOMPARE(image.pixelColor(2, 2), face);
        QVERIFY(countColour(image, Qt::white, QRect(100, 20, 600, 250)) > 600 * 250 / 2);
    }

    // The segment drawn to a point takes that point's colour: a pen change in the middle
    // colours only the later half of the line.
    void segmentTakesItsPointsColour() {
        for (bool view3d : {false, true}) {
            TrendChart chart;
            chart.setView3D(view3d);
            chart.setDepth3D(35);
            chart.setBackWallColor(0x00FFFFFF);
            for (int i = 0; i <= 40; ++i)
                chart.append(0, kStart + i * kSecond, 50 + (i % 2), {}, i <= 20 ? kRed : kBlue);
            const QImage image = renderOf(chart);
            const QRect leftHalf(120, 0, 200, 352), rightHalf(480, 0, 200, 352);
            QVERIFY2(countColour(image, rgb(kRed), leftHalf) > 100, view3d ? "3D" : "2D");
            QCOMPARE(countColour(image, rgb(kBlue), leftHalf), 0);
            QVERIFY(countColour(image, rgb(kBlue), rightHalf) > 100);
            QCOMPARE(countColour(image, rgb(kRed), rightHalf), 0);
        }
    }

    // 3D draws the series as ribbons whose depth follows the percent; unticking flattens.
    void depthGrowsWithThePercent() {
        TrendChart chart;
        chart.setBackWallColor(0x00FFFFFF);
        for (int i = 0; i < 300; ++i)
            chart.append(0, kStart + i * kSecond, std::sin(i / 20.0), {}, kGreen);
        const int green = rgb(kGreen).hsvHue();
        chart.setView3D(false);
        const int flat = countHue(renderOf(chart), green);
        chart.setView3D(true);
        chart.setDepth3D(10);
        const int shallow = countHue(renderOf(chart), green);
        chart.setDepth3D(80);
        const int deep = countHue(renderOf(chart), green);
        QVERIFY2(shallow > flat && deep > 2 * shallow,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(flat).arg(shallow).arg(deep)));
        chart.setView3D(false);
        QCOMPARE(countHue(renderOf(chart), green), flat);
    }

    // Reducing 100 001 points to pixel columns must keep a single-point spike.
    void denseSeriesKeepsItsPeaks() {
        TrendChart chart;
        chart.setView3D(false);
        chart.setBackWallColor(0x00FFFFFF);
        for (int i = 0; i <= 100000; ++i)
            chart.append(0, kStart + i * kSecond, i == 61234 ? 100.0 : 0.0, {},
                         i == 61234 ? kBlue : kRed);
        const QImage image = renderOf(chart);
        // The spike rises through the upper half of the plot, the rest lies at the bottom.
        const QRect upper(60, 10, 740, 150);
        const int drawn = countHue(image, rgb(kBlue).hsvHue(), upper) +
                          countHue(image, rgb(kRed).hsvHue(), upper);
        QVERIFY2(drawn >= 20, qPrintable(QString::number(drawn)));
    }

    // Pixel columns hold first, last, lowest and highest values with the colours of their
    // first and last points, also when the ring buffer splits a column.
    void columnsSummariseTheirPoints() {
        ChartSeries series;
        for (int i = 0; i < 60; ++i)
            series.append(0, 0, 0);
        for (int i = 0; i < 60; ++i)
            series.removeFirst(); // head well into the buffer
        const double ys[] = {5, -2, 9, 1, 7, 3};
        for (int i = 0; i < 6; ++i)
            series.append(i < 3 ? 0.0 : 10.0, ys[i], std::uint32_t(i));
        std::vector<ChartColumn> columns;
        ColumnRange range{1e9, -1e9};
        reduceToColumns(series, 0.0, 1.0, 0.0, columns, range); // X 0 → column 0, 10 → 10
        QCOMPARE(columns.size(), std::size_t(2));
        QCOMPARE(columns[0].first, 5.0);
        QCOMPARE(columns[0].last, 9.0);
        QCOMPARE(columns[0].lo, -2.0);
        QCOMPARE(columns[0].hi, 9.0);
        QCOMPARE(columns[0].count, 3);
        QCOMPARE(columns[1].firstColor, 3u);
        QCOMPARE(columns[1].lastColor, 5u);
        QCOMPARE(range.lo, -2.0);
        QCOMPARE(range.hi, 9.0);
    }

    void valueAxisCoversTheDataWithRegionalTexts() {
        const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
        const ValueAxis axis = scaleValues(0.13, 0.87, 300, 30, czech);
        QVERIFY(axis.lo <= 0.13 && axis.hi >= 0.87);
        QVERIFY(axis.ticks.size() >= 3 && axis.ticks.size() <= 11);
        QCOMPARE(axis.ticks.front().text.contains(QLatin1Char(',')), true);
        const ValueAxis flat = scaleValues(42, 42, 300, 30, czech);
        QVERIFY(flat.lo < 42 && flat.hi > 42);
    }

    void timeAxisLabelsWholeStepsInOrder() {
        QFontMetrics metrics(QApplication::font());
        const auto ticks = timeTicks(kStart + 7 * kSecond, kStart + 607 * kSecond, 700, metrics);
        QVERIFY(ticks.size() >= 3);
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            QVERIFY(ticks[i].value >= kStart + 7 * kSecond - 1e-9);
            const QTime t = TrendChart::fromChartTime(ticks[i].value).time();
            QCOMPARE(t.second() % 5, 0); // whole steps of the clock
            QCOMPARE(ticks[i].text, t.toString(ticks[i].text.size() > 5 ? "hh:mm:ss" : "hh:mm"));
            if (i > 0) QVERIFY(ticks[i].value > ticks[i - 1].value);
        }
        QVERIFY(timeTicks(kStart, kStart, 700, metrics).empty());
    }
};

QTEST_MAIN(TestTrendChart)
#include "test_trend_chart.moc"
