#include "aprs_is/time_zone.h"

#include <chrono>
#include <ctime>

namespace brezzolo {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

std::optional<sys_days> validDate(const CivilTime& t) {
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{t.year},
                                           std::chrono::month{static_cast<unsigned>(t.month)},
                                           std::chrono::day{static_cast<unsigned>(t.day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return sys_days{date};
}

bool validTimeOfDay(const CivilTime& t) {
    return t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
           t.second < 60;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A valid local time through mktime, which applies the zone's daylight saving rules; the
// fields are read back so that a time mktime had to move (a date it cannot represent) fails.
std::optional<std::int64_t> systemToUtc(const CivilTime& local) {
    if (!validDate(local) || !validTimeOfDay(local)) {
        return std::nullopt;
    }
    std::tm fields{};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1;  // let the zone's rules decide
    const std::time_t moment = std::mktime(&fields);
    if (moment == static_cast<std::time_t>(-1) || fields.tm_year != local.year - 1900 ||
        fields.tm_mon != local.month - 1 || fields.tm_mday != local.day) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(moment);
}

}  // namespace

std::optional<std::int64_t> utcSeconds(const CivilTime& utc) {
    const auto date = validDate(utc);
    if (!date || !validTimeOfDay(utc)) {
        return std::nullopt;
    }
    const std::int64_t dayNumber = date->time_since_epoch().count();
    return dayNumber * 86400 + utc.hour * 3600 + utc.minute * 60 + utc.second;
}

CivilTime utcCivilTime(std::int64_t seconds) {
    const std::int64_t dayNumber = floorDiv(seconds, 86400);
    const std::int64_t inDay = seconds - dayNumber * 86400;
    const std::chrono::year_month_day date{sys_days{days{dayNumber}}};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(inDay / 3600),
            static_cast<int>(inDay / 60 % 60),
            static_cast<int>(inDay % 60)};
}

TimeZone systemTimeZone() {
    return {systemToUtc, systemLocalTime};
}

TimeZone fixedOffsetTimeZone(int minutesEastOfUtc) {
    const std::int64_t offset = std::int64_t{minutesEastOfUtc} * 60;
    return {[offset](const CivilTime& local) -> std::optional<std::int64_t> {
                const auto asUtc = utcSeconds(local);
                if (!asUtc) {
                    return std::nullopt;
                }
                return *asUtc - offset;
            },
            [offset](std::int64_t seconds) { return utcCivilTime(seconds + offset); }};
}

CivilTime systemLocalTime(std::int64_t seconds) {
    return localCivilTime(std::chrono::system_clock::time_point(std::chrono::seconds(seconds)));
}

}  // namespace brezzolo
