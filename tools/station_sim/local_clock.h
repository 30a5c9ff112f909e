#pragma once

#include <ctime>

namespace brezzolo::sim {

// The calendar fields of a moment in the local time zone. Platform-specific: the C library's
// thread-safe conversion is spelt differently on Windows.
std::tm localCalendarTime(std::time_t moment);

}  // namespace brezzolo::sim
