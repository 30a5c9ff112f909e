#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/main_window_model.h"

namespace brezzolo {

// How a window draws the twelve-hour chart, the same in every window program.

// The value axis: from min to max in ticks - 1 even steps.
struct ValueScale {
    double min = 0;
    double max = 1;
    int ticks = 5;
};

// A value axis that shows 0 and every bar's end in at most five round steps (1, 2, 2.5 or 5
// times a power of ten).
ValueScale valueScale(double lowest, double highest);

// The values as bars: a value that is not a number (a damaged history record) shows as an
// empty column rather than breaking the scale of the others.
std::array<double, kChartColumns> barValues(const ChartModel& chart);

// The share of its slot a bar fills.
inline constexpr double kBarWidthInSlot = 0.6;

// Where the eight bars stand in a plot area `left` .. `left + width` (in any unit), and the
// captions of the time axis, Label34's blank-separated words, each centred under its bar.
struct ChartColumnLayout {
    std::array<double, kChartColumns> centres{};
    double barWidth = 0;
    std::array<std::string, kChartColumns> captions;
};

ChartColumnLayout chartColumnLayout(std::string_view axisText, double left, double width);

}  // namespace brezzolo
