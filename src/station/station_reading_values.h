#pragma once

#include <optional>
#include <string>

#include "common/civil_time.h"
#include "station/current_data_file.h"
#include "station/station_values.h"

namespace brezzolo {

// One poll of the station as the current-data file carries it.
struct CurrentDataConversion {
    std::optional<CurrentDataValues> values;  // nothing when a value the file needs is missing
    std::string missing;                      // then which, in Italian, for the status line
};

// The station's values in the file's units: wind from m/s to km/h, the rest as the station
// gives them. The header time is the console's clock when it holds a valid time, else the
// PC's local time `pcNow`. The station has no "storm now" in its memory, only whether the storm
// alarm is switched on: off gives 0 (truthfully no storm alarm), on gives -1 (cannot tell).
CurrentDataConversion currentDataValues(const StationValues& station, const CivilTime& pcNow);

}  // namespace brezzolo
