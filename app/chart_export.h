#pragma once
// The chart's points as CSV, for other programs: UTF-8, a header row "Čas,OUT 1,…,OUT 4",
// one row per moment with the time in ISO 8601 local time (milliseconds only when some
// point has them) and one column per channel, values with a decimal point in their shortest
// exact form, an empty cell where a channel has no point at that moment, CR LF line ends.
// The record file keeps its own format.

#include <QByteArray>
#include <QString>

class TrendChart;

// What the file holds: the view (the shown time span and the shown channels' columns) or
// every point the chart keeps, hidden channels too.
enum class ChartPoints { Shown, All };

QByteArray chartPointsCsv(const TrendChart& chart, ChartPoints which);

// The picture (TrendChart::picture) as a PNG file and the points as a CSV file; a file that
// cannot be written raises Failure naming it.
void saveChartPicture(TrendChart& chart, const QString& fileName);
void saveChartPoints(const TrendChart& chart, ChartPoints which, const QString& fileName);
