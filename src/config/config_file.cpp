#include "config/config_file.h"

#include <vector>

#include "common/numeric_value.h"
#include "common/text_file.h"
#include "input/history_file.h"

namespace brezzolo {

std::optional<ConfigLines> readConfig(const std::string& path) {
    const auto lines = readLines(path);
    if (!lines) {
        return std::nullopt;
    }
    ConfigLines config;
    for (std::size_t i = 0; i < config.size() && i < lines->size(); ++i) {
        config[i] = (*lines)[i];
    }
    return config;
}

bool writeConfig(const ConfigLines& lines, const std::string& path) {
    // The user's settings must survive a power cut that follows their saving.
    return rewriteTextFile(path, std::vector<std::string>(lines.begin(), lines.end()),
                           Durability::FlushToDisk);
}

bool replaceConfigLine(int lineNumber, const std::string& value, const std::string& path) {
    auto lines = readConfig(path);
    if (!lines || lineNumber < 1 || lineNumber > 6) {
        return false;
    }
    (*lines)[static_cast<std::size_t>(lineNumber - 1)] = value;
    return writeConfig(*lines, path);
}

bool storeChartChoice(int choice, const std::string& path) {
    const std::string value = choice == 2 ? "2" : "1";
    const auto lines = readConfig(path);
    if (lines && (*lines)[kChartChoiceLine - 1] == value) {
        return true;
    }
    return replaceConfigLine(kChartChoiceLine, value, path);
}

StartupConfig checkConfigAtStartup(const std::string& path) {
    if (!fileExists(path)) {
        return StartupConfig::Missing;
    }
    const auto lines = readConfig(path);
    if (!lines) {
        return StartupConfig::Missing;
    }
    const std::string& line3 = (*lines)[kChartChoiceLine - 1];
    if (line3 == "1" || line3 == "2") {
        return StartupConfig::Current;
    }
    const ConfigLines converted = {(*lines)[0], (*lines)[1], "1",
                                   (*lines)[2], (*lines)[3], kDefaultHistoryFileName};
    return writeConfig(converted, path) ? StartupConfig::Converted
                                        : StartupConfig::ConversionFailed;
}

CycleSettings cycleSettings(const std::optional<ConfigLines>& lines) {
    CycleSettings settings;
    if (!lines) {
        return settings;
    }
    const std::string& mode = (*lines)[kReportModeLine - 1];
    if (mode == "2") {
        settings.reportMode = 2;
    } else if (mode == "3") {
        settings.reportMode = 3;
    }
    if ((*lines)[kPressureTypeLine - 1] == "2") {
        settings.pressureType = 2;
    }
    if ((*lines)[kChartChoiceLine - 1] == "2") {
        settings.chartChoice = 2;
    }
    settings.outputFolder = (*lines)[kOutputFolderLine - 1];
    return settings;
}

std::optional<int> chartChoiceFromNumericLine(const std::string& line3) {
    const double value = numericValue(line3);
    if (value == 0.0 || value == 1.0) {
        return 1;
    }
    if (value == 2.0) {
        return 2;
    }
    return std::nullopt;
}

}  // namespace brezzolo
