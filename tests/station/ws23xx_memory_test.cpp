#include "station/ws23xx_memory.h"

#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace brezzolo::ws23xx {
namespace {

using N = std::vector<std::uint8_t>;
constexpr std::uint8_t A = 0xA, B = 0xB, C = 0xC, D = 0xD, E = 0xE, F = 0xF;

TEST(Ws23xxMemory, Temperatures) {
    const struct {
        N nibbles;
        std::optional<double> celsius;
    } cases[] = {
        {{0, 6, 8, 5}, 28.60},        {{0, 4, 7, 3}, 7.40},         {{9, 4, 2, 3}, 2.49},
        {{0, 1, 3, 2}, -6.90},        {{1, 0, 0, 0}, -29.99},       {{9, 7, 9, 9}, 69.79},
        {{0, 0, 0, 0}, std::nullopt},  // the -30 °C spike
        {{0, 8, 9, 9}, std::nullopt},  // 69.80: a lost sensor
        {{9, 9, 9, 9}, std::nullopt}, {{0, A, 0, 5}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto value = decodeTemperature(c.nibbles);
        ASSERT_EQ(value.has_value(), c.celsius.has_value()) << int(c.nibbles[1]);
        if (value) {
            EXPECT_NEAR(*value, *c.celsius, 1e-9);
        }
    }
}

TEST(Ws23xxMemory, HumidityRainAndPressure) {
    EXPECT_EQ(decodeHumidity(N{4, 2}), 24);
    EXPECT_EQ(decodeHumidity(N{1, 7}), 71);
    EXPECT_EQ(decodeHumidity(N{9, 9}), 99);
    EXPECT_EQ(decodeHumidity(N{A, A}), std::nullopt);  // 110 of a lost sensor
    EXPECT_EQ(decodeHumidity(N{0, A}), std::nullopt);  // 100
    EXPECT_EQ(decodeRain(N{5, 2, 1, 0, 0, 0}), 1.25);
    EXPECT_EQ(decodeRain(N{2, 5, 4, 4, 1, 0}), 144.52);
    EXPECT_EQ(decodeRain(N{0, 0, 0, 0, 0, C}), std::nullopt);
    EXPECT_NEAR(*decodePressure(N{2, 6, 1, 0, 1}), 1016.2, 1e-9);
    EXPECT_EQ(decodePressure(N{2, 6, F, 0, 1}), std::nullopt);
}

TEST(Ws23xxMemory, WindIsValidOnlyWithClearFlagsAndNoSpikeSpeed) {
    const struct {
        N nibbles;
        std::optional<double> speed;
        double direction;
    } cases[] = {
        {{0, 0, 3, 2, 0, 6}, 3.5, 135},        {{0, 0, 0, 0, 0, 8}, 0.0, 180},
        {{0, 0, E, F, 0, 15}, 25.4, 337.5},    {{0, 0, D, F, 1, 0}, 50.9, 0},
        {{1, 0, 3, 2, 0, 6}, std::nullopt, 0},  // overflow
        {{0, 1, 3, 2, 0, 6}, std::nullopt, 0},  // no reading
        {{0, 2, 3, 2, 0, 6}, std::nullopt, 0},  // overflow shown as OFL
        {{0, 0, F, F, 0, 6}, std::nullopt, 0},  // 25.5 m/s
        {{0, 0, F, F, 1, 6}, std::nullopt, 0},  // 51.1 m/s
        {{0, 0, E, F, 1, 6}, std::nullopt, 0},  // 51.0 m/s
    };
    for (const auto& c : cases) {
        const Wind wind = decodeWind(c.nibbles);
        EXPECT_EQ(wind.speed.has_value(), c.speed.has_value());
        EXPECT_EQ(wind.direction.has_value(), c.speed.has_value());
        if (wind.speed && c.speed) {
            EXPECT_NEAR(*wind.speed, *c.speed, 1e-9);
            EXPECT_EQ(*wind.direction, c.direction);
        }
    }
}

TEST(Ws23xxMemory, OutdoorLinkStates) {
    EXPECT_EQ(decodeOutdoorLink(0x0), OutdoorLink::Cable);
    EXPECT_EQ(decodeOutdoorLink(0xF), OutdoorLink::Wireless);
    EXPECT_EQ(decodeOutdoorLink(0x3), OutdoorLink::Lost);
    EXPECT_EQ(decodeOutdoorLink(0xB), OutdoorLink::Lost);
    EXPECT_EQ(decodeOutdoorLink(0x5), OutdoorLink::Unknown);
}

TEST(Ws23xxMemory, ConsoleClock) {
    const N seconds{0, 1, 6, 2, 3, 0};
    const struct {
        N clock;
        N seconds;
        std::optional<CivilTime> time;
    } cases[] = {
        {{6, 2, 3, 0, 4, 4, 2, 4, 0, 3, 0}, seconds, CivilTime{2003, 4, 24, 3, 26, 10}},
        // the minute turned between the two reads: no seconds
        {{7, 2, 3, 0, 4, 4, 2, 4, 0, 3, 0}, seconds, CivilTime{2003, 4, 24, 3, 27, 0}},
        {{6, 2, 3, 0, 4, 9, 2, 2, 0, 4, 0}, seconds, CivilTime{2004, 2, 29, 3, 26, 10}},
        {{6, 2, 3, 0, 4, 9, 2, 2, 0, 3, 0}, seconds, std::nullopt},  // 29-02-2003
        {{6, 2, 3, 0, 4, 4, 2, 3, 1, 3, 0}, seconds, std::nullopt},  // month 13
        {{6, 2, 4, 2, 4, 4, 2, 4, 0, 3, 0}, seconds, std::nullopt},  // hour 24
        {{6, A, 3, 0, 4, 4, 2, 4, 0, 3, 0}, seconds, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeClock(c.clock, c.seconds), c.time);
    }
}

TEST(Ws23xxMemory, HistoryHeader) {
    const auto header =
        decodeHistoryHeader(N{1, 0, 0, 1, 0, 0, 6, 2, 3, 0, 4, 2, 4, 0, 3, 0, 6, 9, F, A});
    ASSERT_TRUE(header);
    EXPECT_EQ(header->intervalMinutes, 2);
    EXPECT_EQ(header->minutesToNext, 1);  // the countdown as stored: the earlier of the readings
    EXPECT_EQ(header->newestTime, (CivilTime{2003, 4, 24, 3, 26, 0}));
    EXPECT_EQ(header->newestIndex, 150);
    EXPECT_EQ(header->count, 175);
    // An index past the ring, more than 175 records, a countdown beyond the interval.
    EXPECT_FALSE(
        decodeHistoryHeader(N{1, 0, 0, 1, 0, 0, 6, 2, 3, 0, 4, 2, 4, 0, 3, 0, F, A, 0, 0}));
    EXPECT_FALSE(
        decodeHistoryHeader(N{1, 0, 0, 1, 0, 0, 6, 2, 3, 0, 4, 2, 4, 0, 3, 0, 0, 0, 0, B}));
    EXPECT_FALSE(
        decodeHistoryHeader(N{1, 0, 0, 3, 0, 0, 6, 2, 3, 0, 4, 2, 4, 0, 3, 0, 0, 0, 0, 0}));
}

TEST(Ws23xxMemory, HistoryRecords) {
    StationHistoryRecord sample;
    sample.indoorTemp = 28.3;
    sample.outdoorTemp = 8.9;
    sample.pressureAbs = 1015.3;
    sample.indoorHumidity = 24;
    sample.outdoorHumidity = 62;
    sample.rainCount = 252;
    sample.windSpeed = 0;
    sample.windDirection = 7;
    const auto near = [](StationHistoryRecord a, const StationHistoryRecord& b) {
        EXPECT_NEAR(*a.indoorTemp, *b.indoorTemp, 1e-9);
        EXPECT_NEAR(*a.outdoorTemp, *b.outdoorTemp, 1e-9);
        EXPECT_NEAR(a.pressureAbs, b.pressureAbs, 1e-9);
        a.indoorTemp = b.indoorTemp;
        a.outdoorTemp = b.outdoorTemp;
        a.pressureAbs = b.pressureAbs;
        EXPECT_EQ(a, b);
    };
    near(decodeHistoryRecord(N{F, C, 1, F, 5, 9, 1, A, A, 3, 2, 6, C, F, 0, 0, 0, 0, 7}), sample);
    // 249987: 998.7 hPa stays below 1000; 35 m/s from 22.5°
    StationHistoryRecord low = sample;
    low.pressureAbs = 998.7;
    low.windSpeed = 35;
    low.windDirection = 1;
    near(decodeHistoryRecord(N{F, C, 1, F, 5, 3, 8, 0, 0xD, 3, 2, 6, C, F, 0, 0xE, 5, 1, 1}), low);
    // Outdoor 0 (the -30 °C spike) and 999 tenths (69.9 °C, a lost sensor): nothing.
    EXPECT_FALSE(decodeHistoryRecord(N{F, C, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
                     .outdoorTemp);
    EXPECT_FALSE(decodeHistoryRecord(N{7, 2, 0, 4, F, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
                     .outdoorTemp);
}

}  // namespace
}  // namespace brezzolo::ws23xx
