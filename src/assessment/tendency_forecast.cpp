#include "assessment/tendency_forecast.h"

namespace brezzolo {

std::string applyTendencyAndForecast(StationReading&, Appoggio&, MainWindowModel&) { return {}; }

std::string forecastLabel(const std::string&) { return {}; }

}  // namespace brezzolo
