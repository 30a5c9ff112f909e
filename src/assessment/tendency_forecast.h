#pragma once

#include <string>

#include "app/appoggio.h"
#include "app/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// The tendency and forecast stage: shifts the ten tendency slots, derives the tendency class
// (0 steady, 1 rising, 2 falling) into reading.tendency, updates Label5 at ten-minute marks
// once the slots are filled, and returns the forecast text ("Prev. sereno", or empty).
std::string applyTendencyAndForecast(StationReading& reading, Appoggio& store,
                                     MainWindowModel& window);

// The caption of Label19 for a forecast text: "Previsione:  sereno", or
// "Errore interno di programma" for an empty text.
std::string forecastLabel(const std::string& forecastText);

}  // namespace brezzolo
