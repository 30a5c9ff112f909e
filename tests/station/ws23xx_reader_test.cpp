#include "station/ws23xx_reader.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "station/ws23xx_protocol.h"
#include "station/ws23xx_read_plan.h"
#include "support/fake_ws23xx_station.h"

namespace brezzolo {
namespace {

using test::FakeWs23xxStation;

ReadOptions noPauses() {
    ReadOptions options;
    options.sleep = [](std::chrono::milliseconds) {};
    return options;
}

bool onlyReadCommands(const FakeWs23xxStation& station) {
    const auto& sent = station.hostBytes();
    return std::all_of(sent.begin(), sent.end(), ws23xx::isReadOnlyCommand);
}

TEST(Ws23xxReader, PollsTheSampleStation) {
    FakeWs23xxStation station;
    test::putSampleMemory(station);
    const auto read = readStationValues(station, noPauses());
    ASSERT_TRUE(read.value) << read.detail;
    const StationValues& v = *read.value;
    EXPECT_EQ(v.clock, (CivilTime{2003, 4, 24, 3, 26, 10}));
    EXPECT_EQ(v.forecast, 0);
    EXPECT_EQ(v.tendency, 2);
    EXPECT_NEAR(*v.indoorTemp, 28.6, 1e-9);
    EXPECT_NEAR(*v.outdoorTemp, 7.4, 1e-9);
    EXPECT_NEAR(*v.dewPoint, 2.49, 1e-9);
    EXPECT_NEAR(*v.windChill, 7.4, 1e-9);
    EXPECT_EQ(v.indoorHumidity, 24);
    EXPECT_EQ(v.outdoorHumidity, 71);
    EXPECT_NEAR(*v.windSpeed, 3.5, 1e-9);
    EXPECT_EQ(v.windDirection, 135);
    EXPECT_EQ(v.rain1h, 1.25);
    EXPECT_EQ(v.rain24h, 0);
    EXPECT_EQ(v.rainTotal, 144.52);
    EXPECT_NEAR(*v.pressureAbs, 1016.2, 1e-9);
    EXPECT_NEAR(*v.pressureRel, 1018.4, 1e-9);
    EXPECT_NEAR(*v.pressureCorrection, 2.2, 1e-9);
    EXPECT_TRUE(v.stormWarningEnabled);
    EXPECT_EQ(v.outdoorLink, OutdoorLink::Cable);
    EXPECT_TRUE(onlyReadCommands(station));
    const auto plan = ws23xx::planReads(ws23xx::stationValueAreas());
    EXPECT_EQ(station.resets(), static_cast<int>(plan.size()));
    EXPECT_EQ(station.hostBytes().size() + station.stationBytes().size(),
              static_cast<std::size_t>(ws23xx::bytesExchanged(plan)));
}

TEST(Ws23xxReader, SpikesAndLostSensorsFailThePoll) {
    const struct {
        int address;
        std::vector<std::uint8_t> nibbles;
        const char* detail;
    } cases[] = {
        {0x54D, {0x3}, "sensore esterno perso"},
        {0x54D, {0xB}, "sensore esterno perso"},
        {0x373, {0, 0, 0, 0}, "temperatura esterna non valida"},
        {0x373, {0, 8, 9, 9}, "temperatura esterna non valida"},
        {0x419, {0xA, 0xA}, "umidità esterna non valida"},
        {0x3CE, {0, 0, 0, 0}, "punto di rugiada non valido"},
        {0x3A0, {9, 9, 9, 9}, "wind chill non valido"},
        {0x528, {1}, "vento non valido"},
        {0x529, {0xF, 0xF, 1}, "vento non valido"},
        {0x529, {0xF, 0xF, 0}, "vento non valido"},
        {0x4D2, {0xA}, "pioggia non valida"},
    };
    for (const auto& c : cases) {
        FakeWs23xxStation station;
        test::putSampleMemory(station);
        station.putNibbles(c.address, c.nibbles);
        const auto read = readStationValues(station, noPauses());
        EXPECT_EQ(read.failure, ReadFailure::InvalidData) << c.address;
        EXPECT_FALSE(read.value);
        EXPECT_EQ(read.detail, c.detail);
    }
}

// Indoor values, the clock and the pressures are dropped alone, without failing the poll.
TEST(Ws23xxReader, OtherBadValuesAreNothing) {
    FakeWs23xxStation station;
    test::putSampleMemory(station);
    station.putNibbles(0x346, {0, 0, 0, 0});
    station.putNibbles(0x3FB, {0, 0xA});
    station.putNibbles(0x241, {3, 1});           // month 13
    station.putNibbles(0x5E2, {0, 9, 9, 8, 0});  // 899.0 hPa
    station.putNibbles(0x26B, {7, 5});
    const auto read = readStationValues(station, noPauses());
    ASSERT_TRUE(read.value) << read.detail;
    EXPECT_FALSE(read.value->indoorTemp);
    EXPECT_FALSE(read.value->indoorHumidity);
    EXPECT_FALSE(read.value->clock);
    EXPECT_FALSE(read.value->pressureRel);
    EXPECT_FALSE(read.value->pressureAbs);  // it no longer adds up to the relative one
    EXPECT_EQ(read.value->forecast, -1);
    EXPECT_EQ(read.value->tendency, 0);
}

TEST(Ws23xxReader, ReadsTheHistoryHeaderAndRecords) {
    FakeWs23xxStation station;
    test::putSampleMemory(station);
    // record 1 starts at an odd address
    station.putNibbles(0x6D9, {7, 2, 0, 4, 0xF, 3, 8, 0, 0xD, 3, 2, 6, 0, 0, 0, 0xE, 5, 1, 1});
    const auto header = readStationHistoryHeader(station, noPauses());
    ASSERT_TRUE(header.value);
    EXPECT_EQ(header.value->newestIndex, 150);
    const auto records = readStationHistoryRecords(station, {1, 0}, noPauses());
    ASSERT_TRUE(records.value);
    ASSERT_EQ(records.value->size(), 2u);
    EXPECT_FALSE((*records.value)[0].outdoorTemp);
    EXPECT_NEAR((*records.value)[0].pressureAbs, 998.7, 1e-9);
    EXPECT_EQ((*records.value)[1].windDirection, 7);
    EXPECT_EQ(readStationHistoryRecords(station, {175}, noPauses()).failure,
              ReadFailure::InvalidData);
    station.putNibbles(0x6C4, {0, 0xB});
    EXPECT_EQ(readStationHistoryHeader(station, noPauses()).detail,
              "intestazione dello storico non valida");
    EXPECT_TRUE(onlyReadCommands(station));
}

TEST(Ws23xxReader, AFailedReadEndsThePollWithItsFailure) {
    FakeWs23xxStation station;
    test::putSampleMemory(station);
    station.inject({test::StationFault::Silence, 40, 100000});
    const auto read = readStationValues(station, noPauses());
    EXPECT_EQ(read.failure, ReadFailure::NoAnswer);
    EXPECT_EQ(read.detail, "la stazione non risponde");
}

}  // namespace
}  // namespace brezzolo
