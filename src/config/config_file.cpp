#include "config/config_file.h"

#include <initializer_list>
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
    for (std::size_t i = 0; i < config.lines.size() && i < lines->size(); ++i) {
        config.lines[i] = (*lines)[i];
    }
    return config;
}

bool writeConfig(const ConfigLines& lines, const std::string& path) {
    // The user's settings must survive a power cut that follows their saving.
    return rewriteTextFile(path, std::vector<std::string>(lines.lines.begin(), lines.lines.end()),
                           Durability::FlushToDisk);
}

bool replaceConfigLine(ConfigLine line, const std::string& value, const std::string& path) {
    auto lines = readConfig(path);
    if (!lines) {
        return false;
    }
    (*lines)[line] = value;
    return writeConfig(*lines, path);
}

bool storeChartChoice(ChartChoice choice, const std::string& path) {
    const std::string value = storedText(choice);
    const auto lines = readConfig(path);
    if (lines && (*lines)[ConfigLine::ChartChoice] == value) {
        return true;
    }
    return replaceConfigLine(ConfigLine::ChartChoice, value, path);
}

StartupConfig checkConfigAtStartup(const std::string& path) {
    if (!fileExists(path)) {
        return StartupConfig::Missing;
    }
    const auto lines = readConfig(path);
    if (!lines) {
        return StartupConfig::Missing;
    }
    const std::string& line3 = (*lines)[ConfigLine::ChartChoice];
    if (line3 == "1" || line3 == "2") {
        return StartupConfig::Current;
    }
    // The old layout: report mode, pressure type, Heavy Weather folder, output folder.
    const auto& old = lines->lines;
    const ConfigLines converted{{old[0], old[1], storedText(ChartChoice::Pressure), old[2], old[3],
                                 kDefaultHistoryFileName}};
    return writeConfig(converted, path) ? StartupConfig::Converted
                                        : StartupConfig::ConversionFailed;
}

namespace {

// The code whose stored text is exactly `text`, or the fallback.
template <typename Code>
Code codeOf(const std::string& text, std::initializer_list<Code> codes, Code fallback) {
    for (const Code code : codes) {
        if (text == storedText(code)) {
            return code;
        }
    }
    return fallback;
}

}  // namespace

CycleSettings cycleSettings(const std::optional<ConfigLines>& lines) {
    CycleSettings settings;
    if (!lines) {
        return settings;
    }
    settings.reportMode =
        codeOf((*lines)[ConfigLine::ReportMode],
               {ReportMode::LocalSituation, ReportMode::NoWeatherComment}, ReportMode::Forecast);
    settings.pressureType = codeOf((*lines)[ConfigLine::PressureType], {PressureType::Relative},
                                   PressureType::Absolute);
    settings.chartChoice = codeOf((*lines)[ConfigLine::ChartChoice],
                                  {ChartChoice::OutdoorTemperature}, ChartChoice::Pressure);
    settings.outputFolder = (*lines)[ConfigLine::OutputFolder];
    return settings;
}

std::optional<ChartChoice> chartChoiceFromNumericLine(const std::string& line3) {
    const double value = numericValue(line3);
    if (value == 0.0 || value == 1.0) {
        return ChartChoice::Pressure;
    }
    if (value == 2.0) {
        return ChartChoice::OutdoorTemperature;
    }
    return std::nullopt;
}

}  // namespace brezzolo
