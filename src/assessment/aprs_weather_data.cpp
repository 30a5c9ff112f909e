#include "assessment/aprs_weather_data.h"

#include <cmath>

namespace brezzolo {
namespace {

// A whole value held within [lowest, highest]; a value that is no number counts as the lowest.
long long heldWithin(double whole, long long lowest, long long highest) {
    if (!(whole > static_cast<double>(lowest))) {
        return lowest;
    }
    if (whole >= static_cast<double>(highest)) {
        return highest;
    }
    return static_cast<long long>(whole);
}

std::string zeroPadded(long long value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

// The common shape of the unsigned fields: a whole value, at most `width` digits.
std::string unsignedField(double whole, std::size_t width) {
    long long largest = 9;
    for (std::size_t i = 1; i < width; ++i) {
        largest = largest * 10 + 9;
    }
    return zeroPadded(heldWithin(whole, 0, largest), width);
}

}  // namespace

std::string aprsWindDirection(double degrees) {
    return unsignedField(std::floor(degrees), 3);
}

std::string aprsWindSpeed(double mph) {
    return unsignedField(std::floor(mph), 3);
}

std::string aprsTemperature(double fahrenheit) {
    const double whole = std::floor(fahrenheit);
    if (!(whole < 0)) {
        return unsignedField(whole, 3);
    }
    // Below zero the minus sign takes the first of the three places.
    return "-" + zeroPadded(heldWithin(-whole, 1, 99), 2);
}

std::string aprsRainHundredths(double inches) {
    // Rounded, not cut: 0.29 * 100 is 28.999999999999996 in binary.
    return unsignedField(std::round(inches * 100), 3);
}

std::string aprsRainSinceMidnight(double millimetres) {
    // nearbyint rounds in the default mode: to nearest, halves to even.
    return unsignedField(std::nearbyint(millimetres / 25.4 * 100), 3);
}

std::string aprsPressure(double hectopascals) {
    return unsignedField(std::round(hectopascals * 10), 5);
}

std::string aprsHumidity(double percent) {
    const double whole = std::floor(percent);
    if (whole >= 100) {
        return "00";
    }
    // 0 % cannot be written: "00" already means saturation.
    return zeroPadded(heldWithin(whole, 1, 99), 2);
}

std::string aprsWeatherData(const StationReading& reading, PressureType pressureType,
                            double rainSinceMidnightMm) {
    const double pressure =
        pressureType == PressureType::Relative ? reading.pressureRel : reading.pressureAbs;
    return aprsWindDirection(reading.windDirection) + "/" + aprsWindSpeed(reading.windSpeedMph) +
           "g000t" + aprsTemperature(reading.outdoorTempF) + "p" +
           aprsRainHundredths(reading.rain24hInch) + "r" + aprsRainHundredths(reading.rain1hInch) +
           "P" + aprsRainSinceMidnight(rainSinceMidnightMm) + "b" + aprsPressure(pressure) + "h" +
           aprsHumidity(reading.outdoorHumidity) + "/";
}

}  // namespace brezzolo
