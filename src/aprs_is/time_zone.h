#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "common/civil_time.h"

namespace brezzolo {

// Seconds since 1970-01-01 00:00 UTC of a UTC calendar time; nothing when it names no real
// moment (month 13, 30 February, hour 24 ...).
std::optional<std::int64_t> utcSeconds(const CivilTime& utc);

// The UTC calendar time of a moment.
CivilTime utcCivilTime(std::int64_t seconds);

// How local times and moments convert into each other. Station readings carry the PC's local
// time, APRS wants UTC; tests put a fixed offset in the system's place.
struct TimeZone {
    // The moment of a local time; nothing when it is no valid time.
    std::function<std::optional<std::int64_t>(const CivilTime& local)> toUtc;
    // The local time of a moment.
    std::function<CivilTime(std::int64_t seconds)> toLocal;
};

// The system's time zone with its daylight saving rules, as the C library knows it.
TimeZone systemTimeZone();

// A zone that is always this many minutes ahead of UTC (60 for Rome in winter).
TimeZone fixedOffsetTimeZone(int minutesEastOfUtc);

// The local calendar time of a moment (seconds since 1970) in the system's zone.
CivilTime systemLocalTime(std::int64_t seconds);

}  // namespace brezzolo
