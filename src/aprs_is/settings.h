#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/settings_file.h"  // besideConfigFile

namespace brezzolo {

// aprs-is.brz: the settings of the direct upload to APRS-IS and CWOP, "key=value" lines in any
// order beside config.brz. A missing file means the upload is off. Keys:
//   enabled=1            1 on, 0 off
//   callsign=IZ0ABC-13   1 to 6 letters and digits, an optional -SSID 0 to 15 (or a CWOP id)
//   passcode=12345       the APRS-IS passcode; -1 for CWOP ids
//   server=rotate.aprs2.net:14580
//   latitude=41.8917     decimal degrees, north positive
//   longitude=12.4883    decimal degrees, east positive
//   interval=10          minutes between reports, at least 5
//   comment=             at most 40 printable ASCII characters
// Other keys and lines are kept as they are when the file is rewritten.
inline constexpr const char* kAprsIsSettingsFileName = "aprs-is.brz";

inline constexpr int kDefaultAprsIsPort = 14580;
inline constexpr int kMinimumIntervalMinutes = 5;
inline constexpr int kMaximumIntervalMinutes = 1440;
inline constexpr int kDefaultIntervalMinutes = 10;
inline constexpr std::size_t kMaximumCommentLength = 40;

struct AprsIsSettings {
    bool enabled = false;
    std::string callsign;  // upper case, with its -SSID when it has one
    int passcode = -1;
    std::string host;
    int port = kDefaultAprsIsPort;
    double latitude = 0;
    double longitude = 0;
    int intervalMinutes = kDefaultIntervalMinutes;
    std::string comment;

    bool operator==(const AprsIsSettings&) const = default;
};

// What reading the file found: the settings and, for each bad or missing value, a message
// naming the key and the value (in Italian, for the window and the converter's stderr). The
// upload may run only when the settings are enabled and there is no problem.
struct AprsIsSettingsCheck {
    AprsIsSettings settings;
    std::vector<std::string> problems;

    bool usable() const { return settings.enabled && problems.empty(); }
};

// The settings from the file's lines. The values of a switched-off file are still read, but
// only a bad "enabled" is a problem then: a half-filled file that is off disturbs nobody.
AprsIsSettingsCheck parseAprsIsSettings(const std::vector<std::string>& lines);

// Reads the file; nothing when it does not exist or cannot be read.
std::optional<AprsIsSettingsCheck> readAprsIsSettings(const std::string& path);

// The value texts of the known keys as the file gives them, trimmed, the last line of a key
// counting (as for the settings): a dialog shows a bad value as it stands, so that the user can
// put it right. A key the file lacks is not in the map; nothing when the file does not exist
// or cannot be read.
std::optional<std::map<std::string, std::string>> readAprsIsSettingTexts(const std::string& path);

// Rewrites the file with these settings: known keys are replaced where they stand (a repeated
// key keeps only its first line), missing ones are appended, every other line stays. False
// when the file could not be written; the old file is then untouched.
bool writeAprsIsSettings(const AprsIsSettings& settings, const std::string& path);

// Each value's check, for the file and for a dialog: nothing when the text is good, else the
// message. The parsers below give the value of a good text.
std::optional<std::string> callsignProblem(const std::string& text);
std::optional<std::string> passcodeProblem(const std::string& text);
std::optional<std::string> serverProblem(const std::string& text);
std::optional<std::string> latitudeProblem(const std::string& text);
std::optional<std::string> longitudeProblem(const std::string& text);
std::optional<std::string> intervalProblem(const std::string& text);
std::optional<std::string> commentProblem(const std::string& text);

// "host:port" as written in the file.
std::string serverText(const std::string& host, int port);

}  // namespace brezzolo
