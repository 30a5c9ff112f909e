#pragma once

#include <string>
#include <vector>

#include "common/station_reading.h"

namespace brezzolo {

// Heavy Weather's current-data file, read by fixed lines and columns. Lines are numbered
// from 1 and columns from 1, as the file's layout is described.
inline constexpr const char* kCurrentDataFileName = "currdat.lst";
inline constexpr const char* kCurrentDataCopyName = "currdat.brz";

// A reading from the file's lines (in the system code page, line ends removed). Lines the
// file lacks give empty fields: numbers 0, header texts empty. A control character inside a
// header text reads as "?". rainSinceMidnight is left 0.
StationReading parseCurrentData(const std::vector<std::string>& lines);

// Rain since midnight in mm before rounding: the rain total less the day's starting total
// (the numeric value of `raintoday`, 0 when it is no number), at least 0 and at most the rain
// of the last 24 hours.
double rainSinceMidnightMm(const StationReading& reading, const std::string& raintoday);

// That value to one decimal, halves to the even neighbour (2.25 gives 2.2, 2.35 gives 2.4).
double roundRainSinceMidnight(double millimetres);

// Reads the copy of the current-data file into a reading, with its rain since midnight.
// A file that cannot be opened gives a reading of zeros and empty texts.
StationReading readStationReading(const std::string& copyPath, const std::string& raintoday);

}  // namespace brezzolo
