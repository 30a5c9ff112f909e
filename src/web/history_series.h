#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/history_file.h"

namespace brezzolo {

// How far back a chart of the web page reaches and how often it samples the history.
struct ChartWindow {
    double spanMinutes;
    double stepMinutes;
};
inline constexpr ChartWindow kDayWindow{24 * 60, 10};
inline constexpr ChartWindow kWeekWindow{7 * 24 * 60, 60};

// One history record as a chart uses it. Values are NaN where the record holds no finite
// number (a damaged file).
struct ChartSample {
    double nominalMinutesBack = 0;  // the look-back that found the record: 0, step, 2 step ...
    double minutes = 0;             // the record's own time relative to the anchor: <= 0
    double outdoorTemp = 0;         // °C
    double pressureAbs = 0;         // hPa
    double rainTotal = 0;           // mm as counted by the station
};

// The samples of one window, oldest first, their times strictly increasing and within the
// window. Records that are missing from the history (the station or the PC was off) make
// neighbouring samples lie further apart than the step: that is where a chart shows a gap.
struct HistorySeries {
    ChartWindow window{};
    double sampleInterval = 0;  // minutes between records
    std::vector<ChartSample> samples;

    // Two neighbouring samples this far apart or less are joined by a line.
    double joinLimit() const;
};

// Samples the window from the anchor back, one look-back every step as the twelve-hour chart
// finds its records (anchor - floor(minutes / interval)); a record reached twice is taken once
// and one no older than the sample after it is left out (the clock was set back). Reads only
// these records, so its cost does not depend on the file's length. Needs a layout with a
// sample interval greater than 0; nothing when the anchor cannot be read.
std::optional<HistorySeries> readHistorySeries(HistoryReader& history, const HistoryLayout& layout,
                                               ChartWindow window);

// The day's and the week's samples of a history file by its path, with one read of the records
// of the week when they are few enough to hold. Nothing when the file is missing, has fewer than
// three records or a sample interval of 0 or less.
struct WebHistory {
    HistorySeries day;
    HistorySeries week;
};
std::optional<WebHistory> readWebHistory(const std::string& path);

}  // namespace brezzolo
