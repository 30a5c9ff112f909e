#include "station/station_settings.h"

#include <charconv>
#include <string_view>
#include <system_error>
#include <utility>

#include "common/settings_file.h"

namespace brezzolo {
namespace {

constexpr const char* kSourceKey = "source";
constexpr const char* kPortKey = "port";
constexpr const char* kPollKey = "poll";

const std::vector<std::string>& keyNames() {
    static const std::vector<std::string> names = {kSourceKey, kPortKey, kPollKey};
    return names;
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The value as a message quotes it, a control character shown as "?".
std::string quoted(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        if (isControl(c)) {
            c = '?';
        }
    }
    return "\"" + shown + "\"";
}

std::optional<StationSource> parsedSource(const std::string& text) {
    if (text == "files") {
        return StationSource::Files;
    }
    if (text == "serial") {
        return StationSource::Serial;
    }
    return std::nullopt;
}

std::optional<int> parsedPoll(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < kMinimumPollSeconds || value > kMaximumPollSeconds) {
        return std::nullopt;
    }
    return value;
}

bool validPort(const std::string& text) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ') {
        return false;
    }
    for (char c : text) {
        if (isControl(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> stationSourceProblem(const std::string& text) {
    if (parsedSource(text)) {
        return std::nullopt;
    }
    return "source " + quoted(text) +
           " non valido: files per i file di Heavy Weather, serial per il cavo seriale";
}

std::optional<std::string> stationPortProblem(const std::string& text) {
    if (validPort(text)) {
        return std::nullopt;
    }
    return "port " + quoted(text) +
           " non valida: il nome della porta seriale, senza spazi all'inizio e alla fine "
           "(COM3, /dev/ttyUSB0)";
}

std::optional<std::string> stationPollProblem(const std::string& text) {
    if (parsedPoll(text)) {
        return std::nullopt;
    }
    return "poll " + quoted(text) + " non valido: secondi interi da " +
           std::to_string(kMinimumPollSeconds) + " a " + std::to_string(kMaximumPollSeconds);
}

std::string stationSourceText(StationSource source) {
    return source == StationSource::Serial ? "serial" : "files";
}

StationSettingsCheck parseStationSettings(const std::vector<std::string>& lines) {
    const auto texts = settingTexts(lines, keyNames());
    StationSettingsCheck check;
    std::vector<std::string> problems;
    if (const auto source = texts.find(kSourceKey); source != texts.end()) {
        if (const auto parsed = parsedSource(source->second)) {
            check.settings.source = *parsed;
        } else {
            check.problems.push_back(*stationSourceProblem(source->second));
            return check;  // the files stay the source
        }
    }
    if (const auto port = texts.find(kPortKey); port == texts.end()) {
        problems.push_back("manca la riga port=...");
    } else if (auto problem = stationPortProblem(port->second)) {
        problems.push_back(std::move(*problem));
    } else {
        check.settings.port = port->second;
    }
    if (const auto poll = texts.find(kPollKey); poll != texts.end()) {
        if (auto problem = stationPollProblem(poll->second)) {
            problems.push_back(std::move(*problem));
        } else {
            check.settings.pollSeconds = *parsedPoll(poll->second);
        }
    }
    if (check.settings.source == StationSource::Serial) {
        check.problems = std::move(problems);
    }
    return check;
}

StationSettingsCheck readStationSettings(const std::string& path) {
    return parseStationSettings(readSettingLines(path).value_or(std::vector<std::string>{}));
}

std::optional<std::map<std::string, std::string>> readStationSettingTexts(const std::string& path) {
    return readSettingTexts(path, keyNames());
}

bool writeStationSettings(const StationSettings& settings, const std::string& path) {
    return writeSettings(path, {{kSourceKey, stationSourceText(settings.source)},
                                {kPortKey, settings.port},
                                {kPollKey, std::to_string(settings.pollSeconds)}});
}

}  // namespace brezzolo
