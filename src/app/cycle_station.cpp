#include "app/cycle_station.h"

#include <thread>

#include "common/paths.h"
#include "common/settings_file.h"
#include "input/current_data_reader.h"

namespace brezzolo {

CycleStation::CycleStation(const std::string& configPath, StationLinkOptions link)
    : settingsPath_(besideConfigFile(configPath, kStationSettingsFileName)),
      base_(std::move(link)) {}

void CycleStation::note(const std::string& message, std::ostream& messages) {
    if (message != lastNote_ && !message.empty()) {
        messages << message << "\n" << std::flush;
    }
    lastNote_ = message;
}

CivilTime CycleStation::now() const {
    return base_.localTime ? base_.localTime(base_.systemNow()) : localCivilTime(base_.systemNow());
}

void CycleStation::update(const FolderSource& folders, std::ostream& messages) {
    const StationSettingsCheck check = readStationSettings(settingsPath_);
    std::string problems;
    for (const std::string& problem : check.problems) {
        problems +=
            (problems.empty() ? "" : "\n") + std::string(kStationSettingsFileName) + ": " + problem;
    }
    note(problems, messages);

    const auto currentData = joinPath(folders.heavyWeatherFolder(), kCurrentDataFileName);
    const auto history = joinPath(folders.heavyWeatherFolder(), folders.historyFileName());
    std::optional<Target> wanted;
    if (check.usable() && currentData && history) {
        wanted = Target{check.settings.port, *currentData, *history, check.settings.pollSeconds};
    }
    if (wanted == running_ && (!wanted || link_.running())) {
        return;
    }
    link_.stop();
    running_.reset();
    status_.reset();
    toldState_.reset();
    if (!wanted) {
        return;
    }
    StationLinkOptions options = base_;
    options.port = wanted->port;
    options.currentDataPath = wanted->currentDataPath;
    options.historyPath = wanted->historyPath;
    options.pollInterval = std::chrono::seconds(wanted->pollSeconds);
    if (link_.start(std::move(options))) {
        running_ = wanted;
        poll(messages);
    }
}

bool CycleStation::poll(std::ostream& messages) {
    auto status = link_.takeStatus();
    if (!status) {
        return false;
    }
    const std::string before = statusLine();
    status_ = std::move(status);
    // A state is told once when it begins; the minute of the latest reading changes without it.
    if (status_->state != StationLinkState::Starting && status_->state != toldState_) {
        messages << statusLine() << "\n" << std::flush;
        toldState_ = status_->state;
    }
    return statusLine() != before;
}

bool CycleStation::waitForFirstPoll(std::chrono::milliseconds limit, std::ostream& messages) {
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        poll(messages);
        if (!running() || (status_ && status_->state != StationLinkState::Starting)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void CycleStation::releasePort(const std::string& port) {
    if (running_ && running_->port == port) {
        link_.stop();
        running_.reset();
    }
}

void CycleStation::stop() {
    link_.stop();
}

std::string CycleStation::statusLine() const {
    return status_ ? stationStatusLine(*status_, now()) : std::string();
}

std::string CycleStation::dumpLines() const {
    return status_ ? stationDumpLines(*status_, now()) : std::string();
}

}  // namespace brezzolo
