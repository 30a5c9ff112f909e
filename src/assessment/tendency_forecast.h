#pragma once

#include <string>

#include "common/appoggio.h"
#include "common/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// The pressure tendency over the last ten cycles.
enum TendencyClass : int {
    kSteady = 0,
    kRising = 1,
    kFalling = 2,
};

// Shown in Label19 (and repeated by the warnings) when the station gives no forecast.
inline constexpr const char* kInternalErrorText = "Errore interno di programma";

// The mean of the ten slots' numeric values (a slot that is no number counts as 0).
double tendencyAverage(const Appoggio& store);

// Steady strictly between -0.5 and 0.5, rising from 0.5 up, falling from -0.5 down.
TendencyClass tendencyClass(double average);

// The tendency words for a class and its average: "pressione costante",
// "pressione in leggero aumento" (from 0.5) .. "pressione in forte diminuzione".
std::string tendencyText(TendencyClass tendency, double average);

// The forecast text from the station's forecast and the tendency: "Prev. sereno",
// "Prev. molto nuvoloso" ..; empty without a forecast the station defines.
std::string forecastText(StationForecast forecast, TendencyClass tendency);

// The tendency and forecast stage: shifts the ten tendency slots, derives the tendency class
// (0 steady, 1 rising, 2 falling) into reading.tendency, updates Label5 at ten-minute marks
// once the slots are filled, and returns the forecast text ("Prev. sereno", or empty).
std::string applyTendencyAndForecast(StationReading& reading, Appoggio& store,
                                     MainWindowModel& window);

// The caption of Label19 for a forecast text: "Previsione:  sereno", or
// "Errore interno di programma" for an empty text.
std::string forecastLabel(const std::string& forecastText);

}  // namespace brezzolo
