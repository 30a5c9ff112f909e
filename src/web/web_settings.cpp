#include "web/web_settings.h"

#include <filesystem>
#include <system_error>

#include "common/paths.h"
#include "common/settings_file.h"

namespace brezzolo {

std::optional<std::string> webFolderProblem(const std::string& folder) {
    if (folder.empty()) {
        return std::string("manca la cartella in cui scrivere la pagina (folder=...)");
    }
    std::error_code error;
    if (!std::filesystem::is_directory(toFsPath(folder), error)) {
        return "la cartella \"" + folder + "\" non esiste";
    }
    return std::nullopt;
}

WebSettingsCheck parseWebSettings(const std::vector<std::string>& lines) {
    const auto texts = settingTexts(lines, {"enabled", "folder"});
    WebSettingsCheck check;
    const auto enabled = texts.find("enabled");
    if (enabled != texts.end()) {
        if (enabled->second == "1" || enabled->second == "0") {
            check.settings.enabled = enabled->second == "1";
        } else {
            check.problems.push_back(
                "enabled \"" + enabled->second +
                "\" non valido: 1 per scrivere la pagina, 0 per non scriverla");
        }
    }
    if (const auto folder = texts.find("folder"); folder != texts.end()) {
        check.settings.folder = folder->second;
    }
    if (check.settings.enabled) {
        if (auto problem = webFolderProblem(check.settings.folder)) {
            check.problems.push_back(*problem);
        }
    }
    return check;
}

std::optional<WebSettingsCheck> readWebSettings(const std::string& path) {
    const auto lines = readSettingLines(path);
    if (!lines) {
        return std::nullopt;
    }
    return parseWebSettings(*lines);
}

bool writeWebSettings(const WebSettings& settings, const std::string& path) {
    return writeSettings(path,
                         {{"enabled", settings.enabled ? "1" : "0"}, {"folder", settings.folder}});
}

}  // namespace brezzolo
