#include "web/cycle_web_page.h"

#include "common/settings_file.h"
#include "web/web_publish.h"
#include "web/web_settings.h"

namespace brezzolo {

CycleWebPage::CycleWebPage(const std::string& configPath)
    : settingsPath_(besideConfigFile(configPath, kWebSettingsFileName)) {}

void CycleWebPage::afterCycle(const MainWindowModel& window, const StationReading& reading,
                              const std::string& historyPath, const std::string& writtenAt,
                              std::ostream& notes) {
    const auto check = readWebSettings(settingsPath_);
    if (!check || (!check->settings.enabled && check->problems.empty())) {
        status_.clear();
        lastProblem_.clear();
        return;
    }
    std::optional<std::string> problem;
    if (!check->problems.empty()) {
        problem = "web.brz: " + check->problems.front();
    } else {
        problem = publishWebPage({check->settings.folder, historyPath, writtenAt}, window, reading);
    }
    if (!problem) {
        status_ = "Pagina scritta il " + writtenAt;
        lastProblem_.clear();
        return;
    }
    status_ = *problem;
    if (*problem != lastProblem_) {
        notes << *problem << "\n";
        lastProblem_ = *problem;
    }
}

}  // namespace brezzolo
