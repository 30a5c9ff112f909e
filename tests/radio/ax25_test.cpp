#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "radio/ax25.h"

namespace brezzolo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// "IZ0ABC" shifted left one bit: I 0x49 -> 0x92, Z 0x5A -> 0xB4, 0 0x30 -> 0x60, A 0x41 ->
// 0x82, B 0x42 -> 0x84, C 0x43 -> 0x86; a blank 0x20 -> 0x40. The SSID byte is 0b011SSSSx.
const Bytes kApzbrz = {0x82, 0xA0, 0xB4, 0x84, 0xA4, 0xB4, 0x60};        // APZBRZ-0, not last
const Bytes kIz0abc13 = {0x92, 0xB4, 0x60, 0x82, 0x84, 0x86, 0x7A};      // SSID 13: 0x60|26
const Bytes kIz0abc13Last = {0x92, 0xB4, 0x60, 0x82, 0x84, 0x86, 0x7B};  // and the last bit
const Bytes kWide11 = {0xAE, 0x92, 0x88, 0x8A, 0x62, 0x40, 0x62};        // WIDE1-1, padded
const Bytes kWide21Last = {0xAE, 0x92, 0x88, 0x8A, 0x64, 0x40, 0x63};
const Bytes kK1Last = {0x96, 0x62, 0x40, 0x40, 0x40, 0x40, 0x61};  // K1: four blanks, SSID 0

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(Ax25, UiFramesWorkedOutByHand) {
    const Ax25Address iz0abc{"IZ0ABC", 13};
    const Ax25Address apzbrz{"APZBRZ", 0};
    const struct {
        const char* name;
        Ax25Address source;
        std::vector<Ax25Address> path;
        std::string information;
        Bytes frame;
    } cases[] = {
        {"no path: the source is the last address",
         iz0abc,
         {},
         "!",
         join({kApzbrz, kIz0abc13Last, {0x03, 0xF0, '!'}})},
        {"one digipeater",
         iz0abc,
         {{"WIDE2", 1}},
         "x",
         join({kApzbrz, kIz0abc13, kWide21Last, {0x03, 0xF0, 'x'}})},
        {"two digipeaters",
         iz0abc,
         {{"WIDE1", 1}, {"WIDE2", 1}},
         "",
         join({kApzbrz, kIz0abc13, kWide11, kWide21Last, {0x03, 0xF0}})},
        {"a short callsign without SSID",
         {"K1", 0},
         {},
         "",
         join({kApzbrz, kK1Last, {0x03, 0xF0}})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ax25UiFrame(c.source, apzbrz, c.path, c.information), c.frame) << c.name;
    }
}

TEST(Kiss, DataFramesEscapeFendAndFesc) {
    const struct {
        Bytes frame;
        Bytes kiss;
    } cases[] = {
        {{0x41, 0x42}, {0xC0, 0x00, 0x41, 0x42, 0xC0}},
        {{0xC0}, {0xC0, 0x00, 0xDB, 0xDC, 0xC0}},
        {{0xDB}, {0xC0, 0x00, 0xDB, 0xDD, 0xC0}},
        {{0xDB, 0xDC, 0xC0, 0xDD}, {0xC0, 0x00, 0xDB, 0xDD, 0xDC, 0xDB, 0xDC, 0xDD, 0xC0}},
        {{}, {0xC0, 0x00, 0xC0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kissDataFrame(c.frame), c.kiss);
    }
}

TEST(Ax25, AddressesAndPathsAsTyped) {
    const struct {
        const char* text;
        std::optional<std::vector<Ax25Address>> path;
    } cases[] = {
        {"WIDE2-1", std::vector<Ax25Address>{{"WIDE2", 1}}},
        {" wide1-1 , WIDE2-2 ", std::vector<Ax25Address>{{"WIDE1", 1}, {"WIDE2", 2}}},
        {"", std::vector<Ax25Address>{}},
        {"RELAY-0", std::vector<Ax25Address>{{"RELAY", 0}}},
        {"WIDE1-1,WIDE2-1,WIDE3-1", std::nullopt},  // three
        {"WIDE2-16", std::nullopt},
        {"WIDE2-01", std::nullopt},
        {"WIDE2-", std::nullopt},
        {"TOOLONG7", std::nullopt},
        {"WIDE2*", std::nullopt},
        {"WIDE1-1,", std::nullopt},
        {"TCPIP*", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDigipeaterPath(c.text), c.path) << c.text;
    }
}

}  // namespace
}  // namespace brezzolo
