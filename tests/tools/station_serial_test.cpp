#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "station_sim/memory_image.h"
#include "station_sim/serial_mode.h"
#include "station_sim/serial_station.h"

namespace brezzolo {
namespace {

using sim::StationMemory;

// Nibbles as "0,6,1,5": from an address of the memory, or of a record.
std::string nibbles(const std::uint8_t* first, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += (i ? "," : "") + std::string(1, "0123456789ABCDEF"[first[i]]);
    }
    return text;
}

std::string nibbles(const StationMemory& memory, int at, int count) {
    return nibbles(memory.nibbles.data() + at, count);
}

// A station reading of the map's sample dump, 24-04-2003 03:26:10, with 21.60 °C outdoors as
// in the byte trace.
sim::CurrentConditions sample() {
    sim::CurrentConditions c;
    c.time = {2003, 4, 24, 3, 26, 10};
    c.forecast = 0;
    c.tendency = 2;
    c.indoorTemp = 28.6;
    c.outdoorTemp = 21.6;
    c.dewPoint = 2.49;
    c.windChill = 7.4;
    c.indoorHumidity = 24;
    c.outdoorHumidity = 71;
    c.windSpeedKmh = 12.6;  // 3.5 m/s
    c.windDirection = 135;
    c.rainTotal = 144.52;
    c.rain24h = 0;
    c.rain1h = 1.25;
    c.pressureAbs = 1016.2;
    c.pressureRel = 1018.4;
    return c;
}

StationMemory sampleMemory() {
    StationMemory memory;
    sim::writeCurrent(memory, sim::stationQuantised(sample()));
    return memory;
}

TEST(StationMemoryImage, CurrentValuesAsTheConsoleStoresThem) {
    struct Case {
        int address, count;
        const char* expected;
    };
    const Case cases[] = {
        {0x373, 4, "0,6,1,5"},     {0x346, 4, "0,6,8,5"},
        {0x3CE, 4, "9,4,2,3"},     {0x3A0, 4, "0,4,7,3"},
        {0x3FB, 2, "4,2"},         {0x419, 2, "1,7"},
        {0x4B4, 6, "5,2,1,0,0,0"}, {0x497, 6, "0,0,0,0,0,0"},
        {0x4D2, 6, "2,5,4,4,1,0"}, {0x5D8, 5, "2,6,1,0,1"},
        {0x5E2, 5, "4,8,1,0,1"},   {0x5EC, 5, "2,2,0,0,1"},
        {0x26B, 2, "0,2"},         {0x527, 6, "0,0,3,2,0,6"},
        {0x54D, 1, "0"},           {0x23B, 11, "6,2,3,0,4,4,2,4,0,3,0"},
        {0x200, 6, "0,1,6,2,3,0"}, {0x206, 7, "4,4,2,4,0,3,0"},
    };
    const StationMemory memory = sampleMemory();
    for (const Case& c : cases) {
        EXPECT_EQ(nibbles(memory, c.address, c.count), c.expected) << std::hex << c.address;
    }
    EXPECT_EQ(memory.nibbles[0x019] & 4, 0);  // storm alarm off
}

TEST(StationMemoryImage, QuantisedToWhatTheConsoleHolds) {
    sim::CurrentConditions c = sample();
    c.outdoorTemp = 80;  // beyond the encoding
    c.indoorTemp = -31;
    c.outdoorHumidity = 100;
    c.windSpeedKmh = 16.1;    // 4.47 m/s: 4.5 m/s, 16.2 km/h
    c.windDirection = 349.0;  // nearest step is north
    c.stormAlarm = 1;
    const sim::CurrentConditions q = sim::stationQuantised(c);
    EXPECT_EQ(std::vector({q.outdoorTemp, q.indoorTemp, q.windSpeedKmh, q.windDirection}),
              std::vector({69.99, -30.0, 4.5 * 3.6, 0.0}));
    EXPECT_EQ(std::vector({q.outdoorHumidity, q.stormAlarm}), std::vector({99, 0}));
    EXPECT_EQ(sim::stationQuantised(q).windSpeedKmh, q.windSpeedKmh);  // stable
    StationMemory memory;
    sim::writeCurrent(memory, q);
    EXPECT_EQ(nibbles(memory, 0x373, 4) + "|" + nibbles(memory, 0x346, 4), "9,9,9,9|0,0,0,0");
    EXPECT_EQ(sim::rainCountOf(252 * 0.518), 252);
    EXPECT_EQ(sim::rainCountOf(4096 * 0.518 + 0.6), 1);  // twelve bits wrap
}

TEST(StationMemoryImage, WindKeepsFivePreviousDirectionsNewestFirst) {
    StationMemory memory;
    sim::CurrentConditions c = sample();
    for (const double degrees : {0.0, 22.5, 45.0, 67.5, 90.0, 112.5, 135.0}) {
        c.windDirection = degrees;
        sim::writeCurrent(memory, sim::stationQuantised(c));
    }
    EXPECT_EQ(nibbles(memory, 0x52C, 7), "6,5,4,3,2,1,0");  // 0x532 is no direction: untouched
}

TEST(StationMemoryImage, HistoryRingAsTheMapsSample) {
    const sim::RingRecord record{28.3, 8.9, 1015.3, 24, 62, 252, 0, 7};
    StationMemory memory;
    sim::writeRingRecord(memory, 0, record);
    sim::writeRingRecord(memory, 174, record);
    EXPECT_EQ(nibbles(memory, 0x6C6, 19), "F,C,1,F,5,9,1,A,A,3,2,6,C,F,0,0,0,0,7");
    EXPECT_EQ(nibbles(memory, 0x13B0, 19), nibbles(memory, 0x6C6, 19));  // the last slot
    sim::writeRingHeader(memory, {2, 2, {2003, 4, 24, 3, 26, 0}, 0x96, 175});
    EXPECT_EQ(nibbles(memory, 0x6B2, 20), "1,0,0,1,0,0,6,2,3,0,4,2,4,0,3,0,6,9,F,A");
    // Below 1000 hPa the pressure is stored whole: 45 % and 987.6 hPa are 459876 = 0x70464.
    const auto low = sim::ringRecordNibbles({20, -5.5, 987.6, 45, 90, 4095, 51, 15});
    EXPECT_EQ(nibbles(low.data() + 5, 14), "4,6,4,0,7,0,9,F,F,F,3,3,0,F");
}

// Bytes in -> the answer to each, "|" between answers.
struct Trace {
    const char* name;
    std::vector<std::string> faults;
    std::vector<std::uint8_t> in;
    const char* out;
};

std::string run(sim::SerialStation& station, const StationMemory& memory,
                const std::vector<std::uint8_t>& in, double now = 0) {
    std::string text;
    for (std::size_t i = 0; i < in.size(); ++i) {
        text += i ? "|" : "";
        for (const std::uint8_t byte : station.receive(in[i], memory, now)) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X ", byte);
            text += hex;
        }
        if (text.back() == ' ') {
            text.pop_back();
        }
    }
    return text;
}

std::vector<sim::Fault> faults(const std::vector<std::string>& texts) {
    std::vector<sim::Fault> list;
    for (const auto& text : texts) {
        list.push_back(sim::parseFault(text).value());
    }
    return list;
}

TEST(SerialStation, AnswersAsTheStationDoes) {
    const std::vector<std::uint8_t> outdoor = {0x06, 0x82, 0x8E, 0x9E, 0x8E, 0xCA};
    const Trace traces[] = {
        {"the byte trace", {}, outdoor, "02|00|13|27|33|32 60 51 B1"},
        {"reset mid-address",
         {},
         {0x82, 0x8E, 0x06, 0x82, 0x8E, 0x9E, 0x8E, 0xCA},
         "00|13|02|00|13|27|33|32 60 51 B1"},
        {"next command without a reset",
         {},
         {0x82, 0x8E, 0x9E, 0x8E, 0xC6, 0x82, 0x8E, 0x9E, 0x92, 0xC6},
         "00|13|27|33|31 60 60|00|13|27|34|31 16 16"},
        {"odd address", {}, {0x82, 0x8E, 0x9E, 0x92, 0xC6}, "00|13|27|34|31 16 16"},
        {"read of nothing, then idle", {}, {0x82, 0x8E, 0x9E, 0x8E, 0xC2, 0xC6}, "00|13|27|33||"},
        {"count before the address", {}, {0xC6, 0x82}, "|00"},
        {"fifth address byte", {}, {0x82, 0x8E, 0x9E, 0x8E, 0x82, 0xC6}, "00|13|27|33||"},
        {"last byte in memory", {}, {0x86, 0x8E, 0xB2, 0xBA, 0xC6}, "01|13|2C|3E|31 00 00"},
        {"past the end", {}, {0x86, 0x8E, 0xB2, 0xBE, 0xC6}, "01|13|2C|3F|"},
        {"bad checksum", {"bad-checksum"}, outdoor, "02|00|13|27|33|32 60 51 B2"},
        {"bad checksum of the 2nd read",
         {"bad-checksum@1"},
         {0x82, 0x8E, 0x9E, 0x8E, 0xCA, 0x82, 0x8E, 0x9E, 0x8E, 0xCA},
         "00|13|27|33|32 60 51 B1|00|13|27|33|32 60 51 B2"},
        {"corrupt", {"corrupt"}, outdoor, "02|00|13|27|33|32 61 51 B2"},
        {"wrong acknowledgement", {"wrong-ack"}, outdoor, "02|00|13|27|32|32 60 51 B1"},
        {"no acknowledgement", {"no-ack"}, {0x06, 0x82, 0x06, 0x82}, "02||02|00"},
        {"garbage",
         {"garbage=2"},
         {0x82, 0x06, 0x82, 0x06, 0x82},
         "FF 7C 00 00|02|FF 7C 00 00|02|00"},
        {"reset noise", {"reset-noise"}, {0x06, 0x06}, "00 02 02|02"},
        {"lost sensor",
         {"lost-sensor"},
         {0x82, 0x8E, 0x9E, 0x8E, 0xCA, 0x06, 0x82, 0x92, 0x86, 0xA6, 0xC6},
         "00|13|27|33|32 90 99 29|02|00|14|21|39|31 AA AA"},
        {"wind spike",
         {"wind-spike=1FF"},
         {0x82, 0x96, 0x8A, 0xA6, 0xCA},
         "00|15|22|39|32 FF 61 60"},
    };
    const StationMemory memory = sampleMemory();
    for (const Trace& t : traces) {
        sim::SerialStation station(faults(t.faults));
        EXPECT_EQ(run(station, memory, t.in), t.out) << t.name;
    }
}

TEST(SerialStation, RefusesWritesAndCountsThem) {
    const StationMemory memory = sampleMemory();
    sim::SerialStation station;
    const std::vector<std::uint8_t> address = {0x82, 0x8E, 0x9E, 0x8E};
    std::vector<std::uint8_t> in;
    for (const int write : {0x42, 0x7E, 0x12, 0x1E, 0x32, 0x3E}) {
        in.insert(in.end(), address.begin(), address.end());
        in.push_back(static_cast<std::uint8_t>(write));
    }
    EXPECT_EQ(run(station, memory, in),
              "00|13|27|33||00|13|27|33||00|13|27|33||00|13|27|33||"
              "00|13|27|33||00|13|27|33|");
    EXPECT_EQ(run(station, memory, {0x0A, 0x22, 0x07, 0x83}), "|||");
    EXPECT_EQ(std::vector({station.writeBytes(), station.malformedBytes()}),
              std::vector<std::int64_t>({6, 4}));
    EXPECT_EQ(run(station, memory, {0x82, 0x8E, 0x9E, 0x8E, 0xCA}), "00|13|27|33|32 60 51 B1");
}

TEST(SerialStation, SilenceVanishAndFaultsSwitchedAtRunTime) {
    const StationMemory memory = sampleMemory();
    sim::SerialStation station(faults({"silence=30"}), 100);
    EXPECT_EQ(run(station, memory, {0x06, 0x82}, 129.9), "|");
    EXPECT_EQ(run(station, memory, {0x06}, 130), "02");
    station.setFaults(faults({"vanish=5@1"}), 130);
    EXPECT_FALSE(station.vanishing());
    run(station, memory, {0x82, 0x8E, 0x9E, 0x8E, 0xC6}, 131);
    EXPECT_TRUE(station.vanishing() && station.vanishSeconds() == 5);
    station.setFaults({}, 132);
    EXPECT_EQ(run(station, memory, {0x82, 0x8E, 0x9E, 0x8E, 0xCA}), "00|13|27|33|32 60 51 B1");
}

TEST(SerialStation, FaultTexts) {
    const auto spike = sim::parseFault("wind-spike=1FF@3").value();
    EXPECT_EQ(std::vector({static_cast<int>(spike.kind), spike.value, spike.afterReads}),
              std::vector({static_cast<int>(sim::FaultKind::WindSpike), 0x1FF, 3}));
    EXPECT_EQ(sim::parseFault("silence")->value, 30);
    for (const char* bad : {"frobnicate", "silence=0", "silence=", "wind-spike=2FF",
                            "lost-sensor=3", "bad-checksum@x", "no-ack=-1", "vanish@"}) {
        EXPECT_FALSE(sim::parseFault(bad)) << bad;
    }
    EXPECT_EQ(sim::parseFaultList("# first\n\n corrupt=2 \r\nvanish\n")->size(), 2u);
    EXPECT_FALSE(sim::parseFaultList("corrupt\nnonsense\n"));
    EXPECT_TRUE(sim::parseSimOptions({"--serial", "--fault", "silence=5", "--baud", "0"}));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--folder", "hw", "--fault", "silence"},
          {"--serial", "--follow"},
          {"--serial", "--speed", "0"},
          {"--serial", "--fault", "x"}}) {
        EXPECT_FALSE(sim::parseSimOptions(bad)) << bad[2];
    }
}

TEST(SerialWorld, RingFollowsTheHistoryRecords) {
    // 200 records at 10 minutes: the ring holds the newest 175, the first having gone to slot 1.
    sim::GenerationOptions options{5, {2024, 1, 10, 0, 0, 0}, 199 * 10 / 1440.0, 10};
    std::vector<HistoryRecord> history;
    auto world = sim::startSerialWorld(options, &history).value();
    ASSERT_EQ(history.size(), 200u);
    EXPECT_EQ(sim::historyBytes({history.back()}),
              sim::historyBytes({sim::historyRecordOf(world.current)}));
    // Header: interval 10, next in 10 minutes, newest 2024-01-11 09:10 at index 200 mod 175.
    EXPECT_EQ(nibbles(world.memory, 0x6B2, 20), "9,0,0,9,0,0,0,1,9,0,1,1,1,0,4,2,9,1,F,A");
    const auto newest = sim::ringRecordNibbles(sim::ringRecordOf(world.current));
    EXPECT_EQ(nibbles(world.memory, 0x6C6 + 19 * 25, 19), nibbles(newest.data(), 19));
    for (int minute = 1; minute < 10; ++minute) {
        EXPECT_FALSE(sim::advanceSerialWorld(world));
    }
    EXPECT_EQ(nibbles(world.memory, 0x6B5, 3), "0,0,0");  // next in 1 minute
    EXPECT_TRUE(sim::advanceSerialWorld(world));
    EXPECT_EQ(nibbles(world.memory, 0x6C2, 4), "A,1,F,A");
    EXPECT_EQ(nibbles(world.memory, 0x23B, 4), "0,2,9,0");  // 09:20
}

}  // namespace
}  // namespace brezzolo
