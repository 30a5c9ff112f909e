#include "station/ws23xx_read_plan.h"

#include <vector>

#include <gtest/gtest.h>

namespace brezzolo::ws23xx {
namespace {

using Areas = std::vector<MemoryArea>;

TEST(Ws23xxReadPlan, NeighboursShareAReadWithinThirtyNibbles) {
    const struct {
        Areas areas;
        Areas reads;
    } cases[] = {
        {{{0x10, 4}}, {{0x10, 4}}},
        {{{0x18, 4}, {0x10, 4}}, {{0x10, 12}}},
        {{{0x10, 4}, {0x2F, 4}}, {{0x10, 4}, {0x2F, 4}}},  // 35 nibbles together
        {{{0x5D8, 5}, {0x5E2, 5}, {0x5EC, 5}}, {{0x5D8, 25}}},
        {{{0x200, 6}, {0x23B, 11}, {0x26B, 2}}, {{0x200, 6}, {0x23B, 11}, {0x26B, 2}}},
        // Filling the first read up to 30 nibbles would leave the last area a read of its own.
        {{{0x00, 1}, {0x1C, 2}, {0x1F, 2}}, {{0x00, 1}, {0x1C, 5}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(planReads(c.areas), c.reads);
    }
}

TEST(Ws23xxReadPlan, ThePollReadsEveryAreaWholeForFewerBytesThanAreaByArea) {
    const std::span<const MemoryArea> areas = stationValueAreas();
    const std::vector<MemoryArea> reads = planReads(areas);
    for (const MemoryArea& area : areas) {
        int covering = 0;
        for (const MemoryArea& read : reads) {
            covering += read.address <= area.address && area.end() <= read.end() ? 1 : 0;
        }
        EXPECT_EQ(covering, 1) << area.address;
    }
    for (const MemoryArea& read : reads) {
        EXPECT_LE(read.nibbles, 30);
    }
    EXPECT_LT(reads.size(), areas.size());
    EXPECT_LT(bytesExchanged(reads), bytesExchanged(areas));
}

// The recorded outdoor temperature read: 06 02, four address bytes and acks, CA 32, two data
// bytes and the checksum.
TEST(Ws23xxReadPlan, BytesOfOneRead) {
    EXPECT_EQ(bytesExchanged(4), 15);
    EXPECT_EQ(bytesExchanged(19), 23);
    EXPECT_EQ(bytesExchanged(Areas{{0, 4}, {9, 19}}), 38);
}

}  // namespace
}  // namespace brezzolo::ws23xx
