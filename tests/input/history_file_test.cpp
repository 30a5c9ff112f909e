#include <algorithm>
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

// `count` records `secondsApart` apart, record k carrying k in its temperature, plus
// `extraBytes` of a record still being written.
std::string historyFile(const TempFolder& folder, int count, int secondsApart,
                        std::size_t extraBytes = 0) {
    std::vector<HistoryRecord> records;
    for (int k = 1; k <= count; ++k) {
        records.push_back({100000 + k * secondsApart, 1000.0f, 0.0f, static_cast<float>(k)});
    }
    const std::string path = folder.file("history.dat");
    test::writeFileBytes(path, sim::historyBytes(records) + std::string(extraBytes, '\x7f'));
    return path;
}

TEST(HistoryFile, FieldsAreReadLittleEndianAtTheirOffsets) {
    // Offset and bytes of time -4, pressure 1013.25, rain 12.5 and temperature -3.5.
    const unsigned char fields[][5] = {{4, 0xFC, 0xFF, 0xFF, 0xFF},
                                       {8, 0x00, 0x50, 0x7D, 0x44},
                                       {20, 0x00, 0x00, 0x48, 0x41},
                                       {28, 0x00, 0x00, 0x60, 0xC0}};
    HistoryRecordBytes bytes{};
    for (const auto& f : fields) {
        std::copy(f + 1, f + 5, bytes.begin() + f[0]);
    }
    HistoryRecordBytes noisy = bytes;  // the bytes in between are not read
    noisy[0] = noisy[12] = noisy[19] = noisy[24] = noisy[35] = 0xAA;
    const HistoryRecord record = decodeHistoryRecord(noisy);
    EXPECT_EQ(record.time, -4);
    EXPECT_EQ(record.pressureAbs, 1013.25f);
    EXPECT_EQ(record.rainTotal, 12.5f);
    EXPECT_EQ(record.outdoorTemp, -3.5f);
    EXPECT_EQ(encodeHistoryRecord(record), bytes);  // written back, the unread bytes are 0
}

TEST(HistoryFile, LayoutFromTheFileLength) {
    const struct {
        int count, secondsApart;
        std::size_t extraBytes;
        double recordCount, anchor, interval;
    } cases[] = {
        {100, 600, 0, 100, 99, 10},
        {50, 1830, 0, 50, 49, 30.5},
        // A record being written: half a record more makes the anchor 99.5, which reads
        // record 100, while 98.5 reads record 98 (halves go to the even one): two steps apart.
        {100, 600, 18, 100.5, 99.5, 20},
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
    TempFolder folder;  // no layout without three records
    EXPECT_FALSE(readHistoryLayout(folder.file("missing.dat")));
    EXPECT_FALSE(readHistoryLayout(folder.path()));  // a folder is no history file
    EXPECT_FALSE(readHistoryLayout(historyFile(folder, 2, 600, 35)));  // 2.97 records
    EXPECT_TRUE(readHistoryLayout(historyFile(folder, 3, 600)));
}

TEST(HistoryFile, ReadsOnlyWholeRecordsInsideTheFile) {
    TempFolder folder;
    auto reader = HistoryReader::open(historyFile(folder, 5, 600, 20));
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->read(4.6)->outdoorTemp, 5.0f);  // the nearest record
    EXPECT_FALSE(reader->read(6));                    // only 20 bytes of it
    EXPECT_FALSE(reader->read(0.4));                  // record 0
    EXPECT_FALSE(reader->read(std::nan("")));
    EXPECT_EQ(reader->read(2)->outdoorTemp, 2.0f);  // a failed read leaves the file usable
}

}  // namespace
}  // namespace brezzolo
