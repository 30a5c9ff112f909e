#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "web/history_series.h"
#include "web/svg_chart.h"
#include "web/web_charts.h"

namespace brezzolo {
namespace {

// A history of records `minutesApart`, record k at the time times(k) minutes and holding
// temperature k, pressure 1000 + k / 10 and rain total k / 10.
std::optional<WebHistory> history(int count, int minutesApart,
                                  const std::function<int(int)>& times = {}) {
    std::string bytes;
    for (int k = 1; k <= count; ++k) {
        const int minute = times ? times(k) : k * minutesApart;
        const HistoryRecord record{minute * 60, 1000.0f + static_cast<float>(k) / 10,
                                   static_cast<float>(k) / 10, static_cast<float>(k)};
        const HistoryRecordBytes one = encodeHistoryRecord(record);
        bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
    }
    test::TempFolder folder;
    test::writeFileBytes(folder.file("history.dat"), bytes);
    return readWebHistory(folder.file("history.dat"));
}

std::vector<PlotPoint> allPoints(const ChartPlot& plot) {
    std::vector<PlotPoint> points;
    for (const auto& run : plot.runs) {
        points.insert(points.end(), run.begin(), run.end());
    }
    return points;
}

TEST(WebCharts, SamplesLieWhereTheirRecordsDo) {
    const struct {
        const char* name;
        int count, minutesApart;
        bool week;
        std::size_t points;
        PlotPoint oldest, newest;  // minutes back and temperature (= record number)
    } cases[] = {
        // Anchor 999; one sample every 10 minutes, 2 records apart, back to 24 hours.
        {"day at 5 minutes", 1000, 5, false, 145, {-1440, 711}, {0, 999}},
        // The week at one sample an hour, 12 records apart.
        {"week at 5 minutes", 3000, 5, true, 169, {-10080, 983}, {0, 2999}},
        // Every record once when they are further apart than the step.
        {"day at 30 minutes", 100, 30, false, 49, {-1440, 51}, {0, 99}},
        // A short file: as far back as it goes; record 0 would be next.
        {"3 hours of a day", 37, 5, false, 18, {-170, 2}, {0, 36}},
    };
    for (const auto& c : cases) {
        const auto h = history(c.count, c.minutesApart);
        ASSERT_TRUE(h) << c.name;
        const auto charts = windowCharts(c.week ? h->week : h->day, {});
        const auto points = allPoints(charts.temperature);
        ASSERT_EQ(points.size(), c.points) << c.name;
        EXPECT_EQ(charts.temperature.runs.size(), 1u) << c.name;
        EXPECT_EQ(points.front().minutes, c.oldest.minutes) << c.name;
        EXPECT_EQ(points.front().value, c.oldest.value) << c.name;
        EXPECT_EQ(points.back().minutes, c.newest.minutes) << c.name;
        EXPECT_EQ(points.back().value, c.newest.value) << c.name;
    }
}

TEST(WebCharts, MissingRecordsLeaveAGapInEveryChart) {
    // 5-minute records with three hours missing between record 200 and 201; the samples take
    // every other record from the anchor, 399, down.
    const auto h = history(400, 5, [](int k) { return k * 5 + (k > 200 ? 180 : 0); });
    ASSERT_TRUE(h);
    const auto charts = windowCharts(h->day, {});
    for (const ChartPlot* plot : {&charts.temperature, &charts.pressure}) {
        ASSERT_EQ(plot->runs.size(), 2u) << plot->title;
        EXPECT_NEAR(plot->runs[0].back().value, plot == &charts.temperature ? 199 : 1019.9, 1e-4);
        EXPECT_NEAR(plot->runs[1].front().minutes - plot->runs[0].back().minutes, 190, 1e-9);
    }
    // No bar spans the gap: each is an hour long.
    for (const PlotBar& bar : charts.rain.bars) {
        EXPECT_LE(bar.toMinutes - bar.fromMinutes, 60) << bar.fromMinutes;
    }
}

TEST(WebCharts, RainPerHourAndThePressureShiftedToRelative) {
    const auto h = history(1000, 5);
    ASSERT_TRUE(h);
    const auto charts = windowCharts(h->day, {12.5, std::nullopt});
    // Twelve records an hour, each 0.1 mm more.
    ASSERT_EQ(charts.rain.bars.size(), 24u);
    for (const PlotBar& bar : charts.rain.bars) {
        EXPECT_NEAR(bar.value, 1.2, 1e-4);
        EXPECT_EQ(bar.toMinutes - bar.fromMinutes, 60);
    }
    EXPECT_NEAR(charts.pressure.runs.back().back().value, 1000 + 99.9 + 12.5, 1e-3);
    EXPECT_NE(charts.pressure.title.find("+ 12.5 hPa"), std::string::npos);
}

TEST(WebCharts, TheTimeAxisFollowsTheReadingsClock) {
    StationReading reading;
    reading.year = "2024";
    reading.monthNumber = "03";
    reading.day = "12";
    reading.hour = "08";
    reading.minute = "00";
    const auto h = history(3000, 5);
    ASSERT_TRUE(h);
    const ChartReference reference{0, readingClock(reading)};
    const auto day = windowCharts(h->day, reference);
    ASSERT_EQ(day.temperature.ticks.size(), 8u);
    EXPECT_EQ(day.temperature.ticks[0].label, "06:00");
    EXPECT_EQ(day.temperature.ticks[0].minutes, -120);
    EXPECT_EQ(day.temperature.ticks[7].label, "09:00");  // of the day before
    // The anchor stands one record before the reading.
    EXPECT_EQ(allPoints(day.temperature).back().minutes, -5);
    const auto week = windowCharts(h->week, reference);
    ASSERT_EQ(week.temperature.ticks.size(), 7u);
    EXPECT_EQ(week.temperature.ticks[0].label, "mar 12/03");
    EXPECT_EQ(week.temperature.ticks[6].label, "mer 06/03");
}

TEST(WebCharts, ValueScalesEndOnWholeSteps) {
    const struct {
        double lowest, highest;
        bool fromZero;
        double minimumStep;
        ValueScale expected;
    } cases[] = {
        {1002.3, 1017.8, false, 1, {1000, 1020, 5}},
        {-3.2, 12.5, false, 1, {-5, 15, 5}},
        {21, 21, false, 1, {20, 22, 1}},   // a level line on a step: a step above and below
        {0, 0, true, 0.1, {0, 0.1, 0.1}},  // no rain at all
        {0.2, 3.4, true, 0.1, {0, 4, 1}},
    };
    for (const auto& c : cases) {
        const ValueScale s = valueScale(c.lowest, c.highest, c.fromZero, c.minimumStep);
        EXPECT_NEAR(s.low, c.expected.low, 1e-9) << c.lowest << ".." << c.highest;
        EXPECT_NEAR(s.high, c.expected.high, 1e-9) << c.lowest << ".." << c.highest;
        EXPECT_NEAR(s.step, c.expected.step, 1e-9) << c.lowest << ".." << c.highest;
    }
}

TEST(WebCharts, SvgDrawsEachRunAsOneLine) {
    ChartPlot plot{"T", 60, {}, PlotKind::Line, {{{-60, 1}, {-30, 2}}, {{-10, 3}}}, {}, "#000"};
    const std::string svg = svgChart(plot);
    EXPECT_EQ(svg.find("<polyline", svg.find("<polyline") + 1), std::string::npos);
    EXPECT_NE(svg.find("points=\"56.0,182.0 385.0,106.0\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("<circle"), std::string::npos);  // the lone point
    plot.runs.clear();
    EXPECT_NE(svgChart(plot).find("Nessun dato nello storico"), std::string::npos);
}

}  // namespace
}  // namespace brezzolo
