#pragma once

#include <cstddef>
#include <string>

#include "common/station_reading.h"

namespace brezzolo {

// Where Heavy Weather's current-data file keeps each value: fixed lines and columns, both
// counted from 1. The reader cuts its fields by this table and the writers of the file (the
// station link, the station simulator) place their values by it, so the two cannot drift apart.

inline constexpr std::size_t kToLineEnd = std::string::npos;

// The number of lines the reader goes through; the last value stands on this line.
inline constexpr std::size_t kCurrentDataLinesRead = 79;

// The header time, "Www Mmm dd hh:mm:ss yyyy", on its own line from a fixed column.
inline constexpr std::size_t kHeaderLine = 11;
inline constexpr std::size_t kHeaderColumn = 35;

struct HeaderPiece {
    std::size_t column, length;
};
namespace headerPieces {
inline constexpr HeaderPiece weekday{35, 3};
inline constexpr HeaderPiece month{39, 3};
inline constexpr HeaderPiece day{43, 2};
inline constexpr HeaderPiece hour{46, 2};
inline constexpr HeaderPiece minute{49, 2};
inline constexpr HeaderPiece second{52, 2};
inline constexpr HeaderPiece year{55, 4};
}  // namespace headerPieces

// A number field: its line, first column and width (kToLineEnd: to the end of the line), and
// the field of the reading it fills.
struct CurrentDataField {
    std::size_t line, column, length;
    double StationReading::*field;
};

inline constexpr CurrentDataField kCurrentDataFields[] = {
    {17, 10, kToLineEnd, &StationReading::forecast},
    {22, 10, kToLineEnd, &StationReading::tendency},
    {25, 10, 4, &StationReading::indoorTemp},
    {29, 10, 4, &StationReading::outdoorTemp},
    {30, 10, 3, &StationReading::outdoorTempF},  // 70.5 is cut to "70." and gives 70
    // Humidity is read with three characters, so that 100 % is not cut to "10".
    {33, 12, 3, &StationReading::indoorHumidity},
    {36, 12, 3, &StationReading::outdoorHumidity},
    {39, 10, 4, &StationReading::dewPoint},
    {43, 10, 4, &StationReading::windChill},
    {48, 8, 5, &StationReading::windSpeedKmh},
    {49, 8, 5, &StationReading::windSpeedMph},
    {54, 8, 5, &StationReading::windDirection},
    {58, 7, 6, &StationReading::rainTotal},
    {62, 7, 5, &StationReading::rain24h},
    {63, 9, kToLineEnd, &StationReading::rain24hInch},
    {66, 7, 5, &StationReading::rain1h},
    {67, 9, kToLineEnd, &StationReading::rain1hInch},
    {70, 8, 6, &StationReading::pressureAbs},
    {74, 8, kToLineEnd, &StationReading::pressureRel},
    {79, 10, kToLineEnd, &StationReading::stormAlarm},
};

// The place of one field of the reading; a field the table lacks does not compile when the
// call is evaluated at compile time.
constexpr const CurrentDataField& currentDataField(double StationReading::*field) {
    for (const CurrentDataField& f : kCurrentDataFields) {
        if (f.field == field) {
            return f;
        }
    }
    throw "the current-data file has no such field";
}

}  // namespace brezzolo
