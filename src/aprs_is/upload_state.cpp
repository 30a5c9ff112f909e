#include "aprs_is/upload_state.h"

#include <charconv>
#include <vector>

#include "common/text_file.h"

namespace brezzolo {
namespace {

std::optional<std::int64_t> seconds(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

UploadState readUploadState(const std::string& path) {
    UploadState state;
    for (const std::string& line : readLines(path).value_or(std::vector<std::string>{})) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "last_attempt") {
            state.lastAttempt = seconds(value);
        } else if (key == "last_sent") {
            state.lastSent = seconds(value);
        } else if (key == "last_reading") {
            state.lastReading = value;
        } else if (key == "last_server") {
            state.lastServer = value;
        }
    }
    return state;
}

SendDue sendDue(const UploadState& state, const std::string& stamp, std::int64_t now,
                int intervalMinutes) {
    const std::int64_t interval = std::int64_t{intervalMinutes} * 60;
    if (state.lastAttempt && now >= *state.lastAttempt &&
        now - *state.lastAttempt < interval - kIntervalAllowanceSeconds) {
        return SendDue::NotDue;
    }
    return stamp == state.lastReading ? SendDue::SameReading : SendDue::Due;
}

bool writeUploadState(const UploadState& state, const std::string& path) {
    std::vector<std::string> lines;
    if (state.lastAttempt) {
        lines.push_back("last_attempt=" + std::to_string(*state.lastAttempt));
    }
    if (state.lastSent) {
        lines.push_back("last_sent=" + std::to_string(*state.lastSent));
    }
    lines.push_back("last_reading=" + state.lastReading);
    lines.push_back("last_server=" + state.lastServer);
    return rewriteTextFile(path, lines);
}

void recordSendOutcome(const SendOutcome& outcome, const std::string& statePath, UploadState& state,
                       UploadStatus& status) {
    if (outcome.sent) {
        state.lastSent = outcome.startedAt;
        state.lastReading = outcome.stamp;
        state.lastServer = outcome.destination;
        writeUploadState(state, statePath);
        status.activity = UploadActivity::Sent;
        status.lastSent = state.lastSent;
        status.lastServer = state.lastServer;
    } else {
        status.activity = UploadActivity::Failed;
        status.failure = outcome.failure;
    }
}

}  // namespace brezzolo
