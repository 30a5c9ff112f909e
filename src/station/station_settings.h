#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brezzolo {

// station.brz: where the readings come from, "key=value" lines in any order beside
// config.brz. A missing file, or one without a source line, keeps the program reading the
// files Heavy Weather writes. Keys:
//   source=files        files: currdat.lst and the history of Heavy Weather; serial: the
//                       station itself over its serial cable
//   port=COM3           the serial port: COM3, \\.\COM12, /dev/ttyUSB0, /dev/serial/by-id/...
//   poll=15             seconds between two readings of the station, 10 to 300
// Other keys and lines are kept as they are when the file is rewritten.
inline constexpr const char* kStationSettingsFileName = "station.brz";

// The station's sensors renew their values every 8 to 15 seconds on the cable and one reading
// keeps the line busy for about a second at 2400 baud: polling faster than every 10 seconds
// mostly reads the same values again, slower than every 5 minutes leaves the window and the
// reports behind the weather.
inline constexpr int kMinimumPollSeconds = 10;
inline constexpr int kMaximumPollSeconds = 300;
inline constexpr int kDefaultPollSeconds = 15;

enum class StationSource {
    Files,   // the files of Heavy Weather, as always
    Serial,  // the station over its serial cable
};

struct StationSettings {
    StationSource source = StationSource::Files;
    std::string port;
    int pollSeconds = kDefaultPollSeconds;

    bool operator==(const StationSettings&) const = default;
};

// What reading the file found: the settings and, for each bad or missing value, a message
// naming the key and the value (in Italian). The station is read over the cable only when the
// source is serial and there is no problem. With the files as source only a bad source line is
// a problem: a port or poll line left behind disturbs nobody.
struct StationSettingsCheck {
    StationSettings settings;
    std::vector<std::string> problems;

    bool usable() const { return settings.source == StationSource::Serial && problems.empty(); }
};

StationSettingsCheck parseStationSettings(const std::vector<std::string>& lines);

// Reads the file; a missing or unreadable one gives the defaults (the files, no problem).
StationSettingsCheck readStationSettings(const std::string& path);

// The value texts of the known keys as the file gives them, trimmed, for the dialog; a key the
// file lacks is not in the map; nothing when the file does not exist or cannot be read.
std::optional<std::map<std::string, std::string>> readStationSettingTexts(const std::string& path);

// Rewrites the file with these settings, keeping every other line. False when it could not be
// written; the old file is then untouched.
bool writeStationSettings(const StationSettings& settings, const std::string& path);

// Each value's check, for the file and for the dialog: nothing when the text is good, else
// the message.
// source: "files" or "serial".
std::optional<std::string> stationSourceProblem(const std::string& text);
// port: not empty, no control character, no blank at either end. The name is otherwise left
// to the system (a bare COM3 is fine on both systems: the link adds what Windows needs).
std::optional<std::string> stationPortProblem(const std::string& text);
// poll: whole seconds from kMinimumPollSeconds to kMaximumPollSeconds.
std::optional<std::string> stationPollProblem(const std::string& text);

// "files" or "serial", as the file writes the source.
std::string stationSourceText(StationSource source);

}  // namespace brezzolo
