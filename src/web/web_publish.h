#pragma once

#include <optional>
#include <string>

#include "common/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// The page of one cycle and where it goes.
struct WebPublication {
    std::string folder;       // the folder index.html is written to
    std::string historyPath;  // Heavy Weather's history file, for the charts
    std::string writtenAt;    // the computer's local time, "05/06/2006 14:06:10"
};

// Writes index.html into the folder from the cycle's window model and reading and the history
// file's last week, beside the page and renamed over it, so that a browser or a web server
// never serves half a page. Nothing when it was written; otherwise the message that names the
// folder (it does not exist, or the page could not be written into it). A missing or unreadable
// history only leaves the charts out. Throws nothing.
std::optional<std::string> publishWebPage(const WebPublication& publication,
                                          const MainWindowModel& window,
                                          const StationReading& reading);

}  // namespace brezzolo
