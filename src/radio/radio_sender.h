#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "aprs_is/background_task.h"
#include "aprs_is/packet.h"
#include "aprs_is/status_line.h"
#include "aprs_is/time_zone.h"
#include "aprs_is/upload_state.h"
#include "aprs_is/uploader.h"  // OfferResult
#include "radio/tnc_link.h"
#include "radio/tnc_settings.h"

namespace brezzolo {

// tnc.state beside tnc.brz: the radio's own latest attempt, transmission and reading, in the
// same form as aprs-is.state, so the interval and the no-resend rule hold across restarts and
// neither way out holds up the other.
inline constexpr const char* kRadioStateFileName = "tnc.state";
inline constexpr const char* kRadioStatusPrefix = "Radio: ";

// What became of one transmission.
struct RadioOutcome {
    std::int64_t startedAt = 0;  // seconds since 1970 UTC
    bool sent = false;
    std::string message;  // the reason on failure
    std::string tnc;      // where it went: "127.0.0.1:8001", "COM3"
    std::string packet;   // as a TNC's monitor shows it
};

struct RadioSenderOptions {
    std::function<std::chrono::system_clock::time_point()> clock = [] {
        return std::chrono::system_clock::now();
    };
    TimeZone timeZone = systemTimeZone();
    TncTimeouts timeouts;
};

// Hands readings to the TNC without ever holding up its caller, by the rules of the APRS-IS
// upload: the caller offers each new reading; once the interval has passed and the reading has
// not gone out before, the frame is built there and sent on a worker thread; the outcome waits
// until the caller collects it. A failure is tried again only at the next interval.
class RadioSender {
  public:
    explicit RadioSender(std::string statePath, RadioSenderOptions options = {});
    RadioSender(const RadioSender&) = delete;
    RadioSender& operator=(const RadioSender&) = delete;

    OfferResult offer(const ReportedReading& reported, const RadioSettings& settings);

    // The outcome of a transmission that has ended since the last call, once.
    std::optional<RadioOutcome> takeOutcome();
    bool busy() const { return task_.busy(); }
    // Waits at most `limit` for the transmission under way; true when none is under way.
    bool waitForOutcome(std::chrono::milliseconds limit) { return task_.wait(limit); }

    const UploadState& state() const { return state_; }
    // "Radio: ultimo invio 14:05 (127.0.0.1:8001)", "Radio: errore - ..." (status_line.h).
    std::string statusLine() const;
    const RadioSenderOptions& options() const { return options_; }

  private:
    std::int64_t now() const;
    void collect();
    void finish(RadioOutcome outcome);

    std::string statePath_;
    RadioSenderOptions options_;
    UploadState state_;
    UploadStatus status_;
    BackgroundTask<TncResult> task_;
    RadioOutcome underWay_;
    std::string underWayStamp_;
    std::optional<RadioOutcome> ready_;
};

}  // namespace brezzolo
