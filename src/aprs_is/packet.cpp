#include "aprs_is/packet.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "assessment/aprs_weather_data.h"

namespace brezzolo {
namespace {

std::string twoDigits(long long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// Degrees as hundredths of a minute, rounded once, so that 41.99999 becomes 42 degrees and
// never "4160.00".
std::string degreesMinutes(double degrees, std::size_t degreeDigits, char positive, char negative) {
    const long long hundredths = std::llround(std::fabs(degrees) * 6000);
    std::string whole = std::to_string(hundredths / 6000);
    if (whole.size() < degreeDigits) {
        whole.insert(0, degreeDigits - whole.size(), '0');
    }
    const long long minutes = hundredths % 6000;
    const char hemisphere = degrees < 0 && hundredths != 0 ? negative : positive;
    return whole + twoDigits(minutes / 100) + "." + twoDigits(minutes % 100) + hemisphere;
}

// A header piece as a number: " 5" and "05" give 5; anything else nothing.
std::optional<int> headerNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::string windDirection(double degrees) {
    const double whole = std::floor(degrees);
    if (!(whole >= 0 && whole <= 360)) {
        return "...";
    }
    return whole == 0 ? "360" : aprsWindDirection(whole);
}

std::string humidity(double percent) {
    return std::floor(percent) >= 1 ? aprsHumidity(percent) : "..";
}

std::string pressure(double hectopascals) {
    return hectopascals > 0 ? aprsPressure(hectopascals) : ".....";
}

// The comment as it follows the weather data. Decoders read on as long as they find a field
// letter and digits, so a comment such as "h12 sereno" or "L123" would be taken for a
// humidity of 12 % or a luminosity; a blank in front keeps it a comment.
std::string commentAfterWeather(const std::string& comment) {
    if (comment.size() < 2) {
        return comment;
    }
    const char first = comment[0];
    const char second = comment[1];
    const bool fieldLetter =
        (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z') || first == '#';
    const bool fieldValue = (second >= '0' && second <= '9') || second == '.' || second == '-';
    return fieldLetter && fieldValue ? " " + comment : comment;
}

}  // namespace

std::string aprsLatitude(double degrees) {
    return degreesMinutes(degrees, 2, 'N', 'S');
}

std::string aprsLongitude(double degrees) {
    return degreesMinutes(degrees, 3, 'E', 'W');
}

std::optional<CivilTime> readingLocalTime(const StationReading& r) {
    const auto year = headerNumber(r.year);
    const auto month = headerNumber(r.monthNumber);
    const auto day = headerNumber(r.day);
    const auto hour = headerNumber(r.hour);
    const auto minute = headerNumber(r.minute);
    const auto second = headerNumber(r.second);
    if (!year || !month || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    const CivilTime time{*year, *month, *day, *hour, *minute, *second};
    // Checked as a calendar time: 31 June or 25:00 is no time.
    if (!utcSeconds(time)) {
        return std::nullopt;
    }
    return time;
}

std::string readingStamp(const StationReading& reading) {
    const auto t = readingLocalTime(reading);
    if (!t) {
        return {};
    }
    return std::to_string(t->year) + "-" + twoDigits(t->month) + "-" + twoDigits(t->day) + " " +
           twoDigits(t->hour) + ":" + twoDigits(t->minute) + ":" + twoDigits(t->second);
}

std::string aprsIsWeatherFields(const ReportedReading& reported) {
    const StationReading& r = reported.reading;
    return windDirection(r.windDirection) + "/" + aprsWindSpeed(r.windSpeedMph) + "g..." + "t" +
           aprsTemperature(r.outdoorTempF) + "r" + aprsRainHundredths(r.rain1hInch) + "p" +
           aprsRainHundredths(r.rain24hInch) + "P" +
           aprsRainSinceMidnight(reported.rainSinceMidnightMm) + "h" + humidity(r.outdoorHumidity) +
           "b" + pressure(r.pressureRel);
}

std::optional<std::string> aprsWeatherInformation(const ReportedReading& reported,
                                                  const AprsIsSettings& settings,
                                                  const TimeZone& zone) {
    const auto local = readingLocalTime(reported.reading);
    const auto moment = local ? zone.toUtc(*local) : std::nullopt;
    if (!moment) {
        return std::nullopt;
    }
    const CivilTime utc = utcCivilTime(*moment);
    const std::string timestamp =
        twoDigits(utc.day) + twoDigits(utc.hour) + twoDigits(utc.minute) + "z";
    // "/": position with time, no messaging. Symbol "/" "_": the weather station.
    return "/" + timestamp + aprsLatitude(settings.latitude) + "/" +
           aprsLongitude(settings.longitude) + "_" + aprsIsWeatherFields(reported) +
           commentAfterWeather(settings.comment);
}

std::optional<std::string> aprsIsPacket(const ReportedReading& reported,
                                        const AprsIsSettings& settings, const TimeZone& zone) {
    const auto information = aprsWeatherInformation(reported, settings, zone);
    if (!information) {
        return std::nullopt;
    }
    return settings.callsign + ">" + kAprsIsDestination + ",TCPIP*:" + *information;
}

}  // namespace brezzolo
