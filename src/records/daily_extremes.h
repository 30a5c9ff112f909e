#pragma once

#include <string>

#include "app/appoggio.h"
#include "app/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// The day's extremes: the daily-extremes file "MM" + yy + mm + dd + ".brz", the monthly log
// "MM" + yyyy + mm + ".TXT" at 00:00, Label24 to Label27 and the indicators Shape1 to Shape4.
void updateDailyExtremes(const StationReading& reading, const Appoggio& store,
                         const std::string& outputFolder, MainWindowModel& window);

}  // namespace brezzolo
