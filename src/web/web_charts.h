#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/station_reading.h"
#include "web/history_series.h"
#include "web/svg_chart.h"

namespace brezzolo {

// The reading's local date and time as seconds counted as if it were UTC: only for calendar
// arithmetic (the days and hours before it), never a real moment. Nothing when the header's
// pieces do not make a valid date and time.
std::optional<std::int64_t> readingClock(const StationReading& reading);

// The three charts of one window: outdoor temperature, relative pressure and rain per hour.
struct WindowCharts {
    ChartPlot temperature;
    ChartPlot pressure;
    ChartPlot rain;
};

// What the charts take from the current reading.
struct ChartReference {
    // The reading's relative minus absolute pressure: the history holds the absolute one, and
    // the chart shifted by this reads like the panel's relative pressure.
    double pressureShift = 0;
    // The reading's clock (readingClock): the time axis ends at it, and the anchor record
    // stands one sample interval before it, the record after the anchor being the one Heavy
    // Weather writes at the reading's time. Without it the axis counts hours or days back.
    std::optional<std::int64_t> clock;
};

// The charts of a window drawn from its samples. Lines join neighbouring samples no further
// apart than the series' join limit; a wider distance, or a value that is no number, is a
// gap. Rain per hour is the difference of the rain totals of samples an hour apart, drawn
// over the hour it covers; a pair whose records lie much more than an hour apart, or whose
// total went down (the counter was reset), gives no bar.
WindowCharts windowCharts(const HistorySeries& series, const ChartReference& reference);

}  // namespace brezzolo
