#pragma once

#include <chrono>

#include "common/civil_time.h"

namespace brezzolo {

// The PC's local wall-clock time at a moment, in the system's time zone. Platform-specific.
CivilTime localCivilTime(std::chrono::system_clock::time_point moment);

}  // namespace brezzolo
