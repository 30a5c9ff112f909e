#pragma once

#include <string>

namespace brezzolo {

// One reading of Heavy Weather's current-data file, built afresh in every cycle.
struct StationReading {
    // The header time, pieces exactly as cut from line 11 (a control character read as "?").
    std::string weekdayName;  // Italian, or empty when the English name matched no row
    std::string day;          // two characters, "05" or " 5"
    std::string monthAbbrev;  // three-letter English month as cut, "Jun"
    std::string monthName;    // Italian, or empty
    std::string monthNumber;  // "01" to "12", or empty
    std::string year;         // four characters
    std::string hour;         // two characters
    std::string minute;       // two characters
    std::string second;       // two characters

    double forecast = 0;  // -1 none, 0 rain, 1 cloudy, 2 sunny: see forecastCode()
    double tendency = 0;  // the station's code; replaced by the cycle's tendency class
    double indoorTemp = 0;
    double outdoorTemp = 0;
    double outdoorTempF = 0;
    double indoorHumidity = 0;
    double outdoorHumidity = 0;
    double dewPoint = 0;
    double windChill = 0;
    double windSpeedKmh = 0;
    double windSpeedMph = 0;
    double windDirection = 0;  // whole degrees
    double rainTotal = 0;
    double rain24h = 0;
    double rain24hInch = 0;
    double rain1h = 0;
    double rain1hInch = 0;
    double pressureAbs = 0;
    double pressureRel = 0;
    double stormAlarm = 0;  // -1 fault, 0 off, 1 active: see stormAlarmCode()

    double rainSinceMidnight = 0;  // mm, one decimal
};

// The station's forecast. The file may carry any number; Other is every value the station
// does not define (1.5, 7), which some readers treat apart from None.
enum class StationForecast { None, Rain, Cloudy, Sunny, Other };

constexpr StationForecast forecastCode(double value) {
    if (value == -1) {
        return StationForecast::None;
    }
    if (value == 0) {
        return StationForecast::Rain;
    }
    if (value == 1) {
        return StationForecast::Cloudy;
    }
    return value == 2 ? StationForecast::Sunny : StationForecast::Other;
}

// The station's storm alarm; Other is any value the station does not define.
enum class StormAlarm { Fault, Off, Active, Other };

constexpr StormAlarm stormAlarmCode(double value) {
    if (value == -1) {
        return StormAlarm::Fault;
    }
    if (value == 0) {
        return StormAlarm::Off;
    }
    return value == 1 ? StormAlarm::Active : StormAlarm::Other;
}

}  // namespace brezzolo
