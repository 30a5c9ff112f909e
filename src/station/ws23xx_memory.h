#pragma once

// Where the station keeps each value and how it is encoded: decoding nibbles into the station's
// units, with every value the station marks invalid, or a known spike, made nothing.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/civil_time.h"
#include "station/station_values.h"
#include "station/ws23xx_reader.h"

namespace brezzolo::ws23xx {

using NibbleSpan = std::span<const std::uint8_t>;

// Nibble addresses of the current values.
inline constexpr int kStormFlags = 0x019;  // bit 2: the storm alarm is enabled
inline constexpr int kSeconds = 0x200;     // seconds, minutes, hours (BCD pairs)
inline constexpr int kSecondsNibbles = 6;
inline constexpr int kClock = 0x23B;  // minute, hour, weekday, day, month, year
inline constexpr int kClockNibbles = 11;
inline constexpr int kForecast = 0x26B;
inline constexpr int kTendency = 0x26C;
inline constexpr int kIndoorTemp = 0x346;
inline constexpr int kOutdoorTemp = 0x373;
inline constexpr int kWindChill = 0x3A0;
inline constexpr int kDewPoint = 0x3CE;
inline constexpr int kIndoorHumidity = 0x3FB;
inline constexpr int kOutdoorHumidity = 0x419;
inline constexpr int kRain24h = 0x497;
inline constexpr int kRain1h = 0x4B4;
inline constexpr int kRainTotal = 0x4D2;
inline constexpr int kWind = 0x527;  // overflow flag, validity flag, speed (3), direction
inline constexpr int kWindNibbles = 6;
inline constexpr int kOutdoorLinkState = 0x54D;
inline constexpr int kPressureAbs = 0x5D8;
inline constexpr int kPressureRel = 0x5E2;
inline constexpr int kPressureCorrection = 0x5EC;

// The history memory: a 20-nibble header, then the ring of 19-nibble records.
inline constexpr int kHistoryHeader = 0x6B2;
inline constexpr int kHistoryHeaderNibbles = 20;
inline constexpr int kHistoryRecords = 0x6C6;
inline constexpr int kHistoryRecordNibbles = 19;
constexpr int historyRecordAddress(int index) {
    return kHistoryRecords + kHistoryRecordNibbles * index;
}

// The outdoor sensors' lost values: temperatures from 69.80 °C up (raw T4 9980), wind from
// 51.0 m/s up.
inline constexpr long kLostTemperatureRaw = 9980;
inline constexpr int kLostWindRaw = 510;
// Relative pressures outside this range are garbage that got past the weak checksum.
inline constexpr double kLowestPressure = 900;
inline constexpr double kHighestPressure = 1200;

// A number of BCD nibbles, least significant first; nothing when a nibble is above 9.
std::optional<long> bcdValue(NibbleSpan nibbles);
// A number of binary nibbles, least significant first.
long binaryValue(NibbleSpan nibbles);

// T4: BCD hundredths, less 30 °C. Nothing for a bad digit, raw 0000 (the -30 °C spike) or a
// lost sensor's value.
std::optional<double> decodeTemperature(NibbleSpan four);
// H2: % of 0 to 99; nothing for a bad digit (a lost sensor's A,A is 110).
std::optional<int> decodeHumidity(NibbleSpan two);
// R6: BCD hundredths of a mm.
std::optional<double> decodeRain(NibbleSpan six);
// P5: BCD tenths of a hPa.
std::optional<double> decodePressure(NibbleSpan five);

struct Wind {
    std::optional<double> speed;      // m/s
    std::optional<double> direction;  // degrees
};
// Flags, binary speed in 0.1 m/s and direction index from 0x527: both nothing unless both flags
// are clear and the speed is none of the spikes (0x0FF, 0x1FF, 51.0 m/s and above).
Wind decodeWind(NibbleSpan six);

OutdoorLink decodeOutdoorLink(std::uint8_t nibble);

// The console's clock: 11 nibbles from 0x23B, the seconds from the 6 at 0x200 (whose minute
// must agree, else a minute turned between the two reads and the seconds count as 0). Nothing
// for a bad digit or an impossible date or time.
std::optional<CivilTime> decodeClock(NibbleSpan clock, NibbleSpan seconds);
// TS10: minute, hour, day, month, year as BCD pairs.
std::optional<CivilTime> decodeTimestamp(NibbleSpan ten);

// The nibbles of a poll, by address.
class NibbleImage {
  public:
    void put(int address, NibbleSpan nibbles);
    NibbleSpan at(int address, int count) const;

  private:
    std::vector<std::uint8_t> nibbles_ = std::vector<std::uint8_t>(0x10000, 0);
};

// Every current value from the poll's nibbles. Fails with InvalidData, naming why in Italian,
// when the outdoor link reads lost, an outdoor value, the dew point, the wind chill or the wind
// is invalid, or a rain counter holds a bad digit.
StationRead<StationValues> decodeStationValues(const NibbleImage& image);

// The 20 nibbles from 0x6B2; nothing when they cannot be a header (an index past the ring, a
// count above 175, a countdown longer than the interval).
std::optional<StationHistoryHeader> decodeHistoryHeader(NibbleSpan twenty);
// The 19 nibbles of one record.
StationHistoryRecord decodeHistoryRecord(NibbleSpan nineteen);

}  // namespace brezzolo::ws23xx
