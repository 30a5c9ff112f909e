#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

}  // namespace brezzolo
