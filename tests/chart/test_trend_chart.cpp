// The trend chart widget: its point store, its settings, and what it draws (pixel checks on
// offscreen renders).

#include "app/chart_axes.h"
#include "app/chart_columns.h"
#include "app/chart_export.h"
#include "app/chart_search.h"
#include "app/chart_view.h"
#include "app/trend_chart.h"
#include "link/failure.h"
#include "ui/color_value.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

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

// Times in days, equal to a tenth of a millisecond (what a double keeps of a date).
bool sameTime(double a, double b) {
    return std::abs(a - b) < 1e-9;
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
            // Below the legend's row, which shows every pen's colour.
            const QRect leftHalf(120, 30, 200, 322), rightHalf(480, 30, 200, 322);
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
    // Zoom keeps the anchor's place and stays within one second and ten data spans; pan
    // moves by the given time but never past the data; a box is taken in any corner order;
    // live shows the data's span again.
    void viewArithmetic() {
        const Span data{100.0, 100.0 + 1000 * kSecond};
        ChartView view;
        QVERIFY(view.live());
        QCOMPARE(view.time(data).lo, data.lo);

        const double anchor = data.lo + 250 * kSecond; // a quarter into the span
        view.zoom(data, anchor, 0.5);
        QVERIFY(!view.live());
        Span t = view.time(data);
        QVERIFY(sameTime(t.width(), 500 * kSecond));
        QVERIFY(qAbs((anchor - t.lo) / t.width() - 0.25) < 1e-9);
        for (int i = 0; i < 60; ++i)
            view.zoom(data, anchor, 0.5);
        QVERIFY(sameTime(view.time(data).width(), ChartView::kMinSpan));
        for (int i = 0; i < 60; ++i)
            view.zoom(data, anchor, 2.0);
        QVERIFY(sameTime(view.time(data).width(), 10 * data.width()));

        view.goLive();
        view.pan(data, -100 * kSecond);
        t = view.time(data);
        QVERIFY(sameTime(t.lo, data.lo - 100 * kSecond));
        QVERIFY(sameTime(t.width(), data.width()));
        view.pan(data, 5000 * kSecond); // far beyond the newest point: stops at it
        QVERIFY(sameTime(view.time(data).lo, data.hi));
        view.pan(data, -1e6 * kSecond);
        QVERIFY(sameTime(view.time(data).hi, data.lo));
        QVERIFY(!view.values());

        view.zoomToBox({data.lo + 20 * kSecond, data.lo + 10 * kSecond}, {80, 30});
        t = view.time(data);
        QVERIFY(sameTime(t.lo, data.lo + 10 * kSecond));
        QVERIFY(sameTime(t.hi, data.lo + 20 * kSecond));
        QCOMPARE(view.values()->lo, 30.0);
        QCOMPARE(view.values()->hi, 80.0);
        view.pan(data, 0, 5); // a held value span pans with the drag
        QCOMPARE(view.values()->lo, 35.0);
        view.zoomToBox({data.lo, data.lo + 0.1 * kSecond}, {5, 5}); // narrow, flat: time only
        QVERIFY(sameTime(view.time(data).width(), ChartView::kMinSpan));
        QVERIFY(!view.values());
        view.goLive();
        QVERIFY(view.live() && !view.values());
        QCOMPARE(view.time(data).hi, data.hi);
    }

    // A held view stays put while points arrive; live follows them; the hint shows while held.
    void heldViewStaysPutWhilePointsArrive() {
        TrendChart chart;
        fillLevels(chart, 100);
        QSignalSpy live(&chart, &TrendChart::liveChanged);
        chart.zoomTime(kStart + 50 * kSecond, 0.5);
        const Span held = chart.shownTime();
        QCOMPARE(live.count(), 1);
        auto* hint = chart.findChild<QWidget*>(QStringLiteral("pa_pozastaveno"));
        QVERIFY(hint && !hint->isHidden());
        for (int i = 0; i < 20; ++i) {
            for (int s = 0; s < TrendChart::kSeriesCount; ++s) chart.deleteFirst(s);
            for (int s = 0; s < TrendChart::kSeriesCount; ++s)
                chart.append(s, kStart + (100 + i) * kSecond, 1, {}, kRed);
        }
        QCOMPARE(chart.shownTime().lo, held.lo);
        QCOMPARE(chart.shownTime().hi, held.hi);
        chart.findChild<QPushButton*>(QStringLiteral("tl_zivy"))->click();
        QVERIFY(chart.isLive() && hint->isHidden());
        QCOMPARE(chart.shownTime().hi, kStart + 119 * kSecond);
        QCOMPARE(live.count(), 2);
    }

    // Mouse and keys on a rendered chart: the legend switches a series, Shift+drag zooms to
    // the box, a drag pans, the wheel zooms in, Home and a double click go back to live.
    void mouseAndKeysDriveTheView() {
        TrendChart chart;
        chart.setView3D(false);
        chart.setBackWallColor(0x00FFFFFF);
        fillLevels(chart, 601, kBlue);
        renderOf(chart);
        const QFontMetrics fm(chart.font());
        const QPoint legendEntry =
            legendLayout(fm, {fm.horizontalAdvance(QStringLiteral("-00000,0")) + 12.0, 2})[0]
                .center()
                .toPoint();
        QTest::mouseClick(&chart, Qt::LeftButton, {}, legendEntry);
        QVERIFY(!chart.seriesShown(0));
        QTest::mouseClick(&chart, Qt::LeftButton, {}, legendEntry);
        QVERIFY(chart.seriesShown(0));
        const int hidden = countColour(renderOf(chart), rgb(kBlue), QRect(60, 40, 740, 280));
        chart.setSeriesShown(1, false);
        QVERIFY(countColour(renderOf(chart), rgb(kBlue), QRect(60, 40, 740, 280)) < hidden);
        chart.setSeriesShown(1, true);

        const Span all = chart.shownTime();
        QTest::mousePress(&chart, Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 150));
        QTest::mouseMove(&chart, QPoint(400, 200));
        QTest::mouseRelease(&chart, Qt::LeftButton, Qt::ShiftModifier, QPoint(400, 200));
        Span box = chart.shownTime();
        QVERIFY(!chart.isLive());
        QVERIFY(box.lo > all.lo && box.hi < all.hi);
        QVERIFY(box.width() < all.width() / 4);
        QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(400, 150));
        QTest::mouseMove(&chart, QPoint(410, 150));
        QTest::mouseMove(&chart, QPoint(450, 150));
        QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(450, 150));
        const double moved = box.lo - chart.shownTime().lo; // 50 pixels of a ~700 wide plot
        QVERIFY2(moved > box.width() * 50 / 800 && moved < box.width() * 50 / 600,
                 qPrintable(QString::number(moved / box.width())));
        QTest::keyClick(&chart, Qt::Key_Home);
        QVERIFY(chart.isLive());

        QWheelEvent wheel(QPointF(400, 150), chart.mapToGlobal(QPointF(400, 150)), {}, {0, 120},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &wheel);
        QVERIFY(sameTime(chart.shownTime().width(), all.width() * 0.8));
        QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(400, 150));
        QVERIFY(chart.isLive());
    }

    // In a window whose focus is elsewhere, the keys reach the chart right after a wheel zoom.
    void keysFollowAWheelZoom() {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* chart = new TrendChart(&window);
        chart->setGeometry(0, 30, 806, 352);
        window.resize(806, 382);
        fillLevels(*chart, 601);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        edit->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(edit->hasFocus(), 5000);
        QWheelEvent wheel(QPointF(400, 150), chart->mapToGlobal(QPointF(400, 150)), {}, {0, 120},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &wheel);
        QVERIFY(!chart->isLive());
        QTest::keyClick(window.windowHandle(), Qt::Key_Home);
        QVERIFY(chart->isLive());
        QVERIFY(edit->text().isEmpty());
    }

    // A zoomed view draws only its stretch, also when the nearest point beyond an edge
    // lies days away.
    void zoomedViewDrawsItsStretchOnly() {
        for (bool view3d : {false, true}) {
            TrendChart chart;
            chart.setView3D(view3d);
            chart.setBackWallColor(0x00FFFFFF);
            for (int i = 0; i <= 40; ++i)
                chart.append(0, kStart + i * kSecond, 50 + (i % 2), {}, i <= 20 ? kRed : kBlue);
            chart.append(0, kStart + 3 * 86400 * kSecond, 0, {}, kGreen);
            chart.zoomToBox({kStart + 25 * kSecond, kStart + 35 * kSecond}, {0, 0});
            const QImage image = renderOf(chart);
            const QRect plot(70, 40, 700, 280);
            QVERIFY2(countColour(image, rgb(kBlue), plot) > 100, view3d ? "3D" : "2D");
            QCOMPARE(countColour(image, rgb(kRed), plot), 0);
        }
    }

    // Nearest point by time within the shown span: either side of the cursor, ties to the
    // earlier, values that are no number passed over, nothing outside the span; also across
    // the ring buffer's wrap.
    void nearestPointSearch() {
        ChartSeries series;
        for (int i = 0; i < 70; ++i)
            series.append(-1, 0, 0);
        for (int i = 0; i < 70; ++i)
            series.removeFirst(); // the points below straddle the buffer's end
        const double xs[] = {10, 20, 30, 40, 50};
        const double ys[] = {1, 2, qQNaN(), 4, 5};
        for (int i = 0; i < 5; ++i)
            series.append(xs[i], ys[i], 0);
        const Span all{0, 100};
        struct Case {
            double x;
            Span window;
            int expected;
        } cases[] = {
            {20, all, 1},      {24, all, 1},       {26, all, 1}, // 30 has no value
            {34, all, 3},      {15, all, 0},       {0, all, 0},   {99, all, 4},
            {12, {15, 100}, 1}, {48, {0, 45}, 3},  {25, {21, 29}, -1}, {45, {45, 45}, -1},
            {50, {50, 50}, 4},
        };
        for (const auto& c : cases)
            QVERIFY2(nearestIndex(series, c.x, c.window) == c.expected,
                     qPrintable(QStringLiteral("x=%1 → %2").arg(c.x).arg(
                         nearestIndex(series, c.x, c.window))));
        QCOMPARE(nearestIndex(ChartSeries{}, 10, all), -1);
        QCOMPARE(firstAtOrAfter(series, 30), 2);
        QCOMPARE(firstAfter(series, 30), 3);
    }

    // The readout gives the stored values, not the pixels: in 3D, in the regional format,
    // with the points' colours, leaving hidden series out.
    void readoutGivesStoredValues() {
        TrendChart chart;
        chart.setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        chart.setDepth3D(100);
        for (int i = 0; i < 10; ++i)
            for (int s = 0; s < TrendChart::kSeriesCount; ++s)
                chart.append(s, kStart + i * kSecond, 12.3 * (s + 1) + i, {}, 0x100 * (s + 1));
        chart.setSeriesShown(2, false);
        const Readout r = chart.readoutAt(kStart + 4.4 * kSecond);
        QCOMPARE(r.time, QStringLiteral("14.03.26 10:00:04"));
        QCOMPARE(int(r.rows.size()), 3);
        QCOMPARE(r.rows[0].value, QStringLiteral("16,3"));
        QCOMPARE(r.rows[1].value, QStringLiteral("28,6"));
        QCOMPARE(r.rows[2].series, 3);
        QCOMPARE(r.rows[2].value, QStringLiteral("53,2"));
        QCOMPARE(r.rows[2].color, 0x400u);
        QVERIFY(chart.readoutAt(kStart + 400 * kSecond).rows.size() == 3); // nearest: the last
        chart.clearAll();
        QVERIFY(chart.readoutAt(kStart).empty());
    }

    // The CSV bytes: UTF-8 header, ISO 8601 times, one column per channel with an empty cell
    // where a channel has no point, decimal point whatever the regional settings, CR LF.
    void csvBytes() {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        TrendChart chart;
        chart.append(0, kStart, 20.1, {}, kRed);
        chart.append(1, kStart, -0.5, {}, kRed);
        chart.append(2, kStart, 1e6, {}, kRed);
        chart.append(3, kStart, 3, {}, kRed);
        chart.append(0, kStart + kSecond, 20.25, {}, kRed);
        chart.append(3, kStart + kSecond, qInf(), {}, kRed);
        chart.setSeriesShown(3, false); // the whole store has every channel all the same
        QCOMPARE(chartPointsCsv(chart, ChartPoints::All),
                 QByteArray("\xC4\x8C"
                            "as,OUT 1,OUT 2,OUT 3,OUT 4\r\n"
                            "2026-03-14T10:00:00,20.1,-0.5,1000000,3\r\n"
                            "2026-03-14T10:00:01,20.25,,,inf\r\n"));
        // The view's file: the shown channels over the shown span.
        QCOMPARE(chartPointsCsv(chart, ChartPoints::Shown),
                 QByteArray("\xC4\x8C"
                            "as,OUT 1,OUT 2,OUT 3\r\n"
                            "2026-03-14T10:00:00,20.1,-0.5,1000000\r\n"
                            "2026-03-14T10:00:01,20.25,,\r\n"));
        chart.append(1, kStart + 1.5 * kSecond, 7, {}, kRed); // milliseconds: on every row
        const QList<QByteArray> lines = chartPointsCsv(chart, ChartPoints::All).split('\n');
        QCOMPARE(lines[1], QByteArray("2026-03-14T10:00:00.000,20.1,-0.5,1000000,3\r"));
        QCOMPARE(lines[3], QByteArray("2026-03-14T10:00:01.500,,7,,\r"));
        chart.zoomToBox({kStart + 0.9 * kSecond, kStart + 2.5 * kSecond}, {0, 0});
        QCOMPARE(chartPointsCsv(chart, ChartPoints::Shown),
                 QByteArray("\xC4\x8C"
                            "as,OUT 1,OUT 2,OUT 3\r\n"
                            "2026-03-14T10:00:01.000,20.25,,\r\n"
                            "2026-03-14T10:00:01.500,,7,\r\n"));
        QCOMPARE(chartPointsCsv(chart, ChartPoints::All).count('\n'), 4);
        chart.clearAll();
        chart.setSeriesShown(3, true);
        QCOMPARE(chartPointsCsv(chart, ChartPoints::All),
                 QByteArray("\xC4\x8C"
                            "as,OUT 1,OUT 2,OUT 3,OUT 4\r\n"));
        QLocale::setDefault(QLocale::c());

        // The picture has the widget's size and leaves the pause hint out.
        fillLevels(chart, 30);
        chart.resize(640, 300);
        chart.zoomTime(kStart + 10 * kSecond, 0.5);
        const QImage picture = chart.picture();
        QCOMPARE(picture.size(), QSize(640, 300));
        const QColor hintColour(255, 243, 196);
        QCOMPARE(countColour(picture, hintColour), 0);
    }
};

QTEST_MAIN(TestTrendChart)
#include "test_trend_chart.moc"
