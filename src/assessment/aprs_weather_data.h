#pragma once

#include <string>

#include "common/settings_codes.h"
#include "common/station_reading.h"

namespace brezzolo {

// The numeric fields of the APRS weather line, each in the fixed width decoders expect. A value
// the field cannot carry (negative rain, a direction of 1234°, -150 °F from a broken file) is
// held at the nearest end of the field's range, so that it never shifts the fields after it.

// Whole degrees, "000" to "999": "005", "270".
std::string aprsWindDirection(double degrees);

// Miles per hour rounded down, "000" to "999".
std::string aprsWindSpeed(double mph);

// °F rounded down: "000" to "999" from 0 up, "-01" to "-99" below 0.
std::string aprsTemperature(double fahrenheit);

// Inches as hundredths rounded to the nearest whole number, "000" to "999" (0.29 gives "029").
std::string aprsRainHundredths(double inches);

// Millimetres as hundredths of an inch, halves to the even neighbour, "000" to "999".
std::string aprsRainSinceMidnight(double millimetres);

// Tenths of hPa rounded to the nearest tenth, "00000" to "99999" (998.7 gives "09987").
std::string aprsPressure(double hectopascals);

// Whole per cent, "01" to "99", and "00" for 100 % as APRS writes saturation.
std::string aprsHumidity(double percent);

// The weather data of the report line, from the wind up to the "/" before the comment:
// "270/005g000t050p012r000P008b10132h85/". Pressure type 2 reports the relative pressure,
// any other the absolute one; the rain since midnight is given unrounded, in millimetres.
std::string aprsWeatherData(const StationReading& reading, PressureType pressureType,
                            double rainSinceMidnightMm);

}  // namespace brezzolo
