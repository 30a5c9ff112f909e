#pragma once

#include <array>
#include <optional>
#include <string>

namespace brezzolo {

// config.brz: six text lines, the program's only settings. Every access opens, reads or
// rewrites and closes the file within the call; a rewrite always writes all six lines.
inline constexpr const char* kConfigFileName = "config.brz";

enum ConfigLine : int {
    kReportModeLine = 1,    // "1" forecast, "2" local situation, "3" no weather comment
    kPressureTypeLine = 2,  // "1" absolute, "2" relative
    kChartChoiceLine = 3,   // "1" pressure, "2" outdoor temperature
    kHeavyWeatherLine = 4,  // Heavy Weather folder
    kOutputFolderLine = 5,  // folder of my_meteo.txt and of every other file the cycle writes
    kHistoryFileLine = 6,   // history file name inside the Heavy Weather folder
};

// The six lines; line n is lines[n - 1].
using ConfigLines = std::array<std::string, 6>;

// The file's first six lines. Lines missing from a short file read as empty lines; nothing
// when the file does not exist or cannot be read.
std::optional<ConfigLines> readConfig(const std::string& path = kConfigFileName);

// Rewrites the file with these six lines. False when it could not be written; the old
// content is then untouched.
bool writeConfig(const ConfigLines& lines, const std::string& path = kConfigFileName);

// Reads the six lines and writes them back with one line replaced. False when the file could
// not be read or written.
bool replaceConfigLine(int lineNumber, const std::string& value,
                       const std::string& path = kConfigFileName);

// The chart selector: stores "1" or "2" as line 3 only when it differs from what is stored.
// False only when a needed rewrite failed.
bool storeChartChoice(int choice, const std::string& path = kConfigFileName);

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

// The message shown after a conversion, title "ATTENZIONE".
inline constexpr const char* kNewReleaseMessage =
    "Nuova Release. Prego verificare configurazione cartelle e file di lavoro";
inline constexpr const char* kWarningTitle = "ATTENZIONE";

// Shown (title "ATTENZIONE") when a change of the settings could not be written.
inline constexpr const char* kConfigNotSavedMessage =
    "Impossibile salvare la configurazione in config.brz: verificare che la cartella di lavoro "
    "sia scrivibile e che il disco non sia pieno.";

// The settings a cycle takes from the file, corrected in memory and not written back.
struct CycleSettings {
    int reportMode = 1;    // 1, 2 or 3
    int pressureType = 1;  // 1 absolute, 2 relative
    int chartChoice = 1;   // 1 pressure, 2 outdoor temperature
    std::string outputFolder;
};

// Lines 1 to 3 fall back to 1 when they hold anything but an accepted value (exact
// comparison of the whole line). A missing file gives the defaults and no output folder.
CycleSettings cycleSettings(const std::optional<ConfigLines>& lines);

// The chart selector marking of the folder dialog's loading, from the numeric value of
// line 3: 0 or 1 gives 1, 2 gives 2, anything else nothing (leave the selector as it is).
std::optional<int> chartChoiceFromNumericLine(const std::string& line3);

}  // namespace brezzolo
