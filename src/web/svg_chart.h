#pragma once

#include <string>
#include <vector>

namespace brezzolo {

// A chart of the web page as plain data, before it becomes SVG. Times are minutes relative to
// the right end of the time axis (0), older ones negative.
struct TimeTick {
    double minutes = 0;
    std::string label;  // shown right of the tick's line; empty for a line alone
};

struct PlotPoint {
    double minutes = 0;
    double value = 0;
};

struct PlotBar {
    double fromMinutes = 0;
    double toMinutes = 0;
    double value = 0;
};

enum class PlotKind { Line, Bars };

struct ChartPlot {
    std::string title;
    double spanMinutes = 0;
    std::vector<TimeTick> ticks;
    PlotKind kind = PlotKind::Line;
    // A line is drawn through each run; a run of one point is a dot. Between runs is a gap.
    std::vector<std::vector<PlotPoint>> runs;
    std::vector<PlotBar> bars;  // from 0 up
    std::string colour;         // CSS colour of the line or the bars
};

// The value axis: from `low` to `high` in steps of `step`, each a whole multiple of the step.
struct ValueScale {
    double low = 0;
    double high = 1;
    double step = 1;
};

// The scale for these values: the smallest step of 1, 2 or 5 times a power of ten that covers
// them in at most five steps, the ends on whole steps. Bars start at 0; a level line gets a
// step above and below. `minimumStep` keeps the labels readable (0.1 for rain, 1 for the rest).
ValueScale valueScale(double lowest, double highest, bool fromZero, double minimumStep);

// The chart as an inline <svg> element: title, value axis with its labels, time axis with the
// ticks' lines and labels, and the lines or bars. A chart with nothing to draw says so.
// The same data give the same bytes on every system (no locale, no system number format).
std::string svgChart(const ChartPlot& plot);

// A number with this many decimals, "." as the point, no "-" before a zero: "1013.2", "-3".
std::string fixedText(double value, int decimals);

// Text for HTML and SVG: &, <, > and " as entities.
std::string escapedHtml(const std::string& text);

}  // namespace brezzolo
