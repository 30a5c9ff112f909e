#include "app/aprs_is_dialog_presenter.h"

#include <exception>
#include <utility>

#include "app/messages.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

using ProblemCheck = std::optional<std::string> (*)(const std::string&);

// How aprs-is.brz names and checks each field's value.
struct FieldKey {
    const char* key;
    ProblemCheck problem;
};

FieldKey keyOf(AprsIsField field) {
    switch (field) {
        case AprsIsField::Callsign:
            return {"callsign", callsignProblem};
        case AprsIsField::Passcode:
            return {"passcode", passcodeProblem};
        case AprsIsField::Server:
            return {"server", serverProblem};
        case AprsIsField::Latitude:
            return {"latitude", latitudeProblem};
        case AprsIsField::Longitude:
            return {"longitude", longitudeProblem};
        case AprsIsField::Interval:
            return {"interval", intervalProblem};
        case AprsIsField::Comment:
            break;
    }
    return {"comment", commentProblem};
}

const AprsIsFieldTexts& textsOf(AprsIsField field) {
    for (const AprsIsFieldTexts& texts : aprsIsDialogFields()) {
        if (texts.field == field) {
            return texts;
        }
    }
    return aprsIsDialogFields().front();
}

// The fields as a dialog opens them without aprs-is.brz: off, the APRS-IS server that hands
// the connection to a nearby one, and the file's default interval.
AprsIsDialogModel defaultFields() {
    AprsIsDialogModel m;
    m.txtServer = serverText("rotate.aprs2.net", kDefaultAprsIsPort);
    m.txtInterval = std::to_string(kDefaultIntervalMinutes);
    return m;
}

bool sameFields(const AprsIsDialogModel& a, const AprsIsDialogModel& b) {
    if (a.chkEnabled != b.chkEnabled) {
        return false;
    }
    for (const AprsIsFieldTexts& f : aprsIsDialogFields()) {
        if (a.*f.text != b.*f.text) {
            return false;
        }
    }
    return true;
}

// The text as the file's reader takes it: without blanks around it.
std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "Passcode" for "Passcode (-1 per CWOP)": how a message names the field.
std::string_view shortLabel(std::string_view label) {
    return label.substr(0, label.find(" ("));
}

}  // namespace

const std::vector<AprsIsFieldTexts>& aprsIsDialogFields() {
    using enum AprsIsField;
    using M = AprsIsDialogModel;
    static const std::vector<AprsIsFieldTexts> fields = {
        {Callsign, "txtCallsign", "lblCallsign", "Nominativo o ID CWOP", &M::txtCallsign},
        {Passcode, "txtPasscode", "lblPasscode", "Passcode (-1 per CWOP)", &M::txtPasscode},
        {Server, "txtServer", "lblServer", "Server (host:porta)", &M::txtServer},
        {Latitude, "txtLatitude", "lblLatitude", "Latitudine (gradi decimali, nord positivo)",
         &M::txtLatitude},
        {Longitude, "txtLongitude", "lblLongitude", "Longitudine (gradi decimali, est positivo)",
         &M::txtLongitude},
        {Interval, "txtInterval", "lblInterval", "Intervallo (minuti, almeno 5)", &M::txtInterval},
        {Comment, "txtComment", "lblComment", "Commento (facoltativo, max 40 caratteri ASCII)",
         &M::txtComment},
    };
    return fields;
}

AprsIsDialogPresenter::AprsIsDialogPresenter(Shell& shell, const std::string& configPath,
                                             std::function<void()> saved, SessionOptions session)
    : shell_(shell),
      settingsPath_(besideConfigFile(configPath, kAprsIsSettingsFileName)),
      saved_(std::move(saved)),
      session_(std::move(session)) {}

void AprsIsDialogPresenter::show() {
    if (!model_.Visible) {
        load();
    }
    model_.Visible = true;
}

void AprsIsDialogPresenter::load() {
    const bool testing = test_.busy();
    const std::string result = model_.lblTestResult;
    model_ = defaultFields();
    if (const auto texts = readAprsIsSettingTexts(settingsPath_)) {
        model_.chkEnabled = texts->contains("enabled") && texts->at("enabled") == "1";
        for (const AprsIsFieldTexts& f : aprsIsDialogFields()) {
            if (const auto found = texts->find(keyOf(f.field).key); found != texts->end()) {
                model_.*f.text = found->second;
            }
        }
    }
    // A test still under way stays on show; an old answer does not.
    model_.cmdTestEnabled = !testing;
    model_.lblTestResult = testing ? result : "";
}

void AprsIsDialogPresenter::enabledClicked(bool on) {
    model_.chkEnabled = on;
}

void AprsIsDialogPresenter::fieldEdited(AprsIsField field, const std::string& text) {
    model_.*textsOf(field).text = text;
}

std::optional<AprsIsSettings> AprsIsDialogPresenter::settingsOf(
    const std::vector<AprsIsField>& fields, const char* heading) {
    std::string problems;
    for (const AprsIsField field : fields) {
        if (auto problem = keyOf(field).problem(trimmed(model_.*textsOf(field).text))) {
            problems += "\n" + std::string(shortLabel(textsOf(field).label)) + ": " + *problem;
        }
    }
    if (!problems.empty()) {
        shell_.showMessage(warning((heading + problems).c_str()));
        return std::nullopt;
    }
    // The file's own reader turns the texts into settings, so the dialog and the file agree.
    std::vector<std::string> lines{std::string("enabled=") + (model_.chkEnabled ? "1" : "0")};
    for (const AprsIsFieldTexts& f : aprsIsDialogFields()) {
        lines.push_back(std::string(keyOf(f.field).key) + "=" + trimmed(model_.*f.text));
    }
    return parseAprsIsSettings(lines).settings;
}

void AprsIsDialogPresenter::okClicked() {
    if (!fileExists(settingsPath_) && sameFields(model_, defaultFields())) {
        model_.Visible = false;  // nothing to store: no file already means off
        return;
    }
    using enum AprsIsField;
    const auto settings =
        settingsOf({Callsign, Passcode, Server, Latitude, Longitude, Interval, Comment},
                   kAprsIsNotSavedHeading);
    if (!settings) {
        return;
    }
    if (!writeAprsIsSettings(*settings, settingsPath_)) {
        // Stays open with the values, so the user can try again or cancel.
        shell_.showMessage(warning(kAprsIsNotWrittenMessage));
        return;
    }
    model_.Visible = false;
    if (saved_) {
        saved_();
    }
}

void AprsIsDialogPresenter::cancelClicked() {
    model_.Visible = false;
}

void AprsIsDialogPresenter::testClicked() {
    if (test_.busy()) {
        return;
    }
    using enum AprsIsField;
    const auto settings = settingsOf({Callsign, Passcode, Server}, kAprsIsTestNotStartedHeading);
    if (!settings) {
        return;
    }
    const bool started = test_.start([settings = *settings, session = session_] {
        try {
            return testAprsIsConnection(settings, session);
        } catch (const std::exception& e) {
            return SessionResult{false, std::string("errore interno: ") + e.what(), {}};
        }
    });
    if (!started) {
        model_.lblTestResult =
            "Connessione non riuscita: errore interno, impossibile avviare la "
            "prova";
        return;
    }
    model_.cmdTestEnabled = false;
    model_.lblTestResult =
        "Prova in corso: connessione a " + serverText(settings->host, settings->port) + " ...";
}

bool AprsIsDialogPresenter::poll() {
    auto result = test_.take();
    if (!result) {
        return false;
    }
    model_.cmdTestEnabled = true;
    model_.lblTestResult = result->ok
                               ? "Connessione riuscita, risposta del server: " + result->message
                               : "Connessione non riuscita: " + result->message;
    return true;
}

}  // namespace brezzolo
