#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/history_file.h"
#include "station/history_sync.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

constexpr std::int32_t kInterval = 300;  // 5 minutes
const CivilTime kNewest{2024, 3, 10, 12, 0, 0};
const std::int32_t kNewestSeconds = static_cast<std::int32_t>(historySeconds(kNewest));

StationHistoryHeader header(int newestIndex, int count, int minutesToNext = 3) {
    return {5, minutesToNext, kNewest, newestIndex, count};
}

// A file whose last record lies `intervalsBack` intervals before the station's newest.
HistoryFileState fileEndingAt(double intervalsBack, std::int32_t spacing = kInterval) {
    HistoryFileState file;
    file.length = 100 * kHistoryRecordSize;
    file.lastTime = kNewestSeconds - static_cast<std::int32_t>(intervalsBack * kInterval);
    file.spacingSeconds = spacing;
    return file;
}

TEST(HistorySync, PlanReadsOnlyWhatTheFileLacksOldestFirst) {
    struct Row {
        const char* name;
        HistoryFileState file;
        StationHistoryHeader header;
        std::vector<int> firstAndLast;  // empty: nothing to read
        std::size_t count;
        HistorySyncProblem problem;
    };
    using P = HistorySyncProblem;
    const Row rows[] = {
        {"empty file takes the ring", {}, header(9, 10), {0, 9}, 10, P::None},
        {"up to date", fileEndingAt(0), header(9, 10), {}, 0, P::None},
        {"gap of 3", fileEndingAt(3), header(9, 175), {7, 9}, 3, P::None},
        {"gap wider than the ring", fileEndingAt(500), header(100, 175), {101, 100}, 175, P::None},
        {"oldest about to be overwritten",
         fileEndingAt(500),
         header(100, 175, 1),
         {102, 100},
         174,
         P::None},
        {"wrapped ring index", fileEndingAt(3), header(1, 175), {174, 1}, 3, P::None},
        {"gap wider than a ring not yet full",
         fileEndingAt(50),
         header(19, 20),
         {0, 19},
         20,
         P::None},
        {"file a minute off", fileEndingAt(0.2), header(9, 10), {}, 0, P::None},
        {"file ahead of the station", fileEndingAt(-2), header(9, 10), {}, 0, P::FileAhead},
        {"interval changed", fileEndingAt(3, 3600), header(9, 10), {}, 0, P::IntervalChanged},
        {"empty ring", {}, header(0, 0), {}, 0, P::None},
        {"impossible index", {}, header(175, 10), {}, 0, P::BadHeader},
    };
    for (const Row& row : rows) {
        const HistoryPlan plan = planHistorySync(row.file, row.header, {});
        EXPECT_EQ(plan.problem, row.problem) << row.name;
        ASSERT_EQ(plan.indexes.size(), row.count) << row.name;
        if (!plan.indexes.empty()) {
            EXPECT_EQ((std::vector{plan.indexes.front(), plan.indexes.back()}), row.firstAndLast)
                << row.name;
        }
    }
}

TEST(HistorySync, WithoutTheStationsTimeTheNewestIsTheLastWholePcMinuteLessTheCountdown) {
    StationHistoryHeader h = header(9, 10);
    h.newestTime.reset();
    // 12:07:40 with the next record due in 3 minutes: the newest was taken at 12:05.
    const HistoryPlan plan = planHistorySync(fileEndingAt(0), h, {2024, 3, 10, 12, 7, 40});
    EXPECT_EQ(plan.newestTime, kNewestSeconds + kInterval);
    EXPECT_EQ(plan.indexes, std::vector<int>{9});
}

TEST(HistorySync, RainTotalsCountBackFromTheCurrentTotalAcrossTheCounterWrap) {
    HistoryPlan plan;
    plan.newestTime = kNewestSeconds;
    plan.intervalSeconds = kInterval;
    StationHistoryRecord a, b, c;
    a.rainCount = 4094;
    b.rainCount = 4095;
    c.rainCount = 2;
    a.outdoorTemp = -3.4;
    c.outdoorTemp = 7.4;
    a.pressureAbs = b.pressureAbs = c.pressureAbs = 1016.2;
    const auto records = historyRecords(plan, {a, b, c}, 100.0);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ((std::vector{records[0].time, records[1].time, records[2].time}),
              (std::vector{kNewestSeconds - 600, kNewestSeconds - 300, kNewestSeconds}));
    EXPECT_EQ((std::vector{records[0].rainTotal, records[1].rainTotal, records[2].rainTotal}),
              (std::vector{static_cast<float>(100 - 4 * 0.518), static_cast<float>(100 - 3 * 0.518),
                           100.0f}));
    EXPECT_EQ(records[0].outdoorTemp, -3.4f);
    EXPECT_TRUE(std::isnan(records[1].outdoorTemp));  // a lost sensor's value
    EXPECT_EQ(records[2].pressureAbs, 1016.2f);
}

// The station's ring as the fake reads it: record i's pressure is 1000 + i, its tip count i.
StationRead<std::vector<StationHistoryRecord>> ring(const std::vector<int>& indexes) {
    std::vector<StationHistoryRecord> records;
    for (int i : indexes) {
        StationHistoryRecord r;
        r.pressureAbs = 1000 + i;
        r.rainCount = i;
        r.outdoorTemp = 10;
        records.push_back(r);
    }
    StationRead<std::vector<StationHistoryRecord>> read;
    read.value = records;
    return read;
}

TEST(HistorySync, AppendedRecordsReadBackAndAPartialRecordIsCutFirst) {
    test::TempFolder folder;
    const std::string path = folder.file("history.dat");
    HistorySyncOutcome outcome = syncHistory(path, header(9, 10), ring, 50.0, {});
    EXPECT_EQ(outcome.appended, 10);

    // A crash in the middle of a write left part of a record; then two new station records.
    test::writeFileBytes(path, test::readFileBytes(path) + std::string(20, '\x7f'));
    StationHistoryHeader later = header(11, 12);
    later.newestTime->minute = 10;
    outcome = syncHistory(path, later, ring, 51.0, {});
    EXPECT_TRUE(outcome.cutPartialRecord);
    EXPECT_EQ(outcome.appended, 2);
    EXPECT_EQ(outcome.problem, HistorySyncProblem::None);

    const auto layout = readHistoryLayout(path);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->recordCount, 12.0);
    EXPECT_EQ(layout->sampleInterval, 5.0);
    auto reader = HistoryReader::open(path);
    const HistoryRecord first = reader->read(1).value(), last = reader->read(12).value();
    EXPECT_EQ(last.time - first.time, 11 * kInterval);
    EXPECT_EQ((std::vector{first.pressureAbs, last.pressureAbs}), (std::vector{1000.0f, 1011.0f}));
    EXPECT_EQ((std::vector{first.rainTotal, last.rainTotal}),
              (std::vector{static_cast<float>(50.0 - 9 * 0.518), 51.0f}));

    // Nothing new: nothing appended.
    EXPECT_EQ(syncHistory(path, later, ring, 51.0, {}).appended, 0);
    EXPECT_EQ(test::readFileBytes(path).size(), 12 * kHistoryRecordSize);
}

}  // namespace
}  // namespace brezzolo
