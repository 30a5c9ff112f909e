#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/history_check.h"
#include "station_sim/station_sim.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::TempFolder;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

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

// Record k (from 1) of a history, given the values of every record.
using RecordValues = std::function<HistoryRecord(int k)>;

std::vector<HistoryRecord> history(int count, int secondsApart, const RecordValues& values) {
    std::vector<HistoryRecord> records;
    for (int k = 1; k <= count; ++k) {
        HistoryRecord r = values(k);
        r.time = 50000 + k * secondsApart;
        records.push_back(r);
    }
    return records;
}

// Outside the day's window every record holds values no day should show.
HistoryRecord farOff(int) {
    return {0, 900.0f, 1.0f, 60.0f};
}

struct Day {
    const char* tmin;
    const char* tmax;
    const char* pmin;
    const char* pmax;
    const char* raintoday;
};

const Day kUntouched{"Tmin?", "Tmax?", "Pmin?", "Pmax?", "Rain?"};

Appoggio storeHolding(const Day& day) {
    Appoggio store;
    store.Tmin = day.tmin;
    store.Tmax = day.tmax;
    store.Pmin = day.pmin;
    store.Pmax = day.pmax;
    store.Raintoday = day.raintoday;
    return store;
}

void expectDay(const Appoggio& store, const Day& day, const std::string& name) {
    EXPECT_EQ(store.Tmin, day.tmin) << name;
    EXPECT_EQ(store.Tmax, day.tmax) << name;
    EXPECT_EQ(store.Pmin, day.pmin) << name;
    EXPECT_EQ(store.Pmax, day.pmax) << name;
    EXPECT_EQ(store.Raintoday, day.raintoday) << name;
}

// Runs the check on a folder holding this history (extra bytes of a record being written
// appended) and this current data.
bool runCheck(const std::vector<HistoryRecord>& records, const sim::CurrentConditions& now,
              Appoggio& store, std::size_t extraBytes = 0) {
    TempFolder folder;
    std::string bytes = sim::historyBytes(records);
    bytes.append(extraBytes, '\0');
    test::writeFileBytes(folder.file("history.dat"), bytes);
    EXPECT_TRUE(sim::writeCurrentData(folder.path(), now));
    return checkHistory(folder.path(), "history.dat", store);
}

// 100 records ten minutes apart; records 97 to 99 are the window of a 00:25 header.
HistoryRecord window97to99(int k) {
    switch (k) {
        case 97:
            return {0, 969.5f, 5.2f, -3.45f};
        case 98:
            return {0, 971.0f, 5.3f, 12.37f};
        case 99:
            return {0, 970.2f, 5.6f, 5.2f};
        default:
            return farOff(k);
    }
}

TEST(HistoryCheck, StoresTheDaysExtremesAndRainBaseline) {
    const struct {
        const char* name;
        int count;
        int secondsApart;
        RecordValues values;
        sim::CurrentConditions now;
        Day expected;
        std::size_t extraBytes = 0;
    } cases[] = {
        // s = 99 - floor(25 / 10) = 97. Temperatures are cut in single precision (-3.45 gives
        // -3.5); pressures get the correction: 969.5 counts as 1012.5.
        {"00:25, records 97 to 99",
         100,
         600,
         window97to99,
         current(0, 25),
         {"-3.5", " 12.3", " 1012.5", " 1014", " 5.2"}},
        {"00:05, the anchor alone",
         100,
         600,
         window97to99,
         current(0, 5),
         {" 5.2", " 5.2", " 1013.2", " 1013.2", " 5.6"}},
        // A record still being written: 100.28 records, the same window.
        {"fractional record count",
         100,
         600,
         window97to99,
         current(0, 25),
         {"-3.5", " 12.3", " 1012.5", " 1014", " 5.2"},
         10},
        // 100.5 records: the anchor 99.5 reads record 100, and 98.5 reads 98; the interval
        // is 20 minutes and s = 99.5 - 1 reads record 98 again, then 100.
        {"half a record more",
         100,
         600,
         [](int k) {
             return k == 100 ? HistoryRecord{0, 975.0f, 6.0f, 30.0f} : window97to99(k);
         },
         current(0, 25),
         {" 12.3", " 30", " 1014", " 1018", " 5.3"},
         18},
        // The history does not reach midnight: the current data stands for the day.
        {"14:00 on 40 records",
         40,
         600,
         farOff,
         current(14, 0),
         {" 21.5", " 21.5", " 1013", " 1013", " 123.4"}},
        {"s exactly 0",
         10,
         600,
         farOff,
         current(1, 30),
         {" 21.5", " 21.5", " 1013", " 1013", " 123.4"}},
        // Values that are no numbers take no part; a quantity with none left, or a baseline
        // that is no number, comes from the current data.
        {"NaN and infinity skipped",
         100,
         600,
         [](int k) {
             switch (k) {
                 case 97:
                     return HistoryRecord{0, kNaN, 5.2f, kNaN};
                 case 98:
                     return HistoryRecord{0, kInf, 5.3f, -kInf};
                 case 99:
                     return HistoryRecord{0, 970.5f, 5.6f, 3.0f};
                 default:
                     return farOff(k);
             }
         },
         current(0, 25),
         {" 3", " 3", " 1013.5", " 1013.5", " 5.2"}},
        {"nothing finite in the window",
         100,
         600,
         [](int k) {
             return k >= 97 ? HistoryRecord{0, kNaN, kInf, kNaN} : farOff(k);
         },
         current(0, 25),
         {" 21.5", " 21.5", " 1013", " 1013", " 123.4"}},
    };
    for (const auto& c : cases) {
        Appoggio store = storeHolding(kUntouched);
        EXPECT_TRUE(
            runCheck(history(c.count, c.secondsApart, c.values), c.now, store, c.extraBytes))
            << c.name;
        expectDay(store, c.expected, c.name);
    }
}

// A stored 5.2 is 5.19999981 in single precision: cut down through its widened value it would
// become 5.1, and the rain since midnight would show 0.1 mm that never fell.
TEST(HistoryCheck, SinglePrecisionValuesKeepTheirTenth) {
    const struct {
        float value;
        const char* text;
    } cases[] = {{5.2f, " 5.2"}, {0.7f, " .7"}, {38.3f, " 38.3"}, {-0.1f, "-.1"}, {99.9f, " 99.9"}};
    for (const auto& c : cases) {
        const auto records = history(10, 600, [&](int) {
            return HistoryRecord{0, 970.0f, c.value, c.value};
        });
        Appoggio store;
        ASSERT_TRUE(runCheck(records, current(0, 5), store));
        EXPECT_EQ(store.Tmin, c.text);
        EXPECT_EQ(store.Tmax, c.text);
        EXPECT_EQ(store.Raintoday, c.text);
    }
}

TEST(HistoryCheck, FailuresLeaveTheFiveValuesAsTheyWere) {
    const struct {
        const char* name;
        std::vector<HistoryRecord> records;
    } cases[] = {
        {"equal times", history(100, 0, farOff)},
        {"times running backwards", history(100, -600, farOff)},
        {"two records", history(2, 600, farOff)},
        {"empty file", {}},
    };
    for (const auto& c : cases) {
        Appoggio store = storeHolding(kUntouched);
        EXPECT_FALSE(runCheck(c.records, current(0, 25), store)) << c.name;
        expectDay(store, kUntouched, c.name);
    }
}

TEST(HistoryCheck, MissingFilesOrFolderFail) {
    TempFolder folder;
    Appoggio store = storeHolding(kUntouched);
    // No history file.
    ASSERT_TRUE(sim::writeCurrentData(folder.path(), current(0, 25)));
    EXPECT_FALSE(checkHistory(folder.path(), "history.dat", store));
    // A history but no currdat.lst.
    test::writeFileBytes(folder.file("history.dat"), sim::historyBytes(history(100, 600, farOff)));
    EXPECT_TRUE(checkHistory(folder.path(), "history.dat", store));
    store = storeHolding(kUntouched);
    std::filesystem::remove(folder.file("currdat.lst"));
    EXPECT_FALSE(checkHistory(folder.path(), "history.dat", store));
    // No folder, or a history name that names nothing.
    EXPECT_FALSE(checkHistory("", "history.dat", store));
    EXPECT_FALSE(checkHistory(folder.path(), "", store));
    expectDay(store, kUntouched, "missing");
}

}  // namespace
}  // namespace brezzolo
