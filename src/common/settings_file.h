#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brezzolo {

// The program's small settings files beside config.brz (aprs-is.brz, station.brz, ...):
// "key=value" lines in any order. Blanks around a key and its value do not count; a line
// without "=" is kept but carries no setting. Each file's own module knows its keys and checks
// their values; this reads and rewrites the lines for all of them.

// A "key=value" line split into its trimmed key and value; nothing for other lines.
std::optional<std::pair<std::string, std::string>> settingLine(const std::string& line);

// The trimmed value texts of these keys as the lines give them, the last line of a key
// counting, as for anyone reading the file from the top. A key the lines lack is not in the
// map.
std::map<std::string, std::string> settingTexts(const std::vector<std::string>& lines,
                                                const std::vector<std::string>& keys);

// The lines of a settings file; nothing when it does not exist or cannot be read.
std::optional<std::vector<std::string>> readSettingLines(const std::string& path);

// settingTexts() of the file; nothing when it does not exist or cannot be read.
std::optional<std::map<std::string, std::string>> readSettingTexts(
    const std::string& path, const std::vector<std::string>& keys);

// The lines with these values: a key the lines have is replaced where it first stands (its
// later lines go), a key they lack is appended in the order given; every other line stays as
// it is, in its place.
std::vector<std::string> withSettings(
    const std::vector<std::string>& lines,
    const std::vector<std::pair<std::string, std::string>>& values);

// Rewrites the file (a missing one counts as empty) with withSettings(), safe against a power
// cut as config.brz is. False when it could not be written; the old file is then untouched.
bool writeSettings(const std::string& path,
                   const std::vector<std::pair<std::string, std::string>>& values);

// A file of this name in the folder of config.brz, where the settings files live.
std::string besideConfigFile(const std::string& configPath, const std::string& fileName);

}  // namespace brezzolo
