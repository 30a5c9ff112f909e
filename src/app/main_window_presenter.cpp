#include "app/main_window_presenter.h"

#include <sstream>
#include <utility>

#include "app/cycle.h"
#include "app/messages.h"

namespace brezzolo {

MainWindowPresenter::MainWindowPresenter(Shell& shell, std::string configPath)
    : shell_(shell),
      configPath_(std::move(configPath)),
      upload_(configPath_),
      folderDialog_(window_, shell, configPath_),
      reportModeDialog_(setupParametriTexts(), shell, configPath_),
      pressureDialog_(setupPressioneTexts(), shell, configPath_) {}

void MainWindowPresenter::timerFired() {
    CycleEnvironment env{store_, window_, folderDialog_, configPath_};
    runConversionCycle(env);
    std::ostringstream notes;
    upload_.afterCycle(env.lastReading, notes);
    noteLines(notes.str());
}

void MainWindowPresenter::finishUpload(bool wait) {
    std::ostringstream notes;
    upload_.finish(wait, notes);
    noteLines(notes.str());
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
