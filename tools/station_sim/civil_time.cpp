#include <charconv>
#include <chrono>

#include "station_sim/station_sim.h"

namespace brezzolo::sim {
namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr std::int64_t kMinutesPerDay = 1440;

const sys_days kEpoch = std::chrono::year{2000} / std::chrono::January / 1;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

year_month_day dateOf(const CivilTime& time) {
    return {std::chrono::year{time.year}, std::chrono::month{static_cast<unsigned>(time.month)},
            std::chrono::day{static_cast<unsigned>(time.day)}};
}

sys_days dayOf(const CivilTime& time) {
    return sys_days{dateOf(time)};
}

// A whole number of exactly `width` digits at `pos`, or nothing.
std::optional<int> digitsAt(std::string_view text, std::size_t pos, std::size_t width) {
    int value = 0;
    const char* first = text.data() + pos;
    const auto [end, error] = std::from_chars(first, first + width, value);
    if (error != std::errc() || end != first + width || *first == '-' || *first == '+') {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::int64_t minuteOf(const CivilTime& time) {
    return static_cast<std::int64_t>((dayOf(time) - kEpoch).count()) * kMinutesPerDay +
           time.hour * 60 + time.minute;
}

CivilTime civilTimeAt(std::int64_t minute) {
    const std::int64_t days = floorDiv(minute, kMinutesPerDay);
    const std::int64_t inDay = minute - days * kMinutesPerDay;
    const year_month_day date{kEpoch +
                              std::chrono::days{static_cast<std::chrono::days::rep>(days)}};
    CivilTime time;
    time.year = static_cast<int>(date.year());
    time.month = static_cast<int>(static_cast<unsigned>(date.month()));
    time.day = static_cast<int>(static_cast<unsigned>(date.day()));
    time.hour = static_cast<int>(inDay / 60);
    time.minute = static_cast<int>(inDay % 60);
    return time;
}

std::optional<CivilTime> parseCivilTime(std::string_view text) {
    // YYYY-MM-DD HH:MM
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':') {
        return std::nullopt;
    }
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    const auto hour = digitsAt(text, 11, 2);
    const auto minute = digitsAt(text, 14, 2);
    if (!year || !month || !day || !hour || !minute || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    const CivilTime time{*year, *month, *day, *hour, *minute, 0};
    if (!dateOf(time).ok()) {
        return std::nullopt;
    }
    return time;
}

CivilTime localNow() {
    return localCivilTime(std::chrono::system_clock::now());
}

}  // namespace brezzolo::sim
