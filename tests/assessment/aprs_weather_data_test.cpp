#include <cmath>
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
        {aprsTemperature, 5.9, "005"},
        {aprsTemperature, -0.0, "000"},
        {aprsTemperature, -0.5, "-01"},
        {aprsTemperature, -150, "-99"},
        {aprsRainHundredths, 0.29, "029"},
        {aprsRainHundredths, 10, "999"},
        {aprsRainSinceMidnight, 3.175, "012"},  // 12.5
        {aprsRainSinceMidnight, 3.429, "014"},  // 13.5
        {aprsPressure, 998.7, "09987"},
        {aprsPressure, 998.75, "09988"},
        {aprsPressure, 123456, "99999"},
        {aprsPressure, std::nan(""), "00000"},  // no number counts as the lowest
        {aprsHumidity, 5, "05"},
        {aprsHumidity, 99, "99"},
        {aprsHumidity, 100, "00"},
        {aprsHumidity, 0, "01"},  // "00" would claim saturation
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.field(c.value), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace brezzolo
