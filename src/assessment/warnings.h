#pragma once

#include <string>

#include "common/colour.h"
#include "common/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// The heat index from the outdoor temperature (°C) and relative humidity (%): the temperature
// raised by 0.5555 for every hPa of vapour pressure above 10 hPa.
double heatIndex(double celsius, double humidityPercent);

// How the heat index feels, from "Disagio non percepibile" (up to 29) to "Colpo di calore
// imminente - Pericolo di vita" (above 54).
std::string comfortText(double heatIndex);

// The heat index as shown: cut down to one decimal ("28.23" shows as 28.2, "-3.47" as -3.5).
double heatIndexShown(double heatIndex);

// What Label29 shows: its caption and text colour.
struct WarningLine {
    std::string text;
    Colour colour = colours::black;
};

// The warning line for the reading, given the forecast caption of this cycle.
WarningLine warningLine(const StationReading& reading, const std::string& forecastCaption);

// The comfort and hazard step: heat index, fog and ice warnings into Label29 (text and
// colour), reading Label19 for the internal-error case; empties Label37.
void showWarnings(const StationReading& reading, MainWindowModel& window);

}  // namespace brezzolo
