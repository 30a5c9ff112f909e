#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "common/main_window_model.h"
#include "common/station_reading.h"

namespace brezzolo {

// The web page after each cycle: reads web.brz beside config.brz afresh (an edit counts from
// the next cycle on) and, when it is switched on, rewrites index.html in its folder.
class CycleWebPage {
  public:
    explicit CycleWebPage(const std::string& configPath);

    // After a cycle that wrote a report: `reading` is that cycle's reading, `historyPath` the
    // history file, `writtenAt` the local time now. A problem (a bad web.brz, a folder that
    // does not exist or cannot be written) goes to `notes` as one line when it differs from
    // the last one, and stays in status() until the page is written again.
    void afterCycle(const MainWindowModel& window, const StationReading& reading,
                    const std::string& historyPath, const std::string& writtenAt,
                    std::ostream& notes);

    // The last outcome for the settings dialog: "" before the first page or while it is off,
    // "Pagina scritta il 05/06/2006 14:06:10", or the problem.
    const std::string& status() const { return status_; }
    const std::string& settingsPath() const { return settingsPath_; }

  private:
    std::string settingsPath_;
    std::string status_;
    std::string lastProblem_;
};

}  // namespace brezzolo
