#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/history_file.h"
#include "station_sim/station_sim.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::TempFolder;
using test::writeFileBytes;

// `count` records `secondsApart` apart, record k carrying k in its temperature, plus
// `extraBytes` of a record still being written.
std::string historyFile(const TempFolder& folder, int count, int secondsApart,
                        std::size_t extraBytes = 0) {
    std::vector<HistoryRecord> records;
    for (int k = 1; k <= count; ++k) {
        records.push_back({100000 + k * secondsApart, 1000.0f, 0.0f, static_cast<float>(k)});
    }
    std::string bytes = sim::historyBytes(records);
    bytes.append(extraBytes, '\x7f');
    const std::string path = folder.file("history.dat");
    writeFileBytes(path, bytes);
    return path;
}

TEST(HistoryFile, FieldsAreReadLittleEndianAtTheirOffsets) {
    HistoryRecordBytes bytes;
    bytes.fill(0xAA);                                           // the bytes in between are not read
    const unsigned char time[] = {0xFC, 0xFF, 0xFF, 0xFF};      // -4
    const unsigned char pressure[] = {0x00, 0x50, 0x7D, 0x44};  // 1013.25
    const unsigned char rain[] = {0x00, 0x00, 0x48, 0x41};      // 12.5
    const unsigned char temp[] = {0x00, 0x00, 0x60, 0xC0};      // -3.5
    for (int i = 0; i < 4; ++i) {
        bytes[4 + i] = time[i];
        bytes[8 + i] = pressure[i];
        bytes[20 + i] = rain[i];
        bytes[28 + i] = temp[i];
    }
    const HistoryRecord record = decodeHistoryRecord(bytes);
    EXPECT_EQ(record.time, -4);
    EXPECT_EQ(record.pressureAbs, 1013.25f);
    EXPECT_EQ(record.rainTotal, 12.5f);
    EXPECT_EQ(record.outdoorTemp, -3.5f);

    // Written back, the unread bytes are zero and the fields land where they were.
    const HistoryRecordBytes written = encodeHistoryRecord(record);
    for (std::size_t i = 0; i < written.size(); ++i) {
        const bool field = (i >= 4 && i < 12) || (i >= 20 && i < 24) || (i >= 28 && i < 32);
        EXPECT_EQ(written[i], field ? bytes[i] : 0) << "byte " << i;
    }
}

TEST(HistoryFile, RecordNumbersRoundHalfToEven) {
    const struct {
        double number;
        std::int64_t record;
    } cases[] = {{96.5, 96}, {97.5, 98}, {98.2, 98}, {98.7, 99}, {1.5, 2}, {0.5, 0}, {99, 99}};
    for (const auto& c : cases) {
        EXPECT_EQ(roundedRecordNumber(c.number), c.record) << c.number;
    }
}

TEST(HistoryFile, AnchorAndSampleIntervalFromTheFileLength) {
    const struct {
        int count;
        int secondsApart;
        std::size_t extraBytes;
        double recordCount, anchor, interval;
    } cases[] = {
        {100, 600, 0, 100, 99, 10},
        {3, 60, 0, 3, 2, 1},
        {100, 900, 0, 100, 99, 15},
        {50, 1830, 0, 50, 49, 30.5},
        // A record being written: 10 bytes more read records 99 and 98 ...
        {100, 600, 10, 100 + 10.0 / 36, 99 + 10.0 / 36, 10},
        // ... half a record more makes the anchor 99.5, which reads record 100, while 98.5
        // reads record 98: two steps apart.
        {100, 600, 18, 100.5, 99.5, 20},
        // Times running backwards give a negative interval; equal times give 0.
        {10, -300, 0, 10, 9, -5},
        {10, 0, 0, 10, 9, 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const auto layout =
            readHistoryLayout(historyFile(folder, c.count, c.secondsApart, c.extraBytes));
        ASSERT_TRUE(layout) << c.count << " records + " << c.extraBytes;
        EXPECT_DOUBLE_EQ(layout->recordCount, c.recordCount);
        EXPECT_DOUBLE_EQ(layout->anchor, c.anchor);
        EXPECT_DOUBLE_EQ(layout->sampleInterval, c.interval);
    }
}

TEST(HistoryFile, NoLayoutWithoutThreeRecords) {
    TempFolder folder;
    EXPECT_FALSE(readHistoryLayout(folder.file("missing.dat")));
    EXPECT_FALSE(readHistoryLayout(folder.path()));  // a folder is no history file
    writeFileBytes(folder.file("empty.dat"), "");
    EXPECT_FALSE(readHistoryLayout(folder.file("empty.dat")));
    EXPECT_FALSE(readHistoryLayout(historyFile(folder, 2, 600)));
    EXPECT_FALSE(readHistoryLayout(historyFile(folder, 2, 600, 35)));  // 2.97 records
    EXPECT_TRUE(readHistoryLayout(historyFile(folder, 3, 600)));
}

TEST(HistoryFile, RecordsMinutesBeforeTheAnchor) {
    const struct {
        double anchor, interval, minutes, record;
    } cases[] = {
        {99, 10, 30, 96},    // 100 records ten minutes apart
        {99, 15, 10, 99},    // floor(10 / 15) is 0: the anchor itself
        {99, 10, 25, 97},    // 00:25 with a 10-minute interval
        {39, 10, 840, -45},  // 14:00 on a short file: before the first record
        {2, 30.5, 61, 0},    // does not exist
        {2, 30.5, 60, 1},
    };
    for (const auto& c : cases) {
        HistoryLayout layout{c.anchor + 1, c.anchor, c.interval};
        EXPECT_DOUBLE_EQ(recordBeforeAnchor(layout, c.minutes), c.record)
            << c.minutes << " minutes at " << c.interval;
    }
}

TEST(HistoryFile, ReadsOnlyWholeRecordsInsideTheFile) {
    TempFolder folder;
    auto reader = HistoryReader::open(historyFile(folder, 5, 600, 20));
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->read(1)->outdoorTemp, 1.0f);
    EXPECT_EQ(reader->read(5)->outdoorTemp, 5.0f);
    EXPECT_EQ(reader->read(4.4)->outdoorTemp, 4.0f);
    EXPECT_FALSE(reader->read(6));    // only 20 bytes of it
    EXPECT_FALSE(reader->read(0.4));  // record 0
    EXPECT_FALSE(reader->read(-3));
    EXPECT_FALSE(reader->read(std::nan("")));
    EXPECT_EQ(reader->read(2)->outdoorTemp, 2.0f);  // a failed read leaves the file usable
}

}  // namespace
}  // namespace brezzolo
