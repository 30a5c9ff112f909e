#pragma once

#include <optional>
#include <string>

#include "common/main_window_model.h"
#include "common/station_reading.h"
#include "web/history_series.h"

namespace brezzolo {

inline constexpr const char* kWebPageFileName = "index.html";

// What the page shows: the main window's model after a cycle (the panel's texts and colours,
// the report line), the cycle's reading (its time for the charts' axes, the indoor values and
// the pressure difference), the history's samples when the file could be read, and when the
// page was written.
struct WebPageInput {
    const MainWindowModel& window;
    const StationReading& reading;
    const std::optional<WebHistory>& history;
    std::string writtenAt;  // "05/06/2006 14:06:10", the computer's local time
};

// index.html: one self-contained Italian page in UTF-8 with lines ended by LF on every system,
// its styles and SVG charts inline, no script and nothing fetched; it reloads itself every
// minute. The same input gives the same bytes on every system.
std::string webPage(const WebPageInput& input);

}  // namespace brezzolo
