#include "app/station_dialog_presenter.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <utility>

#include "app/messages.h"
#include "common/settings_file.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

// The dialog as it opens without station.brz.
StationDialogModel defaultFields() {
    StationDialogModel m;
    m.txtPoll = std::to_string(kDefaultPollSeconds);
    return m;
}

bool sameFields(const StationDialogModel& a, const StationDialogModel& b) {
    return a.optSerial == b.optSerial && a.cboPort == b.cboPort && a.txtPoll == b.txtPoll;
}

// The text as the file's reader takes it: without blanks around it.
std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "Lettura ogni" for "Lettura ogni (secondi, da 10 a 300)": how a message names the field.
std::string_view shortLabel(std::string_view label) {
    return label.substr(0, label.find(" ("));
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// One decimal with a point, whatever the locale: "12.3", "-4.0".
std::string temperatureText(double celsius) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, celsius, std::chars_format::fixed, 1);
    const std::string shown(text, end.ptr);
    return shown == "-0.0" ? "0.0" : shown;
}

}  // namespace

std::string stationReadText(const StationProbeResult& result) {
    if (!result.read()) {
        return "Lettura non riuscita: " + result.failure;
    }
    std::string text = "Temperatura esterna ";
    text += result.outdoorTemp ? temperatureText(*result.outdoorTemp) + " °C" : "non disponibile";
    text += ", ora della stazione ";
    if (const auto& t = result.stationTime) {
        text += twoDigits(t->hour) + ":" + twoDigits(t->minute) + ":" + twoDigits(t->second) +
                " del " + twoDigits(t->day) + "/" + twoDigits(t->month) + "/" +
                std::to_string(t->year);
    } else {
        text += "non disponibile";
    }
    return text;
}

StationDialogPresenter::StationDialogPresenter(Shell& shell, const std::string& configPath,
                                               StationDialogActions actions)
    : shell_(shell),
      settingsPath_(besideConfigFile(configPath, kStationSettingsFileName)),
      actions_(std::move(actions)) {}

void StationDialogPresenter::show() {
    if (!model_.Visible) {
        load();
    }
    model_.Visible = true;
}

void StationDialogPresenter::load() {
    const bool reading = reading_.busy();
    const std::string result = model_.lblReadResult;
    model_ = defaultFields();
    if (const auto texts = readStationSettingTexts(settingsPath_)) {
        model_.optSerial = texts->contains("source") && texts->at("source") == "serial";
        if (texts->contains("port")) {
            model_.cboPort = texts->at("port");
        }
        if (texts->contains("poll")) {
            model_.txtPoll = texts->at("poll");
        }
    }
    if (actions_.listPorts) {
        model_.cboPortList = actions_.listPorts();
    }
    // A reading still under way stays on show; an old outcome does not.
    model_.cmdReadEnabled = !reading;
    model_.lblReadResult = reading ? result : "";
}

void StationDialogPresenter::sourceChosen(StationSource source) {
    model_.optSerial = source == StationSource::Serial;
    if (model_.optSerial && trimmed(model_.cboPort).empty() && !model_.cboPortList.empty()) {
        model_.cboPort = model_.cboPortList.front();
    }
}

void StationDialogPresenter::portEdited(const std::string& text) {
    model_.cboPort = text;
}

void StationDialogPresenter::pollEdited(const std::string& text) {
    model_.txtPoll = text;
}

void StationDialogPresenter::okClicked() {
    if (!fileExists(settingsPath_) && sameFields(model_, defaultFields())) {
        model_.Visible = false;  // nothing to store: no file already means the files
        return;
    }
    const std::string port = trimmed(model_.cboPort);
    const std::string poll = trimmed(model_.txtPoll);
    std::string problems;
    // With the files as source the port is not used yet: only a name given must be good.
    if (model_.optSerial || !port.empty()) {
        if (const auto problem = stationPortProblem(port)) {
            problems += "\n" + std::string(stationDialogTexts::lblPort) + ": " + *problem;
        }
    }
    if (const auto problem = stationPollProblem(poll)) {
        problems += "\n" + std::string(shortLabel(stationDialogTexts::lblPoll)) + ": " + *problem;
    }
    if (!problems.empty()) {
        shell_.showMessage(warning((kStationNotSavedHeading + problems).c_str()));
        return;
    }
    const StationSettings settings{model_.optSerial ? StationSource::Serial : StationSource::Files,
                                   port, std::stoi(poll)};
    if (!writeStationSettings(settings, settingsPath_)) {
        // Stays open with the values, so the user can try again or cancel.
        shell_.showMessage(warning(kStationNotWrittenMessage));
        return;
    }
    model_.Visible = false;
    if (actions_.saved) {
        actions_.saved();
    }
}

void StationDialogPresenter::cancelClicked() {
    model_.Visible = false;
}

void StationDialogPresenter::readClicked() {
    if (reading_.busy()) {
        return;
    }
    const std::string port = trimmed(model_.cboPort);
    if (const auto problem = stationPortProblem(port)) {
        shell_.showMessage(warning((std::string(kStationReadNotStartedHeading) + "\n" +
                                    std::string(stationDialogTexts::lblPort) + ": " + *problem)
                                       .c_str()));
        return;
    }
    if (actions_.beforeRead) {
        actions_.beforeRead(port);
    }
    const bool started = actions_.readOnce && reading_.start([read = actions_.readOnce, port] {
        try {
            return read(port);
        } catch (const std::exception& e) {
            return StationProbeResult{{}, {}, std::string("errore interno: ") + e.what()};
        }
    });
    if (!started) {
        model_.lblReadResult =
            stationReadText({{}, {}, "errore interno, impossibile avviare la lettura"});
        return;
    }
    model_.cmdReadEnabled = false;
    model_.lblReadResult = "Lettura in corso sulla porta " + port + " ...";
}

bool StationDialogPresenter::poll() {
    auto result = reading_.take();
    if (!result) {
        return false;
    }
    model_.cmdReadEnabled = true;
    model_.lblReadResult = stationReadText(*result);
    return true;
}

}  // namespace brezzolo
