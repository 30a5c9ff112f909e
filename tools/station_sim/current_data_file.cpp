#include "station/current_data_file.h"

#include "station_sim/station_sim.h"

namespace brezzolo::sim {
namespace {

constexpr const char* kWriter = "brezzolo-station-sim";

}  // namespace

std::vector<std::string> currentDataLines(const CurrentConditions& conditions) {
    return brezzolo::currentDataLines(conditions, kWriter);
}

bool writeCurrentData(const std::string& folder, const CurrentConditions& conditions) {
    return brezzolo::writeCurrentData(folder, conditions, kWriter);
}

}  // namespace brezzolo::sim
