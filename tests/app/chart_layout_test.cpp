#include <algorithm>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "app/chart_layout.h"
#include "app/main_window_presenter.h"

namespace brezzolo {
namespace {

TEST(ChartLayout, ValueAxisHoldsEveryBarInAFewRoundSteps) {
    const struct {
        const char* what;
        double low, high;
    } cases[] = {
        {.what = "before the first cycle", .low = 0, .high = 0},
        {.what = "pressure change", .low = 0.25, .high = 3.125},
        {.what = "frost at night", .low = -4.5, .high = 2},
        {.what = "all below zero", .low = -12.5, .high = -8},
        {.what = "tiny", .low = 0, .high = 0.03},
    };
    for (const auto& c : cases) {
        const ValueScale s = valueScale(c.low, c.high);
        // 0 and both ends are on the axis, in at most five steps of 1, 2, 2.5 or 5 times a
        // power of ten.
        EXPECT_LE(s.min, std::min(0.0, c.low)) << c.what;
        EXPECT_GE(s.max, std::max(0.0, c.high)) << c.what;
        EXPECT_LE(s.ticks, 6) << c.what;
        const double step = (s.max - s.min) / (s.ticks - 1);
        const double factor = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        EXPECT_TRUE(std::abs(factor - 1) < 1e-9 || std::abs(factor - 2) < 1e-9 ||
                    std::abs(factor - 2.5) < 1e-9 || std::abs(factor - 5) < 1e-9)
            << c.what << ": step " << step;
    }
}

TEST(ChartLayout, BarsShareTheWidthAndTheirCaptionsStandUnderThem) {
    const std::string axis = startupWindowModel().Label34.Caption;
    const ChartColumnLayout layout = chartColumnLayout(axis, 50, 800);
    EXPECT_DOUBLE_EQ(layout.centres.front(), 100);
    EXPECT_DOUBLE_EQ(layout.centres.back(), 800);
    EXPECT_DOUBLE_EQ(layout.barWidth, 60);
    EXPECT_EQ(layout.captions.front(), "-12h");
    EXPECT_EQ(layout.captions[5], "-30min");
    EXPECT_EQ(layout.captions.back(), "adesso");
    // A text with other blanks or fewer words keeps what it has, in order.
    const ChartColumnLayout shortAxis = chartColumnLayout("  a   b ", 0, 8);
    EXPECT_EQ(shortAxis.captions[1], "b");
    EXPECT_EQ(shortAxis.captions[2], "");
}

TEST(ChartLayout, ANonNumberShowsAsAnEmptyColumn) {
    const ChartModel chart{{1, NAN, INFINITY, -2, 0, 0, 0, 3}};
    const auto values = barValues(chart);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[2], 0);
    EXPECT_EQ(values[3], -2);
}

}  // namespace
}  // namespace brezzolo
