#include <ctime>

#include "station_sim/station_sim.h"

namespace brezzolo::sim {

CivilTime localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace brezzolo::sim
