#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/civil_time.h"

namespace brezzolo {

// What the WS23xx station's memory says, decoded into the station's own units. The station
// link reads it over the serial cable and writes currdat.lst and the history file from it, as
// Heavy Weather would.

// How the console reaches its outdoor sensors (nibble 0x54D).
enum class OutdoorLink { Cable, Wireless, Lost, Unknown };

// One poll of the current values. A value the station marks invalid, or one of the known spike
// values (a lost sensor's extremes, raw zeros, the wind's 0x0FF and 0x1FF), is nothing: it must
// never reach currdat.lst as a number.
struct StationValues {
    std::optional<CivilTime> clock;    // the console's clock; nothing when it holds no valid time
    int forecast = -1;                 // 0 rainy, 1 cloudy, 2 sunny; -1 anything else
    int tendency = 0;                  // 0 steady, 1 rising, 2 falling
    std::optional<double> indoorTemp;  // °C
    std::optional<double> outdoorTemp;
    std::optional<double> dewPoint;
    std::optional<double> windChill;
    std::optional<int> indoorHumidity;  // %
    std::optional<int> outdoorHumidity;
    std::optional<double> windSpeed;      // m/s
    std::optional<double> windDirection;  // degrees, a multiple of 22.5 from 0 (north)
    double rain1h = 0;                    // mm
    double rain24h = 0;
    double rainTotal = 0;
    std::optional<double> pressureAbs;  // hPa
    std::optional<double> pressureRel;
    std::optional<double> pressureCorrection;  // hPa, relative less absolute (the console's)
    bool stormWarningEnabled = false;          // the console's storm alarm is switched on
    OutdoorLink outdoorLink = OutdoorLink::Unknown;
};

// The header of the station's own history memory (20 nibbles from 0x6B2).
struct StationHistoryHeader {
    int intervalMinutes = 60;  // between two records
    int minutesToNext = 0;     // until the next record is taken
    std::optional<CivilTime> newestTime;
    int newestIndex = 0;  // 0 to 174, the ring's newest record
    int count = 0;        // valid records, at most 175
};

inline constexpr int kStationHistoryCapacity = 175;

// One record of the station's history ring, decoded.
struct StationHistoryRecord {
    std::optional<double> indoorTemp;   // °C
    std::optional<double> outdoorTemp;  // °C; nothing for a spike or a lost sensor's value
    double pressureAbs = 0;             // hPa
    int indoorHumidity = 0;             // %
    int outdoorHumidity = 0;
    int rainCount = 0;      // the rain gauge's 12-bit tip counter, 0.518 mm a tip; wraps at 4096
    double windSpeed = 0;   // m/s
    int windDirection = 0;  // 0 to 15, times 22.5 degrees

    bool operator==(const StationHistoryRecord&) const = default;
};

}  // namespace brezzolo
