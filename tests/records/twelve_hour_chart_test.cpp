#include <array>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/history_file.h"
#include "records/twelve_hour_chart.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::TempFolder;
using Columns = std::array<double, 8>;

// A history of `count` records `secondsApart` apart; record k gets the values of `values(k)`.
// Written with the same record encoder the station simulator uses.
void writeHistory(const TempFolder& folder, int count, int secondsApart,
                  const std::function<HistoryRecord(int)>& values) {
    std::string bytes;
    for (int k = 1; k <= count; ++k) {
        HistoryRecord record = values(k);
        record.time = 7000 + k * secondsApart;
        const HistoryRecordBytes one = encodeHistoryRecord(record);
        bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
    }
    test::writeFileBytes(folder.file("history.dat"), bytes);
}

// Record k carries its own number as temperature, so the temperature chart shows which
// records the eight points read.
HistoryRecord numbered(int k) {
    return {0, 1000.0f, 0.0f, static_cast<float>(k)};
}

struct Drawn {
    bool ok;
    MainWindowModel window;
    Appoggio store;
};

Drawn draw(const TempFolder& folder, bool pressureChart) {
    Drawn d{false, MainWindowModel{}, Appoggio{}};
    d.window.markChart(pressureChart ? 1 : 2);
    d.ok = drawTwelveHourChart(folder.path(), "history.dat", d.window, d.store);
    return d;
}

TEST(TwelveHourChart, PointsReadTheirRecordsOrFallBackToTheNextNewer) {
    const struct {
        const char* name;
        int count;
        int secondsApart;
        Columns records;  // the record each column shows, 12 hours ago .. now
    } cases[] = {
        {"200 records at 10 minutes", 200, 600, {127, 151, 175, 187, 193, 196, 198, 199}},
        {"15 minutes: 10 minutes back is the anchor",
         200,
         900,
         {151, 167, 183, 191, 195, 197, 199, 199}},
        // The 1-hour point tests 2 - floor(61 / 30.5) = 0 and takes the 30-minute values,
        // although record 1, 60 minutes back, exists.
        {"30.5 minutes, anchor 2", 3, 1830, {2, 2, 2, 2, 2, 2, 2, 2}},
        {"1 minute, 61 records back missing", 62, 60, {31, 31, 31, 31, 31, 31, 51, 61}},
        {"10 hours: 12 hours falls back to 8", 60, 600, {11, 11, 35, 47, 53, 56, 58, 59}},
        {"3 hours: 4, 8 and 12 fall back to 2", 20, 600, {7, 7, 7, 7, 13, 16, 18, 19}},
        {"less than ten minutes", 3, 300, {2, 2, 2, 2, 2, 2, 2, 2}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        writeHistory(folder, c.count, c.secondsApart, numbered);
        const Drawn d = draw(folder, false);
        ASSERT_TRUE(d.ok) << c.name;
        EXPECT_EQ(d.window.MSChart1.values, c.records) << c.name;
        EXPECT_EQ(d.window.Label28.Caption, "Andamento della temperatura esterna (ultime 12 ore)");
    }
}

TEST(TwelveHourChart, PressureBarsStandOnTheLowestLessAQuarter) {
    TempFolder folder;
    writeHistory(folder, 200, 600, [](int k) {
        return HistoryRecord{0, 1000.0f + static_cast<float>(k % 8), 0.0f, 21.3f};
    });
    const Drawn pressure = draw(folder, true);
    ASSERT_TRUE(pressure.ok);
    // Records 127, 151, ... 199 hold 1007, 1007, 1007, 1003, 1001, 1004, 1006, 1007.
    EXPECT_EQ(pressure.window.MSChart1.values,
              (Columns{6.25, 6.25, 6.25, 2.25, 0.25, 3.25, 5.25, 6.25}));
    EXPECT_EQ(pressure.window.Label28.Caption,
              "Andamento relativo della pressione (ultime 12 ore)");

    // The temperature chart shows the values as read, single precision widened.
    const Drawn temperature = draw(folder, false);
    ASSERT_TRUE(temperature.ok);
    EXPECT_EQ(temperature.window.MSChart1.values[7], static_cast<double>(21.3f));
    EXPECT_EQ(temperature.store.statopress, pressure.store.statopress);
}

TEST(TwelveHourChart, TrendClassFromTheLastFourToEightHours) {
    const struct {
        const char* name;
        // p480, p240, p120, p60, p30, p0 in hPa; the 12-hour and 10-minute points get
        // wild values, which take no part.
        std::array<float, 6> pressures;
        const char* code;
        const char* word;
    } cases[] = {
        {"up then down", {1010, 1011, 1013, 1012, 1011, 1010}, "0", "variabile"},
        {"rising over 4 hours only",
         {1011, 1010.5, 1011, 1011.5, 1011.75, 1012},
         "1",
         "lieve aumento"},
        {"4-hour rise of exactly 3", {1011, 1010, 1011, 1012, 1012, 1013}, "1", "lieve aumento"},
        {"4-hour rise above 3", {1009, 1008, 1009, 1010, 1011, 1012}, "2", "aumento"},
        {"8-hour rise up to 3", {1010, 1010.5, 1011, 1011.5, 1012, 1013}, "2", "aumento"},
        {"8-hour rise above 3", {1005, 1007, 1009, 1010, 1011, 1012}, "3", "forte aumento"},
        {"falling over 4 hours only",
         {1013, 1014, 1013.5, 1013, 1012.5, 1012},
         "-1",
         "lieve diminuzione"},
        {"4-hour fall above 3", {1015, 1016, 1015, 1014, 1013, 1012}, "-2", "diminuzione"},
        {"8-hour fall up to 3", {1015, 1014, 1013.5, 1013, 1012.5, 1012}, "-2", "diminuzione"},
        {"falling by 5 over 8 hours",
         {1017, 1015, 1014, 1013, 1012.5, 1012},
         "-3",
         "forte diminuzione"},
        // Both rising and falling: the falling rules come last.
        {"level", {1013, 1013, 1013, 1013, 1013, 1013}, "-2", "diminuzione"},
        // Rule 3 gives "aumento", rule 4 (fall 0) overwrites it.
        {"level for 4 hours, 2 lower 8 hours ago",
         {1011, 1013, 1013, 1013, 1013, 1013},
         "-1",
         "lieve diminuzione"},
    };
    // 200 records at ten minutes: 8 h is record 151, then 175, 187, 193, 196 and the anchor
    // 199; 12 hours is 127 and 10 minutes 198.
    const std::array<int, 6> points{151, 175, 187, 193, 196, 199};
    for (const auto& c : cases) {
        TempFolder folder;
        writeHistory(folder, 200, 600, [&](int k) {
            for (std::size_t i = 0; i < points.size(); ++i) {
                if (k == points[i]) {
                    return HistoryRecord{0, c.pressures[i], 0.0f, 10.0f};
                }
            }
            return HistoryRecord{0, k % 2 == 0 ? 950.0f : 1070.0f, 0.0f, 10.0f};
        });
        for (const bool pressureChart : {true, false}) {
            const Drawn d = draw(folder, pressureChart);
            ASSERT_TRUE(d.ok) << c.name;
            EXPECT_EQ(d.store.statopress, c.code) << c.name;
            EXPECT_EQ(d.store.Tendenza, c.word) << c.name;
        }
    }
}

TEST(TwelveHourChart, WithoutAUsableHistoryNothingChanges) {
    const struct {
        const char* name;
        int count;
        int secondsApart;
    } cases[] = {
        {"no file", 0, 600},
        {"two records", 2, 600},
        {"equal times", 100, 0},
        {"times running backwards", 100, -600},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        if (c.count > 0) {
            writeHistory(folder, c.count, c.secondsApart, numbered);
        }
        MainWindowModel window;
        window.markChart(1);
        window.MSChart1.values = {1, 2, 3, 4, 5, 6, 7, 8};
        window.Label28.Caption = "before";
        Appoggio store;
        EXPECT_FALSE(drawTwelveHourChart(folder.path(), "history.dat", window, store)) << c.name;
        EXPECT_EQ(window.MSChart1.values, (Columns{1, 2, 3, 4, 5, 6, 7, 8})) << c.name;
        EXPECT_EQ(window.Label28.Caption, "before") << c.name;
        EXPECT_EQ(store.statopress, "StatoPress") << c.name;
        EXPECT_EQ(store.Tendenza, "Tendenza") << c.name;
    }
    MainWindowModel window;
    Appoggio store;
    EXPECT_FALSE(drawTwelveHourChart("", "history.dat", window, store));
}

}  // namespace
}  // namespace brezzolo
