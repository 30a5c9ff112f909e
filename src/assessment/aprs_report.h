#pragma once

#include <string>

#include "app/appoggio.h"
#include "app/main_window_model.h"
#include "common/station_reading.h"
#include "config/config_file.h"

namespace brezzolo {

inline constexpr const char* kReportFileName = "my_meteo.txt";
inline constexpr const char* kStationType = "WS23xx";

// The report step: writes my_meteo.txt in the output folder, shows the report in Text1, the
// pressures in Label16 and Label33, the local situation in Label4 and the forecast in Label19.
// A file that cannot be written is left as it was; the window is still updated.
void writeAprsReport(const StationReading& reading, const CycleSettings& settings,
                     const std::string& forecastText, const Appoggio& store,
                     MainWindowModel& window);

}  // namespace brezzolo
