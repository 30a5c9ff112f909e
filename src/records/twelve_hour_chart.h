#pragma once

#include <string>

#include "common/appoggio.h"
#include "common/main_window_model.h"

namespace brezzolo {

// Draws the twelve-hour chart into the window model (pressure or outdoor temperature bars by
// Option1, the title in Label28) and stores the pressure trend class in Tendenza and
// statopress. When the history file is missing, has fewer than three records or a sample
// interval of 0 or less, nothing changes and it returns false. A record value that is no finite
// number (a damaged file) gives an empty bar, and a trend through it is "variabile". Throws
// nothing.
bool drawTwelveHourChart(const std::string& heavyWeatherFolder, const std::string& historyFileName,
                         MainWindowModel& window, Appoggio& store);

}  // namespace brezzolo
