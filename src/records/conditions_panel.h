#pragma once

#include "common/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// Fills the current conditions panel from the reading: the headline Label2, the outdoor,
// wind and rain labels, and the storm alarm labels Label17 and Label18.
void fillConditionsPanel(const StationReading& reading, MainWindowModel& window);

}  // namespace brezzolo
