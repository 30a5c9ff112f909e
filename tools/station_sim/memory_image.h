#pragma once

// The WS23xx console's memory as the serial line shows it: 0x13D0 nibbles, each number stored
// least significant nibble first, filled from the simulated weather. The encodings are written
// here on their own (not with the program's decoders) so that each side checks the other.

#include <array>
#include <cstdint>
#include <vector>

#include "station_sim/station_sim.h"

namespace brezzolo::sim {

inline constexpr int kStationMemoryNibbles = 0x13D0;  // addresses 0x0000 to 0x13CF
inline constexpr int kRingCapacity = 175;
inline constexpr int kRingRecordNibbles = 19;
inline constexpr double kRainTipMm = 0.518;

// Addresses of the values the simulator fills.
namespace address {
inline constexpr int alarmEnable = 0x019;  // bit 2: storm alarm switched on
inline constexpr int seconds = 0x200;      // seconds, minutes, hours (BCD)
inline constexpr int date = 0x206;         // weekday, day, month, year (BCD)
inline constexpr int clock = 0x23B;        // minute, hour, weekday, day, month, year (BCD)
inline constexpr int forecast = 0x26B;
inline constexpr int tendency = 0x26C;
inline constexpr int indoorTemp = 0x346;
inline constexpr int outdoorTemp = 0x373;
inline constexpr int windChill = 0x3A0;
inline constexpr int dewPoint = 0x3CE;
inline constexpr int indoorHumidity = 0x3FB;
inline constexpr int outdoorHumidity = 0x419;
inline constexpr int rain24h = 0x497;
inline constexpr int rain1h = 0x4B4;
inline constexpr int rainTotal = 0x4D2;
inline constexpr int windFlags = 0x527;  // overflow, validity, speed (3), direction, 5 previous
inline constexpr int windSpeed = 0x529;
inline constexpr int windDirection = 0x52C;
inline constexpr int outdoorLink = 0x54D;  // 0 cable, 3 lost, F wireless
inline constexpr int pressureAbs = 0x5D8;
inline constexpr int pressureRel = 0x5E2;
inline constexpr int pressureCorrection = 0x5EC;  // stored plus 1000 hPa
inline constexpr int historyHeader = 0x6B2;
inline constexpr int historyRing = 0x6C6;
}  // namespace address

struct StationMemory {
    std::array<std::uint8_t, kStationMemoryNibbles> nibbles{};  // each 0 to 15

    bool operator==(const StationMemory&) const = default;
};

// The conditions rounded to what the console stores: temperatures to 0.01 °C within
// -30.00..69.99 (the model gives tenths), humidity to whole percent within 0..99, wind to
// 0.1 m/s (so km/h is a multiple of 0.36) and direction to 22.5° steps, rain to 0.01 mm,
// pressure to 0.1 hPa. The storm alarm is off: the console's alarm is kept switched off, and
// its memory has no "storm now". Everything the simulator shows, on the line or in files,
// comes through here.
CurrentConditions stationQuantised(const CurrentConditions& conditions);

// Wind speed in tenths of m/s and the direction index (0 north, clockwise, 22.5° each) for
// km/h and degrees.
int windTenthsOf(double windSpeedKmh);
int directionIndexOf(double degrees);
// The rain gauge's 12-bit tip counter for a rain total (whole tips of 0.518 mm).
int rainCountOf(double rainTotalMm);

// Writes `value` as `count` nibbles from `at`, least significant first: BCD or binary.
void putBcd(StationMemory& memory, int at, int count, std::int64_t value);
void putBinary(StationMemory& memory, int at, int count, std::int64_t value);

// The current values, clock and links of quantised conditions. The direction held before
// moves into the five previous directions (newest first).
void writeCurrent(StationMemory& memory, const CurrentConditions& quantised);

// One record of the history ring, in the console's units.
struct RingRecord {
    double indoorTemp = 20;   // °C, tenths
    double outdoorTemp = 10;  // °C, tenths
    double pressureAbs = 1000;
    int indoorHumidity = 50;
    int outdoorHumidity = 50;
    int rainCount = 0;   // tips, 12 bits
    int windTenths = 0;  // 0.1 m/s
    int directionIndex = 0;
};

RingRecord ringRecordOf(const CurrentConditions& quantised);
std::array<std::uint8_t, kRingRecordNibbles> ringRecordNibbles(const RingRecord& record);
void writeRingRecord(StationMemory& memory, int index, const RingRecord& record);

// The ring's header at 0x6B2.
struct RingHeader {
    int intervalMinutes = 60;
    int minutesToNext = 60;  // stored minus 1
    CivilTime newestTime;
    int newestIndex = 0;
    int count = 0;
};

void writeRingHeader(StationMemory& memory, const RingHeader& header);

// What the console holds when it has lost its outdoor sensors: link 3, +69.9 °C outdoors
// (dew point and wind chill alike), 110 % humidity (nibbles A,A), wind 51.1 m/s.
void writeLostSensor(StationMemory& memory);
// A wind speed as its raw 12-bit value (the spikes 0x0FF and 0x1FF).
void writeRawWindSpeed(StationMemory& memory, int raw);

}  // namespace brezzolo::sim
