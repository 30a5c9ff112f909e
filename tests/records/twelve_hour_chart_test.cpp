#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "records/twelve_hour_chart.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using Columns = std::array<double, 8>;

// Record k carries its own number as temperature: the chart shows which records it reads.
HistoryRecord numbered(int k) {
    return {0, 1000.0f, 0.0f, static_cast<float>(k)};
}

// Draws the pressure or temperature chart from a history of `count` records `secondsApart`
// apart, record k holding values(k), and `extraBytes` of a record being written, on a window
// showing 1 to 8 under "before".
std::tuple<bool, MainWindowModel, Appoggio> draw(
    int count, int secondsApart, bool pressureChart,
    const std::function<HistoryRecord(int)>& values = numbered, std::size_t extraBytes = 0) {
    std::vector<HistoryRecord> records;
    for (int k = 1; k <= count; ++k) {
        records.push_back(values(k));
        records.back().time = 7000 + k * secondsApart;
    }
    test::TempFolder folder;
    test::writeHistoryFile(folder.file("history.dat"), records, extraBytes);
    MainWindowModel window;
    window.markChart(pressureChart ? ChartChoice::Pressure : ChartChoice::OutdoorTemperature);
    window.MSChart1.values = {1, 2, 3, 4, 5, 6, 7, 8};
    window.Label28.Caption = "before";
    Appoggio store;
    const bool ok = drawTwelveHourChart(folder.path(), "history.dat", window, store);
    return {ok, window, store};
}

TEST(TwelveHourChart, PointsReadTheirRecordsOrFallBackToTheNextNewer) {
    const struct {
        const char* name;
        int count, secondsApart;
        Columns records;  // the record each column shows, 12 hours ago .. now
        std::size_t extra = 0;
    } cases[] = {
        {"200 records at 10 minutes", 200, 600, {127, 151, 175, 187, 193, 196, 198, 199}},
        {"15 minutes: 10 back is the anchor", 200, 900, {151, 167, 183, 191, 195, 197, 199, 199}},
        // 1 hour tests 61 back, which is missing, and takes the 30-minute values.
        {"1 minute", 62, 60, {31, 31, 31, 31, 31, 31, 51, 61}},
        {"3 hours: 4, 8 and 12 fall back to 2", 20, 600, {7, 7, 7, 7, 13, 16, 18, 19}},
        {"less than ten minutes", 3, 300, {2, 2, 2, 2, 2, 2, 2, 2}},
        // A third of a record more: 12 hours back is record 144.33 - 144, which rounds to 0.
        {"record 0.33 is missing", 145, 300, {48, 48, 96, 120, 132, 138, 142, 144}, 12},
    };
    for (const auto& c : cases) {
        const auto [ok, window, store] = draw(c.count, c.secondsApart, false, numbered, c.extra);
        ASSERT_TRUE(ok) << c.name;
        EXPECT_EQ(window.MSChart1.values, c.records) << c.name;
        EXPECT_EQ(window.Label28.Caption, "Andamento della temperatura esterna (ultime 12 ore)");
    }
}

TEST(TwelveHourChart, PressureBarsStandOnTheLowestLessAQuarter) {
    const auto [ok, window, store] = draw(200, 600, true, [](int k) {
        return HistoryRecord{0, 1000.0f + static_cast<float>(k % 8), 0.0f, 21.3f};
    });
    ASSERT_TRUE(ok);
    // Records 127, 151, ... 199 hold 1007, 1007, 1007, 1003, 1001, 1004, 1006, 1007.
    EXPECT_EQ(window.MSChart1.values, (Columns{6.25, 6.25, 6.25, 2.25, 0.25, 3.25, 5.25, 6.25}));
    EXPECT_EQ(window.Label28.Caption, "Andamento relativo della pressione (ultime 12 ore)");
}

// A record from a damaged file may hold NaN or an infinity: its bar is empty, it takes no part
// in the lowest pressure, and a trend through it cannot be told.
TEST(TwelveHourChart, AValueThatIsNoFiniteNumberGivesAnEmptyBar) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const auto values = [](int k) {
        HistoryRecord r{0, 1000.0f + static_cast<float>(k % 8), 0.0f, 21.5f};
        if (k == 127) {
            r.pressureAbs = -kInf;
        } else if (k == 151) {
            r.outdoorTemp = kInf;
        } else if (k == 199) {
            r.pressureAbs = std::numeric_limits<float>::quiet_NaN();
        }
        return r;
    };
    const auto [ok, window, store] = draw(200, 600, true, values);
    ASSERT_TRUE(ok);
    EXPECT_EQ(window.MSChart1.values, (Columns{0, 6.25, 6.25, 2.25, 0.25, 3.25, 5.25, 0}));
    EXPECT_EQ(store.statopress, "0");
    EXPECT_EQ(store.Tendenza, "variabile");
    const auto [drawn, temperatures, unused] = draw(200, 600, false, values);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(temperatures.MSChart1.values, (Columns{21.5, 0, 21.5, 21.5, 21.5, 21.5, 21.5, 21.5}));
}

TEST(TwelveHourChart, TrendClassFromTheLastFourToEightHours) {
    const struct {
        const char* name;
        std::array<float, 6> pressures;  // p480, p240, p120, p60, p30, p0 in hPa
        const char *code, *word;
    } cases[] = {
        // p480 equal to p240 still makes an 8-hour rise or fall (the rows of 3 and of 2).
        {"up then down", {1010, 1011, 1013, 1012, 1011, 1010}, "0", "variabile"},
        {"4-hour rise of exactly 3", {1011, 1010, 1011, 1012, 1012, 1013}, "1", "lieve aumento"},
        {"4-hour rise above 3", {1009, 1008, 1009, 1010, 1011, 1012}, "2", "aumento"},
        {"8-hour rise of 3", {1010, 1010, 1011, 1011.5, 1012, 1013}, "2", "aumento"},
        {"8-hour rise above 3", {1005, 1007, 1009, 1010, 1011, 1012}, "3", "forte aumento"},
        {"4-hour fall", {1013, 1014, 1013.5, 1013, 1012.5, 1012}, "-1", "lieve diminuzione"},
        {"4-hour fall above 3", {1015, 1016, 1015, 1014, 1013, 1012}, "-2", "diminuzione"},
        {"8-hour fall of 2", {1014, 1014, 1013.5, 1013, 1012.5, 1012}, "-2", "diminuzione"},
        {"8-hour fall of 5", {1017, 1015, 1014, 1013, 1012.5, 1012}, "-3", "forte diminuzione"},
        {"level", {1013, 1013, 1013, 1013, 1013, 1013}, "-2", "diminuzione"},  // falling rules last
    };
    // 200 records ten minutes apart: 8 h is record 151, then 175, 187, 193, 196 and the anchor
    // 199; the 12-hour (127) and 10-minute (198) points get wild values, which take no part.
    const std::array<int, 6> points{151, 175, 187, 193, 196, 199};
    for (const auto& c : cases) {
        const auto values = [&](int k) {
            const auto point = std::find(points.begin(), points.end(), k) - points.begin();
            const float wild = k % 2 == 0 ? 950.0f : 1070.0f;
            return HistoryRecord{0, point < 6 ? c.pressures[point] : wild, 0.0f, 10.0f};
        };
        const auto [ok, window, store] = draw(200, 600, false, values);  // on either chart
        ASSERT_TRUE(ok) << c.name;
        EXPECT_EQ(store.statopress, c.code) << c.name;
        EXPECT_EQ(store.Tendenza, c.word) << c.name;
    }
}

TEST(TwelveHourChart, WithoutAUsableHistoryNothingChanges) {
    const struct {
        const char* name;
        int count, secondsApart;
    } cases[] = {
        {"two records", 2, 600}, {"equal times", 100, 0}, {"running backwards", 100, -60000}};
    for (const auto& c : cases) {
        const auto [ok, window, store] = draw(c.count, c.secondsApart, true);
        EXPECT_FALSE(ok) << c.name;
        EXPECT_EQ(window.MSChart1.values, (Columns{1, 2, 3, 4, 5, 6, 7, 8})) << c.name;
        EXPECT_EQ(window.Label28.Caption, "before") << c.name;
        EXPECT_EQ(store.statopress, "StatoPress") << c.name;
        EXPECT_EQ(store.Tendenza, "Tendenza") << c.name;
    }
    auto [ok, window, store] = draw(100, 600, true);
    EXPECT_FALSE(drawTwelveHourChart("", "history.dat", window, store));  // no folder
}

}  // namespace
}  // namespace brezzolo
