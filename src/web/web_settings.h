#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brezzolo {

// web.brz beside config.brz: the web page's settings, "key=value" lines in any order. A
// missing file means the page is off. Keys:
//   enabled=1        1 writes the page after every cycle, 0 does not
//   folder=/srv/www  the folder index.html is written to
// Other keys and lines are kept as they are when the file is rewritten.
inline constexpr const char* kWebSettingsFileName = "web.brz";

struct WebSettings {
    bool enabled = false;
    std::string folder;

    bool operator==(const WebSettings&) const = default;
};

// The settings of the file's lines and, for a bad or missing value, messages naming the key
// and the value. A switched-off file is no problem whatever its folder says.
struct WebSettingsCheck {
    WebSettings settings;
    std::vector<std::string> problems;

    bool usable() const { return settings.enabled && problems.empty(); }
};

WebSettingsCheck parseWebSettings(const std::vector<std::string>& lines);

// Reads the file; nothing when it does not exist or cannot be read.
std::optional<WebSettingsCheck> readWebSettings(const std::string& path);

// Rewrites the file with these settings, its other lines kept. False when it could not be
// written; the old file is then untouched.
bool writeWebSettings(const WebSettings& settings, const std::string& path);

// The folder's check, for the file and for a dialog: nothing when it names an existing folder,
// else the message.
std::optional<std::string> webFolderProblem(const std::string& folder);

}  // namespace brezzolo
