#pragma once
// The trend chart: four line series on a date-time X axis, drawn with QPainter.
//
// Each series keeps its points in one contiguous ring buffer (x, y and colour side by side,
// no object per point). Drawing reduces every pixel column to its first, last, minimum and
// maximum value, so a repaint costs in proportion to the width, not to the number of points.
// The segment drawn to a point takes that point's colour. In 3D view the back wall is set
// back by the depth percent and the series are drawn as ribbons one behind the other.
//
// Colours are the stored 32-bit values: 0x00BBGGRR, or a system colour with the top bit set.
//
// Reading the trend: a cursor line with a readout of the nearest points follows the mouse;
// the wheel zooms the time axis around the cursor, dragging pans, a drag with Shift zooms to
// a box, Home or a double click returns to the live view; the legend's entries hide and
// show series (on screen only). The context menu offers "Živý pohled" and the actions the
// window adds to the widget (the exports).

#include "app/chart_columns.h"
#include "app/chart_gaps.h"
#include "app/chart_legend.h"
#include "app/chart_readout.h"
#include "app/chart_series.h"
#include "app/chart_view.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class ChartPauseHint;

class TrendChart : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSeriesCount = 4;

    explicit TrendChart(QWidget* parent = nullptr);

    // X is a date-time: days since 30 December 1899, the fraction being the time of day.
    static double toChartTime(const QDateTime& moment);
    static QDateTime fromChartTime(double days);

    // Series are numbered 0..3. X values are kept ascending: a point older than the newest
    // is inserted where it belongs. A non-finite X raises Failure.
    int count(int series) const;
    void append(int series, double x, double y, const QString& label, std::uint32_t color);
    void deleteFirst(int series);
    void clear(int series);
    void clearAll();

    double xAt(int series, int index) const;
    double yAt(int series, int index) const;
    std::uint32_t colorAt(int series, int index) const;
    // The colour of a series as designed (red, green, yellow, blue); its points carry their own.
    std::uint32_t seriesColor(int series) const;

    bool view3D() const { return view_3d_; }
    void setView3D(bool on);
    int depth3D() const { return depth_3d_; }
    // 1..100 percent; any other value raises Failure.
    void setDepth3D(int percent);

    std::uint32_t backWallColor() const { return wall_color_; }
    void setBackWallColor(std::uint32_t color); // always painted solid
    std::uint32_t panelColor() const { return panel_color_; }
    void setPanelColor(std::uint32_t color);

    // Stretches without a good reading, shaded behind the series; cleared with the series.
    ChartGaps& gaps() { return gaps_; }
    const ChartGaps& gaps() const { return gaps_; }

    // Bytes held by the point buffers (for the benchmark's memory figure).
    std::size_t bufferBytes() const;

    // The pens as the window holds them, for the legend (the points keep their own colours).
    std::uint32_t penColor(int series) const;
    void setPenColor(int series, std::uint32_t color);
    // A hidden series is left out of the plot, its value axis and the readout.
    bool seriesShown(int series) const;
    void setSeriesShown(int series, bool shown);

    // The view: live, or held by a zoom or pan (see ChartView).
    bool isLive() const { return view_.live(); }
    // The time span of the points (a minute around a single moment, or around now when
    // there are none) and the span shown.
    Span dataTime() const;
    Span shownTime() const { return view_.time(dataTime()); }
    void zoomTime(double anchor, double factor);
    void panTime(double days);
    void zoomToBox(Span time, Span values);
    void showLive();

    // What the readout shows for the moment x (the points within the shown span).
    Readout readoutAt(double x) const;
    // The chart at the widget's size, as drawn, without cursor, readout or hint.
    QImage picture();

    QSize sizeHint() const override { return {806, 352}; }

signals:
    void liveChanged(bool live);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const ChartSeries& at(int series) const;
    int checked(int series, int index) const;
    ChartSeries& at(int series);
    bool anyPoints() const;

    // Input (trend_chart_input.cpp).
    void viewChanged(bool wasLive);
    void placeHint();
    bool overPlot(QPointF at) const;
    double timeAtPixel(double x) const;
    double valueAtPixel(double y) const;
    void paintCursor(QPainter& painter) const;

    // Where the last repaint put the plot: mouse positions map through it.
    struct Place {
        QRectF area, front; // the plot with its depth, and its front plane
        double depth = 0;
        Span time, values;
        LegendBoxes legend;
        bool valid = false;
    };
    Place place_;
    ChartView view_;
    std::array<std::uint32_t, kSeriesCount> pens_;
    std::array<bool, kSeriesCount> shown_{true, true, true, true};
    ChartPauseHint* hint_;
    std::optional<QPointF> cursor_;
    enum class Drag { None, Pending, Pan, Box };
    Drag drag_ = Drag::None;
    QPointF dragFrom_, dragLast_;
    bool picture_ = false; // set while picture() renders

    ChartSeries series_[kSeriesCount];
    ChartGaps gaps_;
    std::vector<ChartColumn> columns_[kSeriesCount]; // reused by every repaint
    bool view_3d_ = true;
    int depth_3d_ = 15;
    std::uint32_t wall_color_ = 0x00FFFFFFu;
    std::uint32_t panel_color_ = 0x8000000Fu;
};
