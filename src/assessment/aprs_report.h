#pragma once

#include <string>

#include "common/appoggio.h"
#include "common/main_window_model.h"
#include "common/station_reading.h"
#include "config/config_file.h"

namespace brezzolo {

inline constexpr const char* kReportFileName = "my_meteo.txt";
inline constexpr const char* kStationType = "WS23xx";
inline constexpr const char* kStormAlarmComment = "STORM ALARM!!!";
inline constexpr const char* kNoForecastComment = "***";

// What the comment of the report line is chosen from.
struct CommentSources {
    ReportMode reportMode = ReportMode::Forecast;
    std::string forecastText;
    std::string localSituation;
    bool userMessageOn = false;  // Check1
    std::string userMessage;     // Text2
    StormAlarm stormAlarm = StormAlarm::Off;
    StationForecast forecast = StationForecast::None;
};

// The comment: the mode's weather text, replaced by the user message when it is on and not
// empty, and that by the storm alarm or by "***" when the station has no forecast.
std::string reportComment(const CommentSources& sources);

// The report step: writes my_meteo.txt in the output folder, shows the report in Text1, the
// pressures in Label16 and Label33, the local situation in Label4 and the forecast in Label19.
// A file that cannot be written is left as it was; the window is still updated.
void writeAprsReport(const StationReading& reading, const CycleSettings& settings,
                     const std::string& forecastText, const Appoggio& store,
                     MainWindowModel& window);

}  // namespace brezzolo
