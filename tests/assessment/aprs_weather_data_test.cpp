#include <string>

#include <gtest/gtest.h>

#include "assessment/aprs_weather_data.h"

namespace brezzolo {
namespace {

TEST(AprsWeatherData, EveryFieldKeepsItsWidth) {
    const struct {
        std::string (*field)(double);
        double value;
        const char* expected;
    } cases[] = {
        {aprsWindDirection, 5, "005"},
        {aprsWindDirection, 1234, "999"},
        {aprsWindDirection, -10, "000"},
        {aprsWindSpeed, 4.9, "004"},
        {aprsWindSpeed, -3, "000"},
        {aprsTemperature, 5.9, "005"},
        {aprsTemperature, -0.0, "000"},
        {aprsTemperature, -0.5, "-01"},
        {aprsTemperature, -12, "-12"},
        {aprsTemperature, -150, "-99"},
        {aprsTemperature, 101, "101"},
        {aprsRainHundredths, 0.29, "029"},
        {aprsRainHundredths, 1.13, "113"},
        {aprsRainHundredths, 9.99, "999"},
        {aprsRainHundredths, 10, "999"},
        {aprsRainHundredths, -0.5, "000"},
        {aprsRainSinceMidnight, 1.5, "006"},
        {aprsRainSinceMidnight, 3.175, "012"},  // 12.5
        {aprsRainSinceMidnight, 3.429, "014"},  // 13.5
        {aprsRainSinceMidnight, 300, "999"},
        {aprsRainSinceMidnight, -1, "000"},
        {aprsPressure, 998.7, "09987"},
        {aprsPressure, 1013, "10130"},
        {aprsPressure, 1013.24, "10132"},
        {aprsPressure, 998.75, "09988"},
        {aprsPressure, -5, "00000"},
        {aprsPressure, 123456, "99999"},
        {aprsHumidity, 5, "05"},
        {aprsHumidity, 99, "99"},
        {aprsHumidity, 100, "00"},
        {aprsHumidity, 250, "00"},
        {aprsHumidity, 0, "01"},  // "00" would claim saturation
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.field(c.value), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace brezzolo
