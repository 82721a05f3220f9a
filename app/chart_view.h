#pragma once
// Which stretch of the trend the chart shows. Live, the time axis spans every point and
// follows the new ones. Once the operator zooms or pans, the view holds its own time span
// (and, after a box zoom, its value span) and stays put while points keep arriving, until it
// is sent back to live.

#include <optional>

struct Span {
    double lo = 0, hi = 0;
    double width() const { return hi - lo; }
};

class ChartView {
public:
    static constexpr double kMinSpan = 1.0 / 86400; // one second, in days
    static constexpr double kMinZoomOutSpan = 60.0 / 86400;

    bool live() const { return !time_; }
    // The time span shown, given the span of the points themselves.
    Span time(Span data) const { return time_ ? *time_ : data; }
    // The value span a box zoom holds; none while the values scale to the points shown.
    const std::optional<Span>& values() const { return values_; }

    // Scales the shown time span by factor (below 1 zooms in) so that the moment `anchor`
    // keeps its place on screen. The span stays between one second and ten times the data's
    // span (at least a minute).
    void zoom(Span data, double anchor, double factor);
    // Moves the shown time span by `days` (positive: later) and a held value span by `value`;
    // some of the points' time span always stays in view.
    void pan(Span data, double days, double value = 0);
    // Shows exactly the given box (corners in any order); a box narrower than one second
    // widens to one second around its middle.
    void zoomToBox(Span time, Span values);
    void goLive();

private:
    std::optional<Span> time_, values_;
};
