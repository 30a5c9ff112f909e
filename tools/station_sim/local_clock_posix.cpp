#include "local_clock.h"

namespace brezzolo::sim {

std::tm localCalendarTime(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}

}  // namespace brezzolo::sim
