#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "aprs_is/background_task.h"
#include "aprs_is/packet.h"
#include "aprs_is/session.h"
#include "aprs_is/settings.h"
#include "aprs_is/status_line.h"
#include "aprs_is/time_zone.h"
#include "aprs_is/upload_state.h"

namespace brezzolo {

// What became of one upload.
struct UploadOutcome {
    std::int64_t startedAt = 0;  // seconds since 1970 UTC
    bool sent = false;
    std::string message;  // the reason on failure, the server's login answer on success
    std::string server;   // the host it went to
    std::string packet;
};

enum class OfferResult {
    Started,        // an upload is under way on the worker thread
    Busy,           // the previous upload is still under way
    NotDue,         // the interval since the latest upload has not passed yet
    SameReading,    // this reading already went out: stale data is not sent again
    NoReadingTime,  // the reading holds no valid time, so there is no packet
};

struct UploaderOptions {
    std::function<std::chrono::system_clock::time_point()> clock = [] {
        return std::chrono::system_clock::now();
    };
    TimeZone timeZone = systemTimeZone();
    SessionOptions session;
};

// Sends readings to APRS-IS without ever holding up its caller. The caller (the cycle's
// thread) offers each new reading; when the interval has passed and the reading has not gone
// out before, the packet is built there and sent on a worker thread of its own (a name lookup
// cannot be timed out otherwise). The outcome waits until the caller collects it with
// takeOutcome(), so nothing of the caller's is touched from the worker. A failed upload is
// tried again only at the next interval. The time of the latest upload and the reading it
// carried are kept in the state file, so the rules hold across restarts.
class Uploader {
  public:
    explicit Uploader(std::string statePath, UploaderOptions options = {});
    Uploader(const Uploader&) = delete;
    Uploader& operator=(const Uploader&) = delete;

    OfferResult offer(const ReportedReading& reported, const AprsIsSettings& settings);

    // The outcome of an upload that has ended since the last call, once.
    std::optional<UploadOutcome> takeOutcome();

    bool busy() const { return task_.busy(); }

    // Waits at most `limit` for the upload under way; true when none is under way any more
    // (its outcome is then ready for takeOutcome()).
    bool waitForOutcome(std::chrono::milliseconds limit);

    const UploadState& state() const { return state_; }
    UploadStatus status() const { return status_; }
    std::string statusLine() const;

  private:
    std::int64_t now() const;
    void collect();
    void start(const AprsIsSettings& settings, const std::string& packet, const std::string& stamp,
               std::int64_t startedAt);
    void finish(UploadOutcome outcome);

    std::string statePath_;
    UploaderOptions options_;
    UploadState state_;
    UploadStatus status_;
    BackgroundTask<SessionResult> task_;  // the upload under way, on its worker thread
    UploadOutcome underWay_;              // what the task is sending
    std::string underWayStamp_;           // the stamp of the reading it carries
    std::optional<UploadOutcome> ready_;
};

}  // namespace brezzolo
