#pragma once

#include <array>
#include <optional>
#include <string>

#include "common/settings_codes.h"

namespace brezzolo {

// config.brz: six text lines, the program's only settings. Every access opens, reads or
// rewrites and closes the file within the call; a rewrite always writes all six lines.
inline constexpr const char* kConfigFileName = "config.brz";

// The six lines, numbered from 1 as the file is described.
enum class ConfigLine {
    ReportMode = 1,          // ReportMode code
    PressureType = 2,        // PressureType code
    ChartChoice = 3,         // ChartChoice code
    HeavyWeatherFolder = 4,  // Heavy Weather folder
    OutputFolder = 5,        // folder of my_meteo.txt and of every other file the cycle writes
    HistoryFile = 6,         // history file name inside the Heavy Weather folder
};

// The six lines of the file, read and written whole.
struct ConfigLines {
    std::array<std::string, 6> lines;

    std::string& operator[](ConfigLine line) { return lines[index(line)]; }
    const std::string& operator[](ConfigLine line) const { return lines[index(line)]; }
    bool operator==(const ConfigLines&) const = default;

  private:
    static std::size_t index(ConfigLine line) { return static_cast<std::size_t>(line) - 1; }
};

// The file's first six lines. Lines missing from a short file read as empty lines; nothing
// when the file does not exist or cannot be read.
std::optional<ConfigLines> readConfig(const std::string& path = kConfigFileName);

// Rewrites the file with these six lines. False when it could not be written; the old
// content is then untouched.
bool writeConfig(const ConfigLines& lines, const std::string& path = kConfigFileName);

// Reads the six lines and writes them back with one line replaced. False when the file could
// not be read or written.
bool replaceConfigLine(ConfigLine line, const std::string& value,
                       const std::string& path = kConfigFileName);

// The chart selector: stores the choice as line 3 only when it differs from what is stored.
// False only when a needed rewrite failed.
bool storeChartChoice(ChartChoice choice, const std::string& path = kConfigFileName);

// What the start-up found.
enum class StartupConfig {
    Missing,           // first run: the folder dialog comes instead of the main window
    Current,           // six-line layout
    Converted,         // an old four-line file was rewritten in the six-line layout
    ConversionFailed,  // an old four-line file that could not be rewritten
};

// The start-up check: an old-layout file (line 3 neither "1" nor "2") becomes old line 1,
// old line 2, "1", old line 3, old line 4, "history.dat".
StartupConfig checkConfigAtStartup(const std::string& path = kConfigFileName);

// The settings a cycle takes from the file, corrected in memory and not written back.
struct CycleSettings {
    ReportMode reportMode = ReportMode::Forecast;
    PressureType pressureType = PressureType::Absolute;
    ChartChoice chartChoice = ChartChoice::Pressure;
    std::string outputFolder;
};

// Lines 1 to 3 fall back to code 1 when they hold anything but an accepted value (exact
// comparison of the whole line: " 2" is not "2"). A missing file gives the defaults and no
// output folder.
CycleSettings cycleSettings(const std::optional<ConfigLines>& lines);

// The chart selector marking of the folder dialog's loading, from the numeric value of
// line 3 (so " 2" counts): 0 or 1 gives the pressure chart, 2 the outdoor temperature chart,
// anything else nothing (the selector stays as it is).
std::optional<ChartChoice> chartChoiceFromNumericLine(const std::string& line3);

}  // namespace brezzolo
