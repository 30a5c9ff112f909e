#include "app/main_window_presenter.h"

#include <chrono>
#include <cstdio>
#include <sstream>
#include <utility>

#include "app/browser.h"
#include "app/cycle.h"
#include "app/messages.h"
#include "aprs_is/time_zone.h"
#include "common/paths.h"
#include "io/serial_port_list.h"
#include "station/station_link.h"

namespace brezzolo {
namespace {

// The computer's local time now, as the web page says when it was written: 05/06/2006 14:06:10.
std::string localTimeText() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    const CivilTime t = systemLocalTime(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
    return text;
}

}  // namespace

namespace {}  // namespace

MainWindowPresenter::MainWindowPresenter(Shell& shell, std::string configPath,
                                         StationDialogActions station)
    : shell_(shell),
      configPath_(std::move(configPath)),
      upload_(configPath_),
      station_(configPath_),
      folderDialog_(window_, shell, configPath_),
      reportModeDialog_(setupParametriTexts(), shell, configPath_),
      pressureDialog_(setupPressioneTexts(), shell, configPath_),
      aprsIsDialog_(shell, configPath_,
                    [this] {
                        upload_.reloadSettings();
                        showUploadStatus();
                    }),
      stationDialog_(shell, configPath_, stationActions(std::move(station))),
      webPage_(configPath_),
      webDialog_(shell, configPath_, openInBrowser),
      radio_(configPath_),
      radioDialog_(shell, configPath_, [this] {
          radio_.reloadSettings();
          showRadioStatus();
      }) {}

StationDialogActions MainWindowPresenter::stationActions(StationDialogActions actions) {
    if (!actions.listPorts) {
        actions.listPorts = listSerialPorts;
    }
    if (!actions.readOnce) {
        actions.readOnce = [](const std::string& port) {
            return readStationOnce(port, StationLinkOptions{});
        };
    }
    // A reading on demand needs the port the link may hold; the link takes it again after the
    // next cycle, or at once when "OK" stores new settings.
    actions.beforeRead = [this](const std::string& port) { station_.releasePort(port); };
    actions.saved = [this] { updateStation(); };
    return actions;
}

void MainWindowPresenter::timerFired() {
    CycleEnvironment env{store_, window_, folderDialog_, configPath_};
    runConversionCycle(env);
    std::ostringstream notes;
    upload_.afterCycle(env.lastReading, notes);
    radio_.afterCycle(env.lastReading, notes);
    if (env.lastReading) {
        const auto history =
            joinPath(folderDialog_.heavyWeatherFolder(), folderDialog_.historyFileName());
        webPage_.afterCycle(window_, env.lastReading->reading, history.value_or(""),
                            localTimeText(), notes);
        webDialog_.showStatus(webPage_.status());
    }
    station_.update(folderDialog_, notes);
    noteLines(notes.str());
    showUploadStatus();
    showStationStatus();
    showRadioStatus();
}

void MainWindowPresenter::updateStation() {
    std::ostringstream notes;
    station_.update(folderDialog_, notes);
    noteLines(notes.str());
    showStationStatus();
}

bool MainWindowPresenter::waitForStation(std::chrono::milliseconds limit) {
    std::ostringstream notes;
    const bool polled = station_.waitForFirstPoll(limit, notes);
    noteLines(notes.str());
    showStationStatus();
    return polled;
}

void MainWindowPresenter::finishBackgroundWork(bool wait) {
    std::ostringstream notes;
    upload_.finish(wait, notes);
    radio_.finish(wait, notes);
    station_.stop();
    noteLines(notes.str());
    showUploadStatus();
    showRadioStatus();
}

bool MainWindowPresenter::pollBackground() {
    std::ostringstream notes;
    upload_.poll(notes);
    station_.poll(notes);
    radio_.poll(notes);
    noteLines(notes.str());
    // Every line and dialog is brought up to date, whichever changed.
    const bool upload = showUploadStatus();
    const bool station = showStationStatus();
    const bool radio = showRadioStatus();
    const bool test = aprsIsDialog_.poll();
    const bool radioTest = radioDialog_.poll();
    const bool reading = stationDialog_.poll();
    return upload || station || radio || test || radioTest || reading;
}

bool MainWindowPresenter::backgroundWorkUnderWay() const {
    return upload_.uploader().busy() || aprsIsDialog_.testUnderWay() ||
           stationDialog_.readUnderWay() || station_.running() || radio_.busy() ||
           radioDialog_.testUnderWay();
}

bool MainWindowPresenter::showUploadStatus() {
    std::string line = upload_.statusLine();
    if (line == window_.StatusAprsIs) {
        return false;
    }
    window_.StatusAprsIs = std::move(line);
    return true;
}

bool MainWindowPresenter::showRadioStatus() {
    std::string line = radio_.statusLine();
    if (line == window_.StatusRadio) {
        return false;
    }
    window_.StatusRadio = std::move(line);
    return true;
}

bool MainWindowPresenter::showStationStatus() {
    std::string line = station_.statusLine();
    if (line == window_.StatusStation) {
        return false;
    }
    window_.StatusStation = std::move(line);
    return true;
}

void MainWindowPresenter::noteLines(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        shell_.note(line);
    }
}

void MainWindowPresenter::chartOptionClicked(ChartChoice choice) {
    window_.markChart(choice);
    const bool stored = storeChartChoice(choice, configPath_);
    CycleEnvironment env{store_, window_, folderDialog_, configPath_};
    redrawChart(env);
    if (!stored) {
        shell_.showMessage(warning(kConfigNotSavedMessage));
    }
}

void MainWindowPresenter::userMessageChanged(const std::string& text) {
    window_.Text2 = limitUserMessage(text);
}

void MainWindowPresenter::userMessageEnabled(bool enabled) {
    window_.Check1 = enabled;
}

void MainWindowPresenter::folderMenuClicked() {
    folderDialog_.show();
}

void MainWindowPresenter::reportModeMenuClicked() {
    reportModeDialog_.show();
}

void MainWindowPresenter::pressureMenuClicked() {
    pressureDialog_.show();
}

void MainWindowPresenter::aprsIsMenuClicked() {
    aprsIsDialog_.show();
}

void MainWindowPresenter::stationMenuClicked() {
    stationDialog_.show();
}

void MainWindowPresenter::webMenuClicked() {
    webDialog_.show();
}

void MainWindowPresenter::radioMenuClicked() {
    radioDialog_.show();
}

void MainWindowPresenter::aboutMenuClicked() {
    aboutLoaded_ = true;
    aboutVisible_ = true;
}

void MainWindowPresenter::aboutBoxClosed() {
    aboutLoaded_ = false;
    aboutVisible_ = false;
}

void MainWindowPresenter::exitClicked() {
    shell_.endProgram();
}

}  // namespace brezzolo
