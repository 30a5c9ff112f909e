#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/civil_time.h"

namespace brezzolo {

// One reading of the station on demand ("Leggi la stazione ora" in the dialog "Stazione"):
// what it gave, or why it failed.
struct StationProbeResult {
    std::optional<double> outdoorTemp;     // °C; nothing when the station has no valid value
    std::optional<CivilTime> stationTime;  // the console's clock; nothing when not valid
    std::string failure;                   // Italian, why the station could not be read;
                                           // empty when it was read

    bool read() const { return failure.empty(); }
};

// Reads the station once on this port; runs on a worker thread and may take some seconds.
using StationProbe = std::function<StationProbeResult(const std::string& port)>;

}  // namespace brezzolo
