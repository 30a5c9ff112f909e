#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/appoggio.h"
#include "common/main_window_model.h"
#include "common/station_reading.h"
#include "records/record_date.h"

namespace brezzolo {

// The day's extremes as one cycle works on them: outdoor temperature in °C, relative pressure
// in hPa.
struct DayExtremes {
    double Tmin = 0;
    double Tmax = 0;
    double Pmin = 0;
    double Pmax = 0;
};

inline constexpr std::string_view kMonthlyLogHeader =
    "DATA ; T_MIN ; T_MAX ; PRESS_MIN ; PRESS_MAX";

// "MM" + two-digit year + month + day + ".brz": MM261205.brz for 5 December 2026.
std::string dailyExtremesFileName(const RecordDate& date);

// "MM" + four-digit year + month + ".TXT": MM202612.TXT for December 2026.
std::string monthlyLogFileName(const RecordDate& date);

// The four lines of the daily-extremes file: Tmin, Tmax, Pmin, Pmax in numText form.
std::vector<std::string> dailyExtremesLines(const DayExtremes& extremes);

// The extremes held in a daily-extremes file's first four lines; nothing when the file cannot
// be read or is shorter. A line that does not start with a number reads as 0.
std::optional<DayExtremes> readDailyExtremesFile(const std::string& path);

// One row of the monthly log: the reading's date as "06/Dec/2026", then the four values
// after " ; " each, in the header's order.
std::string monthlyLogRow(const StationReading& reading, const DayExtremes& extremes);

// The day's extremes: the daily-extremes file, the monthly log at 00:00, Label24 to Label27
// and the indicators Shape1 to Shape4. The log row holds the extremes of the day that has just
// ended, taken from that day's daily-extremes file; without that file the day gets no row.
// A reading without a usable date, or an empty output folder, reads and writes no file, and
// the labels and indicators are still updated.
void updateDailyExtremes(const StationReading& reading, const Appoggio& store,
                         const std::string& outputFolder, MainWindowModel& window);

}  // namespace brezzolo
