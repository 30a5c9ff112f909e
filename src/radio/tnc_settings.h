#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "aprs_is/settings.h"
#include "radio/ax25.h"

namespace brezzolo {

// tnc.brz: the settings of the weather report on the air through a KISS TNC, "key=value" lines
// in any order beside config.brz. A missing file means the radio is off. Keys:
//   enabled=1                 1 on, 0 off
//   tnc=tcp                   tcp (a sound-card modem such as Dire Wolf) or serial (a TNC on a
//                             serial or USB port)
//   address=127.0.0.1:8001    the KISS TCP port, for tcp
//   serial_port=/dev/ttyUSB0  the port, for serial (COM3 on Windows)
//   speed=9600                the serial port's speed
//   path=WIDE2-1              none, or one or two digipeater aliases (WIDE1-1,WIDE2-1)
//   interval=30               minutes between reports, at least 10
// The station's identity (callsign, latitude, longitude, comment) is the one of aprs-is.brz,
// whose "enabled" says only whether the report also goes to APRS-IS. Other keys and lines of
// tnc.brz are kept as they are when the file is rewritten.
inline constexpr const char* kTncSettingsFileName = "tnc.brz";

enum class TncKind { Tcp, Serial };

inline constexpr const char* kDefaultTncHost = "127.0.0.1";
inline constexpr int kDefaultTncPort = 8001;  // Dire Wolf's KISS port
inline constexpr unsigned kDefaultTncSpeed = 9600;
inline constexpr const char* kDefaultRadioPath = "WIDE2-1";
inline constexpr int kMinimumRadioIntervalMinutes = 10;
inline constexpr int kDefaultRadioIntervalMinutes = 30;

struct TncSettings {
    bool enabled = false;
    TncKind kind = TncKind::Tcp;
    std::string host = kDefaultTncHost;
    int port = kDefaultTncPort;
    std::string serialPort{};
    unsigned speed = kDefaultTncSpeed;
    std::vector<Ax25Address> path = {{"WIDE2", 1}};
    int intervalMinutes = kDefaultRadioIntervalMinutes;

    bool operator==(const TncSettings&) const = default;
};

// What the radio needs: the TNC and the station's identity (an AprsIsSettings of which only
// callsign, latitude, longitude and comment count).
struct RadioSettings {
    TncSettings tnc;
    AprsIsSettings identity;
};

// What reading the two files found, for each bad or missing value a message naming the file,
// the key and the value (in Italian). The radio may send only when it is enabled and there is
// no problem. As for aprs-is.brz, a switched-off tnc.brz reports only a bad "enabled".
struct RadioSettingsCheck {
    RadioSettings settings;
    std::vector<std::string> problems;

    bool usable() const { return settings.tnc.enabled && problems.empty(); }
};

// The settings from tnc.brz's lines and aprs-is.brz's value texts (nothing: no aprs-is.brz).
RadioSettingsCheck parseRadioSettings(
    const std::vector<std::string>& tncLines,
    const std::optional<std::map<std::string, std::string>>& identityTexts);

// Reads tnc.brz and aprs-is.brz beside this config.brz; nothing when there is no tnc.brz.
std::optional<RadioSettingsCheck> readRadioSettings(const std::string& configPath);

// The value texts of tnc.brz's keys as the file gives them, trimmed (a dialog shows a bad value
// as it stands); nothing when the file does not exist or cannot be read.
std::optional<std::map<std::string, std::string>> readTncSettingTexts(const std::string& path);

// Rewrites tnc.brz with these settings (known keys replaced where they stand, other lines kept).
// False when it could not be written; the old file is then untouched.
bool writeTncSettings(const TncSettings& settings, const std::string& path);

// Each value's check, for the file and for a dialog: nothing when the text is good.
std::optional<std::string> tncKindProblem(const std::string& text);
std::optional<std::string> tncAddressProblem(const std::string& text);
std::optional<std::string> serialPortProblem(const std::string& text);
std::optional<std::string> tncSpeedProblem(const std::string& text);
std::optional<std::string> radioPathProblem(const std::string& text);
std::optional<std::string> radioIntervalProblem(const std::string& text);

// "WIDE1-1,WIDE2-1" as written in the file; "" for none.
std::string radioPathText(const std::vector<Ax25Address>& path);
// Where the frames go, as the status line names it: "127.0.0.1:8001", "/dev/ttyUSB0", "COM3".
std::string tncText(const TncSettings& settings);

}  // namespace brezzolo
