#include <ctime>

#include "aprs_is/time_zone.h"

namespace brezzolo {

CivilTime systemLocalTime(std::int64_t seconds) {
    const auto moment = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_s(&local, &moment);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace brezzolo
