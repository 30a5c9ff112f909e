#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/civil_time.h"

namespace brezzolo {

// Heavy Weather's current-data file as the station link and the station simulator write it:
// every value at the line and column where the program's reader takes it.

// One reading in the station's own units; the file also carries the values in °F, mph and
// inches, worked out from these. The starting values are a mild, dry, calm day.
struct CurrentDataValues {
    CivilTime time;               // the header time, local
    int forecast = 1;             // -1 none, 0 rain, 1 cloudy, 2 sunny
    int tendency = 0;             // the station's own code: 0 steady, 1 rising, 2 falling
    double indoorTemp = 21.0;     // °C
    double outdoorTemp = 15.0;    // °C
    int indoorHumidity = 45;      // %
    int outdoorHumidity = 60;     // %
    double dewPoint = 7.3;        // °C
    double windChill = 15.0;      // °C
    double windSpeedKmh = 0.0;    // km/h
    double windDirection = 0.0;   // degrees
    double rainTotal = 0.0;       // mm counted by the station
    double rain24h = 0.0;         // mm
    double rain1h = 0.0;          // mm
    double pressureAbs = 985.0;   // hPa
    double pressureRel = 1013.0;  // hPa
    int stormAlarm = 0;           // -1 fault (or cannot tell), 0 off, 1 active
};

// The lines the file has: a few beyond the last one read, as the station's program writes.
inline constexpr int kCurrentDataLineCount = 82;

// The header time of the file: "Www Mmm dd hh:mm:ss yyyy" ("Mon Jun 05 14:05:09 2006"). The
// time must be a valid date.
std::string headerTime(const CivilTime& time);

// The lines of currdat.lst for a reading: each value at its line and column, followed by a
// closing quote and a comment; the other lines filler, the second one naming the program that
// wrote the file. Values carry one decimal (humidity none, inches two).
std::vector<std::string> currentDataLines(const CurrentDataValues& values,
                                          std::string_view writtenBy);

// Rewrites the file in one step (written beside it, then renamed over it), so that a reader
// never sees half a file; while another program holds the file open the rename is retried for
// a moment (renewTextFile). False on failure.
bool writeCurrentDataFile(const std::string& path, const CurrentDataValues& values,
                          std::string_view writtenBy);

// The same for currdat.lst in a folder, by the path rule.
bool writeCurrentData(const std::string& folder, const CurrentDataValues& values,
                      std::string_view writtenBy);

}  // namespace brezzolo
