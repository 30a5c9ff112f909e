#pragma once

#include "app/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// The comfort and hazard step: heat index, fog and ice warnings into Label29 (text and
// colour), reading Label19 for the internal-error case; empties Label37.
void showWarnings(const StationReading& reading, MainWindowModel& window);

}  // namespace brezzolo
