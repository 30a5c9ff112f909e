#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "input/history_check.h"
#include "station_sim/station_sim.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::TempFolder;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kMax = std::numeric_limits<float>::max();

// The current data the check reads: header time, outdoor temperature, rain total and the two
// pressures (relative 1013.0 over absolute 970.0: a correction of 43.0 hPa).
sim::CurrentConditions current(int hour, int minute) {
    sim::CurrentConditions c;
    c.time = {2024, 3, 14, hour, minute, 0};
    c.outdoorTemp = 21.5;
    c.rainTotal = 123.4;
    c.pressureAbs = 970.0;
    c.pressureRel = 1013.0;
    return c;
}

// `count` records `secondsApart` apart, ending with `tail`; every other record holds values no
// day should show.
std::vector<HistoryRecord> history(int count, const std::vector<HistoryRecord>& tail = {},
                                   int secondsApart = 600) {
    std::vector<HistoryRecord> records(static_cast<std::size_t>(count), {0, 900.0f, 1.0f, 60.0f});
    std::copy(tail.begin(), tail.end(), records.end() - static_cast<std::ptrdiff_t>(tail.size()));
    for (int k = 1; k <= count; ++k) {
        records[static_cast<std::size_t>(k - 1)].time = 50000 + k * secondsApart;
    }
    return records;
}

// Tmin, Tmax, Pmin, Pmax and Raintoday as one text; a fresh store gives kUntouched.
std::string day(const Appoggio& s) {
    return s.Tmin + "|" + s.Tmax + "|" + s.Pmin + "|" + s.Pmax + "|" + s.Raintoday;
}
const std::string kUntouched = "Tmin|Tmax|Pmin|Pmax|RainToday";
const std::string kCurrentDataDay = " 21.5| 21.5| 1013| 1013| 123.4";

// Runs the check on a folder holding this history (extra bytes of a record being written
// appended) and this current data.
bool runCheck(const std::vector<HistoryRecord>& records, const sim::CurrentConditions& now,
              Appoggio& store, std::size_t extraBytes = 0) {
    TempFolder folder;
    test::writeHistoryFile(folder.file("history.dat"), records, extraBytes);
    EXPECT_TRUE(sim::writeCurrentData(folder.path(), now));
    return checkHistory(folder.path(), "history.dat", store);
}

TEST(HistoryCheck, StoresTheDaysExtremesAndRainBaseline) {
    // Records 97 to 100 of a 100-record file; at 00:25 s = 99 - floor(25 / 10) = 97.
    const std::vector<HistoryRecord> tail = {{0, 969.5f, 5.2f, -3.45f},
                                             {0, 971.0f, 5.3f, 12.37f},
                                             {0, 970.2f, 5.6f, 5.2f},
                                             {0, 975.0f, 6.0f, 30.0f}};
    const struct {
        const char* name;
        int count;
        std::vector<HistoryRecord> tail;
        std::size_t extraBytes;
        sim::CurrentConditions now;
        std::string expected;
    } cases[] = {
        // Temperatures are cut in single precision (-3.45 gives -3.5); pressures get the
        // correction: 969.5 counts as 1012.5.
        {"00:25, records 97 to 99", 100, tail, 0, current(0, 25), "-3.5| 12.3| 1012.5| 1014| 5.2"},
        {"00:05, the anchor alone", 100, tail, 0, current(0, 5), " 5.2| 5.2| 1013.2| 1013.2| 5.6"},
        // 100.5 records: the anchor 99.5 reads record 100, and 98.5 reads 98; the interval
        // is 20 minutes and s = 99.5 - 1 reads record 98 again, then 100.
        {"half a record more", 100, tail, 18, current(0, 25), " 12.3| 30| 1014| 1018| 5.3"},
        // The history does not reach midnight: the current data stands for the day.
        {"s exactly 0", 10, {}, 0, current(1, 30), kCurrentDataDay},
        // A third of a record more: s = 99.33 - 99 rounds to record 0, which no file has.
        {"s rounds to record 0", 100, {}, 12, current(16, 30), kCurrentDataDay},
        // Values that are no numbers take no part; a quantity with none left, or a baseline
        // that is no number, comes from the current data.
        {"NaN and infinity skipped",
         100,
         {{0, kNaN, 5.2f, kNaN}, {0, kInf, 5.3f, -kInf}, {0, 970.5f, 5.6f, 3.0f}, {}},
         0,
         current(0, 25),
         " 3| 3| 1013.5| 1013.5| 5.2"},
        {"nothing finite in the window", 100, std::vector<HistoryRecord>(4, {0, kNaN, kInf, kNaN}),
         0, current(0, 25), kCurrentDataDay},
        // Ten times the largest values overflows; they are whole already and stay as they are.
        {"the largest floats",
         100,
         {{0, 969.5f, -kMax, -kMax}, {0, 971.0f, 5.3f, kMax}, {0, 970.2f, 5.6f, 5.2f}, {}},
         0,
         current(0, 25),
         "-3.402823E+38| 3.402823E+38| 1012.5| 1014|-3.402823E+38"},
    };
    for (const auto& c : cases) {
        Appoggio store;
        EXPECT_TRUE(runCheck(history(c.count, c.tail), c.now, store, c.extraBytes)) << c.name;
        EXPECT_EQ(day(store), c.expected) << c.name;
    }
}

// A stored 5.2 is 5.19999981 in single precision: cut down through its widened value it would
// become 5.1, and the rain since midnight would show 0.1 mm that never fell.
TEST(HistoryCheck, SinglePrecisionValuesKeepTheirTenth) {
    for (const auto& [value, text] : {std::pair{5.2f, " 5.2"}, {0.7f, " .7"}, {-0.1f, "-.1"}}) {
        Appoggio store;
        const std::vector<HistoryRecord> all(10, {0, 970.0f, value, value});
        ASSERT_TRUE(runCheck(history(10, all), current(0, 5), store));
        EXPECT_EQ(day(store), std::string(text) + "|" + text + "| 1013| 1013|" + text);
    }
}

TEST(HistoryCheck, FailuresLeaveTheFiveValuesAsTheyWere) {
    const struct {
        const char* name;
        std::vector<HistoryRecord> records;
    } cases[] = {
        {"equal times", history(100, {}, 0)},
        {"times running backwards", history(100, {}, -600)},
        {"two records", history(2)},
    };
    for (const auto& c : cases) {
        Appoggio store;
        EXPECT_FALSE(runCheck(c.records, current(0, 5), store)) << c.name;
        EXPECT_EQ(day(store), kUntouched) << c.name;
    }
}

TEST(HistoryCheck, MissingFilesOrFolderFail) {
    TempFolder folder;
    Appoggio store;
    ASSERT_TRUE(sim::writeCurrentData(folder.path(), current(0, 25)));
    EXPECT_FALSE(checkHistory(folder.path(), "history.dat", store));  // no history file
    test::writeFileBytes(folder.file("history.dat"), sim::historyBytes(history(100)));
    std::filesystem::remove(folder.file("currdat.lst"));
    EXPECT_FALSE(checkHistory(folder.path(), "history.dat", store));  // no currdat.lst
    EXPECT_FALSE(checkHistory("", "history.dat", store));
    EXPECT_FALSE(checkHistory(folder.path(), "", store));
    EXPECT_EQ(day(store), kUntouched);
}

}  // namespace
}  // namespace brezzolo
