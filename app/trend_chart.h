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

#include "app/chart_columns.h"
#include "app/chart_series.h"

#include <QDateTime>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <vector>

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

    // Bytes held by the point buffers (for the benchmark's memory figure).
    std::size_t bufferBytes() const;

    QSize sizeHint() const override { return {806, 352}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ChartSeries& at(int series) const;
    int checked(int series, int index) const;
    ChartSeries& at(int series);

    ChartSeries series_[kSeriesCount];
    std::vector<ChartColumn> columns_[kSeriesCount]; // reused by every repaint
    bool view_3d_ = true;
    int depth_3d_ = 15;
    std::uint32_t wall_color_ = 0x00FFFFFFu;
    std::uint32_t panel_color_ = 0x8000000Fu;
};
