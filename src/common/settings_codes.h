#pragma once

#include <string>

namespace brezzolo {

// The three choices config.brz keeps as codes, each stored as the text of its number.

// What the comment of the report carries (line 1).
enum class ReportMode { Forecast = 1, LocalSituation = 2, NoWeatherComment = 3 };

// Which pressure the report sends (line 2).
enum class PressureType { Absolute = 1, Relative = 2 };

// Which twelve-hour chart the main window draws (line 3): Option1 or Option2.
enum class ChartChoice { Pressure = 1, OutdoorTemperature = 2 };

// A code as config.brz stores it: "1", "2", "3".
template <typename Code>
std::string storedText(Code code) {
    return std::to_string(static_cast<int>(code));
}

}  // namespace brezzolo
