#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

#include "aprs_is/packet.h"
#include "radio/radio_sender.h"
#include "radio/tnc_settings.h"

namespace brezzolo {

// The weather report on the air as a program runs it beside its conversion cycles, as
// CycleUpload does for APRS-IS: tnc.brz and the identity in aprs-is.brz are read again after
// every cycle, and usable settings get the cycle's reading offered to the sender. Messages
// worth a line of their own (a failed transmission, bad settings) go to the stream given: a
// failure every time, the others when they change. The status lines:
//   Radio: disattivato                                (tnc.brz with enabled=0)
//   Radio: impostazioni non valide - <what is wrong>  (the radio stays off)
//   Radio: ultimo invio 14:05 (127.0.0.1:8001), Radio: errore - <reason> (...), and the rest
//   of status_line.h's lines after "Radio: ".
// Without tnc.brz there is no line at all.
class CycleRadio {
  public:
    // tnc.brz, tnc.state and aprs-is.brz are looked for beside this config.brz.
    explicit CycleRadio(const std::string& configPath, RadioSenderOptions options = {});

    // After each cycle, with the reading it reported (nothing when it read none).
    void afterCycle(const std::optional<ReportedReading>& reported, std::ostream& messages);
    // Reads the settings again at once, after the dialog's "OK".
    void reloadSettings();
    // Collects the outcome of a transmission that has ended.
    void poll(std::ostream& messages);
    // Before the program ends: with `wait`, waits for a transmission under way within its
    // time limits, and reports its outcome.
    void finish(bool wait, std::ostream& messages);

    std::string statusLine() const;
    // "Radio.status=...", "Radio.lastOutcome=...", "Radio.packet=..." lines (LF-ended) for
    // brezzolo-headless --dump; empty when there is no tnc.brz.
    std::string dumpLines() const;
    bool busy() const { return sender_.busy(); }

  private:
    void note(const std::string& message, std::ostream& messages);

    std::string configPath_;
    std::chrono::milliseconds finishLimit_;
    RadioSender sender_;
    std::optional<RadioSettingsCheck> settings_;
    std::optional<RadioOutcome> lastOutcome_;
    std::string lastNote_;
};

}  // namespace brezzolo
