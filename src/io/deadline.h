#pragma once

#include <chrono>

namespace brezzolo {

// The moment a wait gives up.
using Deadline = std::chrono::steady_clock::time_point;

// Milliseconds left until the deadline, at least 0 and at most a day.
int millisecondsLeft(Deadline deadline);

}  // namespace brezzolo
