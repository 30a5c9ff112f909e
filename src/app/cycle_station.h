#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

#include "common/folder_source.h"
#include "station/station_link.h"
#include "station/station_settings.h"

namespace brezzolo {

// The station link as a program runs it beside its cycles. station.brz beside config.brz is
// read at the start and again after every cycle, like config.brz, so that an edit takes effect
// without a restart. With the serial cable chosen the link polls the station on a thread of its
// own and writes currdat.lst and the history file into the Heavy Weather folder, where the
// cycle reads them as it reads Heavy Weather's; a new port, poll interval or folder restarts
// it, and going back to Heavy Weather's files stops it. The link's status reaches the owner's
// thread through poll(). Lines worth telling (a bad station.brz, a change of the link's state)
// go to the stream given, each once.
class CycleStation {
  public:
    // station.brz is looked for beside this config.brz. `link` gives everything of the link
    // but the port, the files and the poll interval (tests give their own station).
    explicit CycleStation(const std::string& configPath, StationLinkOptions link = {});
    CycleStation(const CycleStation&) = delete;
    CycleStation& operator=(const CycleStation&) = delete;

    // Reads station.brz again and starts, restarts or stops the link to match it.
    void update(const FolderSource& folders, std::ostream& messages);
    // Collects the link's newest status; true when the status line changed.
    bool poll(std::ostream& messages);
    // Waits at most `limit` for the link's first poll to end, so that a one-shot run reports
    // this reading and not the one left from before. True when there is no link or it has.
    bool waitForFirstPoll(std::chrono::milliseconds limit, std::ostream& messages);
    // Lets go of the port for a reading on demand; the next update() takes it again.
    void releasePort(const std::string& port);
    // Before the program ends.
    void stop();

    bool running() const { return link_.running(); }
    // The status line (station/station_status.h); empty while Heavy Weather's files are read.
    std::string statusLine() const;
    // "Station.status=..." lines (LF-ended) for brezzolo-headless --dump; empty while Heavy
    // Weather's files are read.
    std::string dumpLines() const;

  private:
    // What the running link was started with: a change of any of it restarts the link.
    struct Target {
        std::string port;
        std::string currentDataPath;
        std::string historyPath;
        int pollSeconds = 0;
        bool operator==(const Target&) const = default;
    };
    void note(const std::string& message, std::ostream& messages);
    CivilTime now() const;

    std::string settingsPath_;
    StationLinkOptions base_;
    StationLink link_;
    std::optional<Target> running_;
    std::optional<StationLinkStatus> status_;
    std::optional<StationLinkState> toldState_;  // the state whose line was told last
    std::string lastNote_;
};

}  // namespace brezzolo
