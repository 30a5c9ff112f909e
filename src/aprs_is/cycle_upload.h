#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

#include "aprs_is/packet.h"
#include "aprs_is/settings.h"
#include "aprs_is/uploader.h"

namespace brezzolo {

// The APRS-IS upload as a program runs it beside its conversion cycles: aprs-is.brz is read
// again after every cycle (like config.brz, so an edit takes effect without a restart), and a
// usable one gets the cycle's reading offered to the uploader. Messages worth a line of their
// own (an upload that failed, a bad aprs-is.brz, a reading without a time) go to the stream
// given, each once: a failed upload every time, the others when they change.
class CycleUpload {
  public:
    // aprs-is.brz and aprs-is.state are looked for beside this config.brz.
    explicit CycleUpload(const std::string& configPath, UploaderOptions options = {});

    // After each cycle, with the reading it reported (nothing when it read none).
    void afterCycle(const std::optional<ReportedReading>& reported, std::ostream& messages);

    // Reads aprs-is.brz again at once, for a status line that follows the settings dialog's
    // "OK" without waiting for the next cycle.
    void reloadSettings() { readSettings(); }

    // Collects the outcome of an upload that has ended, for a caller that polls between
    // cycles (the window's timer).
    void poll(std::ostream& messages);

    // Before the program ends: with `wait`, waits for an upload still under way as long as
    // its time limits allow (plus a margin for the name lookup), and reports its outcome.
    void finish(bool wait, std::ostream& messages);

    // The status line (status_line.h); empty when there is no aprs-is.brz.
    std::string statusLine() const;

    // "AprsIs.status=...", "AprsIs.lastOutcome=..." and "AprsIs.packet=..." lines (LF-ended)
    // for brezzolo-headless --dump; empty when there is no aprs-is.brz.
    std::string dumpLines() const;

    const Uploader& uploader() const { return uploader_; }

  private:
    void readSettings();
    void note(const std::string& message, std::ostream& messages);

    std::string settingsPath_;
    std::chrono::milliseconds finishLimit_;
    Uploader uploader_;
    std::optional<AprsIsSettingsCheck> settings_;
    std::optional<UploadOutcome> lastOutcome_;
    std::string lastNote_;  // the last message given that is not repeated while it holds
    TimeZone timeZone_;
    std::function<std::chrono::system_clock::time_point()> clock_;
};

}  // namespace brezzolo
