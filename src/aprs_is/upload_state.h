#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "aprs_is/status_line.h"

namespace brezzolo {

// aprs-is.state, beside aprs-is.brz: what the uploader must remember across restarts so that
// the interval and the no-resend rule also hold for a program started anew, or run once from
// a scheduler. "key=value" lines; times are seconds since 1970 UTC.
inline constexpr const char* kAprsIsStateFileName = "aprs-is.state";

struct UploadState {
    std::optional<std::int64_t> lastAttempt;  // the start of the latest upload, sent or not
    std::optional<std::int64_t> lastSent;     // the start of the latest upload that went out
    std::string lastReading;                  // the stamp of the reading it carried
    std::string lastServer;                   // the server it went to

    bool operator==(const UploadState&) const = default;
};

// The state kept in the file; an empty state when the file is missing or unreadable, and
// values that are no numbers are dropped (the worst is one upload sent early).
UploadState readUploadState(const std::string& path);

// Rewrites the file. False when it could not be written.
bool writeUploadState(const UploadState& state, const std::string& path);

// A scheduler may start a one-shot run a second before the interval is over; it still sends.
inline constexpr std::int64_t kIntervalAllowanceSeconds = 30;

// Whether a reading may go out now, by the rules every sender of ours keeps: once per
// interval since the latest attempt (sent or not, so a failure is retried at the next interval
// and never in a tight loop), and never the same reading twice.
enum class SendDue {
    Due,
    NotDue,       // the interval since the latest attempt has not passed yet
    SameReading,  // this reading already went out: stale data is not sent again
};

// `stamp` is the reading's readingStamp(), `now` seconds since 1970 UTC. A clock set back
// leaves the latest attempt in the future; that counts as due.
SendDue sendDue(const UploadState& state, const std::string& stamp, std::int64_t now,
                int intervalMinutes);

// What became of a send, for the APRS-IS upload and the radio alike: a report that went out is
// recorded in the state and its file (the reading it carried, when and where) and in the status;
// a failed one only in the status, with its reason.
struct SendOutcome {
    bool sent = false;
    std::int64_t startedAt = 0;  // seconds since 1970 UTC
    std::string stamp;           // the reading's readingStamp()
    std::string destination;     // the server or the TNC
    std::string failure;
};
void recordSendOutcome(const SendOutcome& outcome, const std::string& statePath, UploadState& state,
                       UploadStatus& status);

}  // namespace brezzolo
