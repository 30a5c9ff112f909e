#include "common/settings_file.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "common/paths.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<std::pair<std::string, std::string>> settingLine(const std::string& line) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
        return std::nullopt;
    }
    return std::pair{std::string(trimmed(std::string_view(line).substr(0, eq))),
                     std::string(trimmed(std::string_view(line).substr(eq + 1)))};
}

std::map<std::string, std::string> settingTexts(const std::vector<std::string>& lines,
                                                const std::vector<std::string>& keys) {
    std::map<std::string, std::string> texts;
    for (const std::string& line : lines) {
        const auto entry = settingLine(line);
        if (entry && std::find(keys.begin(), keys.end(), entry->first) != keys.end()) {
            texts[entry->first] = entry->second;
        }
    }
    return texts;
}

std::optional<std::vector<std::string>> readSettingLines(const std::string& path) {
    return readLines(path);
}

std::optional<std::map<std::string, std::string>> readSettingTexts(
    const std::string& path, const std::vector<std::string>& keys) {
    const auto lines = readLines(path);
    if (!lines) {
        return std::nullopt;
    }
    return settingTexts(*lines, keys);
}

std::vector<std::string> withSettings(
    const std::vector<std::string>& lines,
    const std::vector<std::pair<std::string, std::string>>& values) {
    std::vector<bool> written(values.size(), false);
    std::vector<std::string> result;
    for (const std::string& line : lines) {
        const auto entry = settingLine(line);
        const auto value =
            !entry ? values.end() : std::find_if(values.begin(), values.end(), [&](const auto& v) {
                return v.first == entry->first;
            });
        if (value == values.end()) {
            result.push_back(line);
            continue;
        }
        const auto k = static_cast<std::size_t>(value - values.begin());
        if (!written[k]) {
            result.push_back(value->first + "=" + value->second);
            written[k] = true;
        }
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (!written[k]) {
            result.push_back(values[k].first + "=" + values[k].second);
        }
    }
    return result;
}

bool writeSettings(const std::string& path,
                   const std::vector<std::pair<std::string, std::string>>& values) {
    const auto lines = readLines(path).value_or(std::vector<std::string>{});
    return rewriteTextFile(path, withSettings(lines, values), Durability::FlushToDisk);
}

std::string besideConfigFile(const std::string& configPath, const std::string& fileName) {
    const std::filesystem::path folder = toFsPath(configPath).parent_path();
    return fromFsPath(folder / toFsPath(fileName));
}

}  // namespace brezzolo
