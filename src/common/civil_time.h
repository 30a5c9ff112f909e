#pragma once

#include <chrono>

namespace brezzolo {

// A local wall-clock time as a station console or Heavy Weather shows it: no time zone, no
// daylight-saving flag.
struct CivilTime {
    int year = 2000;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CivilTime&) const = default;
};

// The computer's local wall-clock time at a moment, in the system's time zone and its daylight
// saving rules. Platform-specific: the C library's thread-safe conversion is spelt differently
// on Windows.
CivilTime localCivilTime(std::chrono::system_clock::time_point moment);

}  // namespace brezzolo
