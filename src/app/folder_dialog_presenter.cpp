#include "app/folder_dialog_presenter.h"

#include <algorithm>
#include <utility>

#include "app/folder_lists.h"
#include "app/messages.h"
#include "common/text_file.h"

namespace brezzolo {

namespace texts = folderDialogTexts;

FolderDialogPresenter::FolderDialogPresenter(MainWindowModel& mainWindow, Shell& shell,
                                             std::string configPath)
    : main_(mainWindow), shell_(shell), configPath_(std::move(configPath)) {}

void FolderDialogPresenter::load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    timer(TimerEvent::FolderDialogLoaded);
    model_.Text1 = model_.Text2 = model_.Text3 = std::string(texts::notDefined);

    const auto lines = fileExists(configPath_) ? readConfig(configPath_) : std::nullopt;
    if (!lines) {
        // First run: the lists open at the working folder, the fields keep the placeholder.
        model_.Dir1 = model_.Dir2 = nearestExistingFolder({});
        return;
    }
    fillFromConfig(*lines);
    if (const auto choice = chartChoiceFromNumericLine((*lines)[ConfigLine::ChartChoice])) {
        main_.markChart(*choice);
    }
}

void FolderDialogPresenter::show(bool firstRun) {
    firstRun_ = firstRun;
    load();
    model_.Visible = true;
}

void FolderDialogPresenter::fillFromConfig(const ConfigLines& lines) {
    model_.Text1 = lines[ConfigLine::HeavyWeatherFolder];
    model_.Text2 = lines[ConfigLine::OutputFolder];
    model_.Text3 = lines[ConfigLine::HistoryFile];
    // The lists follow the stored folders (or their nearest existing parents); the fields
    // keep the texts exactly as stored.
    model_.Dir1 = nearestExistingFolder(model_.Text1);
    model_.Dir2 = nearestExistingFolder(model_.Text2);
    listHistoryFiles();
}

void FolderDialogPresenter::listHistoryFiles() {
    model_.File1 = historyFileCandidates(model_.Text1);
    if (std::find(model_.File1.begin(), model_.File1.end(), model_.File1Selected) ==
        model_.File1.end()) {
        model_.File1Selected.clear();
    }
}

void FolderDialogPresenter::heavyWeatherFolderChosen(const std::string& folder) {
    model_.Dir1 = folder;
    model_.Text1 = folder;
    listHistoryFiles();
}

void FolderDialogPresenter::outputFolderChosen(const std::string& folder) {
    model_.Dir2 = folder;
    model_.Text2 = folder;
}

void FolderDialogPresenter::fieldEdited(FolderField field, const std::string& text) {
    switch (field) {
        case FolderField::Text1:
            model_.Text1 = text;
            break;
        case FolderField::Text2:
            model_.Text2 = text;
            break;
        case FolderField::Text3:
            model_.Text3 = text;
            break;
    }
}

void FolderDialogPresenter::historyFileClicked(const std::string& name) {
    // The list always shows the folder now in Text1, which the user may have typed over.
    listHistoryFiles();
    if (std::find(model_.File1.begin(), model_.File1.end(), name) != model_.File1.end()) {
        model_.File1Selected = name;
    }
    model_.Text3 = name;
}

void FolderDialogPresenter::esciClicked() {
    timer(TimerEvent::EsciPressed);
    timerStoppedByEsci_ = true;

    if (model_.Text1 == texts::notDefined || model_.Text2 == texts::notDefined ||
        model_.Text3 == texts::notDefined) {
        shell_.showMessage(warning(kFoldersNotChosenMessage));
        return;
    }

    const bool existed = fileExists(configPath_);
    // A new file starts with the forecast, the absolute pressure and the pressure chart.
    auto lines =
        existed ? readConfig(configPath_)
                : ConfigLines{{storedText(ReportMode::Forecast), storedText(PressureType::Absolute),
                               storedText(ChartChoice::Pressure)}};
    bool saved = false;
    if (lines) {
        (*lines)[ConfigLine::HeavyWeatherFolder] = model_.Text1;
        (*lines)[ConfigLine::OutputFolder] = model_.Text2;
        (*lines)[ConfigLine::HistoryFile] = model_.Text3;
        saved = writeConfig(*lines, configPath_);
    }
    if (!saved) {
        // A running program goes on with what is stored (and the folders in the fields); on
        // a first run there is nothing to run on yet, so the timer stays off.
        if (existed) {
            timer(TimerEvent::EsciNotStored);
        }
        shell_.showMessage(warning(kConfigNotSavedMessage));
        return;
    }

    if (!existed) {
        main_.markChart(ChartChoice::Pressure);
    }
    firstRun_ = false;
    model_.Visible = false;
    main_.Visible = true;
    timer(TimerEvent::EsciStored);
}

void FolderDialogPresenter::frameClosed() {
    if (!model_.Visible) {
        return;  // already hidden: nothing is being given up
    }
    if (firstRun_) {
        shell_.endProgram();
        return;
    }
    model_.Visible = false;
    // Edits that were not stored are dropped, so the cycle goes back to the stored folders.
    if (const auto lines = fileExists(configPath_) ? readConfig(configPath_) : std::nullopt) {
        fillFromConfig(*lines);
    }
    if (timerStoppedByEsci_) {
        timer(TimerEvent::FolderDialogClosed);
    }
}

std::string FolderDialogPresenter::heavyWeatherFolder() const {
    // Reading a field of the dialog before anything loaded it loads it, as a cycle does when
    // the start-up has not.
    const_cast<FolderDialogPresenter*>(this)->load();
    return model_.Text1;
}

std::string FolderDialogPresenter::historyFileName() const {
    const_cast<FolderDialogPresenter*>(this)->load();
    return model_.Text3;
}

void FolderDialogPresenter::timer(TimerEvent event) {
    applyTimerRule(main_.Timer1, event);
    if (event == TimerEvent::EsciStored || event == TimerEvent::EsciNotStored ||
        event == TimerEvent::FolderDialogClosed) {
        timerStoppedByEsci_ = false;
    }
}

}  // namespace brezzolo
