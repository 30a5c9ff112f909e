#include "records/daily_extremes.h"

#include "common/num_text.h"
#include "common/numeric_value.h"
#include "common/paths.h"
#include "common/run_statement.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

DayExtremes storedExtremes(const Appoggio& store) {
    return {numericValue(store.Tmin), numericValue(store.Tmax), numericValue(store.Pmin),
            numericValue(store.Pmax)};
}

// Takes the file's values line by line; a line the file lacks leaves its value as it was.
void takeFileValues(const std::vector<std::string>& lines, DayExtremes& extremes) {
    double* const values[] = {&extremes.Tmin, &extremes.Tmax, &extremes.Pmin, &extremes.Pmax};
    for (std::size_t i = 0; i < std::size(values) && i < lines.size(); ++i) {
        *values[i] = numericValue(lines[i]);
    }
}

// A reading that reaches the extreme, or equals it, becomes the extreme.
bool reachesMaximum(double value, double& maximum) {
    if (value >= maximum) {
        maximum = value;
        return true;
    }
    return false;
}

bool reachesMinimum(double value, double& minimum) {
    if (value <= minimum) {
        minimum = value;
        return true;
    }
    return false;
}

enum class Extreme { Maximum, Minimum };

// Lights the indicator in the extreme's colours, border first, or makes it neutral.
void showIndicator(MainWindowModel& window, ShapeModel& shape, bool reached, Extreme extreme) {
    if (!reached) {
        window.makeNeutral(shape);
    } else if (extreme == Extreme::Maximum) {
        shape.BorderColor = colours::darkGreen;
        shape.FillColor = colours::green;
    } else {
        shape.BorderColor = colours::darkRed;
        shape.FillColor = colours::red;
    }
}

// The monthly log at a 00:00 cycle: restarted with its header on day 1 or when missing, then
// the row of the day that has just ended, when that day left its record.
void writeMonthlyLog(const StationReading& reading, const RecordDate& date,
                     const std::string& outputFolder) {
    const auto logPath = joinPath(outputFolder, monthlyLogFileName(date));
    const auto previousPath = joinPath(outputFolder, dailyExtremesFileName(dayBefore(date)));
    if (!logPath || !previousPath) {
        return;
    }
    if (!fileExists(*logPath) || date.day == 1) {
        rewriteTextFile(*logPath, {std::string(kMonthlyLogHeader)});
    }
    if (const auto ended = readDailyExtremesFile(*previousPath)) {
        appendLine(*logPath, monthlyLogRow(reading, *ended));
    }
}

}  // namespace

std::string dailyExtremesFileName(const RecordDate& date) {
    return "MM" + zeroPadded(date.year % 100, 2) + zeroPadded(date.month, 2) +
           zeroPadded(date.day, 2) + ".brz";
}

std::string monthlyLogFileName(const RecordDate& date) {
    return "MM" + zeroPadded(date.year, 4) + zeroPadded(date.month, 2) + ".TXT";
}

std::vector<std::string> dailyExtremesLines(const DayExtremes& extremes) {
    return {numText(extremes.Tmin), numText(extremes.Tmax), numText(extremes.Pmin),
            numText(extremes.Pmax)};
}

std::optional<DayExtremes> readDailyExtremesFile(const std::string& path) {
    const auto lines = readLines(path);
    if (!lines || lines->size() < 4) {
        return std::nullopt;
    }
    DayExtremes extremes;
    takeFileValues(*lines, extremes);
    return extremes;
}

std::string monthlyLogRow(const StationReading& reading, const DayExtremes& extremes) {
    std::string row = reading.day + "/" + reading.monthAbbrev + "/" + reading.year;
    for (const std::string& value : dailyExtremesLines(extremes)) {
        row += " ; " + value;
    }
    return row;
}

void updateDailyExtremes(const StationReading& reading, const Appoggio& store,
                         const std::string& outputFolder, MainWindowModel& window) {
    const std::optional<RecordDate> date = readingDate(reading);
    const bool midnight = reading.hour == "00" && reading.minute == "00";
    std::optional<std::string> dayPath;
    if (date) {
        dayPath = joinPath(outputFolder, dailyExtremesFileName(*date));
    }

    // The stored extremes, or the file's when it exists; the file's values stand only in a
    // cycle without a relative pressure, which compares nothing.
    DayExtremes extremes = storedExtremes(store);
    bool rewrite = midnight;
    if (dayPath && fileExists(*dayPath)) {
        runStatement([&] {
            if (const auto lines = readLines(*dayPath)) {
                takeFileValues(*lines, extremes);
            }
        });
    } else {
        rewrite = true;
    }

    if (reading.pressureRel != 0) {
        extremes = storedExtremes(store);
        const double t = reading.outdoorTemp;
        const double p = reading.pressureRel;
        const bool newTmax = reachesMaximum(t, extremes.Tmax);
        const bool newTmin = reachesMinimum(t, extremes.Tmin);
        const bool newPmax = reachesMaximum(p, extremes.Pmax);
        const bool newPmin = reachesMinimum(p, extremes.Pmin);
        rewrite = rewrite || newTmax || newTmin || newPmax || newPmin;
        showIndicator(window, window.Shape1, newTmax, Extreme::Maximum);
        showIndicator(window, window.Shape2, newTmin, Extreme::Minimum);
        showIndicator(window, window.Shape3, newPmax, Extreme::Maximum);
        showIndicator(window, window.Shape4, newPmin, Extreme::Minimum);
    }
    // A flat day is no record in either direction.
    if (extremes.Tmin == extremes.Tmax) {
        window.makeNeutral(window.Shape1);
        window.makeNeutral(window.Shape2);
    }
    if (extremes.Pmin == extremes.Pmax) {
        window.makeNeutral(window.Shape3);
        window.makeNeutral(window.Shape4);
    }

    if (rewrite && dayPath) {
        // The day's record, which the monthly log takes up after midnight, must survive a
        // power cut.
        runStatement([&] {
            rewriteTextFile(*dayPath, dailyExtremesLines(extremes), Durability::FlushToDisk);
        });
    }

    window.Label24.Caption = "T ext MAX = " + numText(extremes.Tmax) + " °C";
    window.Label25.Caption = "T ext min = " + numText(extremes.Tmin) + " °C";
    window.Label26.Caption = "Press. MAX = " + numText(extremes.Pmax) + " hPa";
    window.Label27.Caption = "Press. min = " + numText(extremes.Pmin) + " hPa";

    if (midnight && date) {
        runStatement([&] { writeMonthlyLog(reading, *date, outputFolder); });
    }
}

}  // namespace brezzolo
