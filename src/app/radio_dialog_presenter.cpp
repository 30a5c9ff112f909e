#include "app/radio_dialog_presenter.h"

#include <exception>
#include <map>
#include <utility>

#include "app/messages.h"
#include "aprs_is/settings.h"
#include "common/settings_file.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

using ProblemCheck = std::optional<std::string> (*)(const std::string&);

// Where each field's value lives and how it is checked.
struct FieldKey {
    const char* key;
    bool identity;  // in aprs-is.brz; otherwise in tnc.brz
    ProblemCheck problem;
};

FieldKey keyOf(RadioField field) {
    switch (field) {
        case RadioField::Callsign:
            return {"callsign", true, callsignProblem};
        case RadioField::Latitude:
            return {"latitude", true, latitudeProblem};
        case RadioField::Longitude:
            return {"longitude", true, longitudeProblem};
        case RadioField::Comment:
            return {"comment", true, commentProblem};
        case RadioField::Address:
            return {"address", false, tncAddressProblem};
        case RadioField::SerialPort:
            return {"serial_port", false, serialPortProblem};
        case RadioField::Speed:
            return {"speed", false, tncSpeedProblem};
        case RadioField::Path:
            return {"path", false, radioPathProblem};
        case RadioField::Interval:
            break;
    }
    return {"interval", false, radioIntervalProblem};
}

const RadioFieldTexts& textsOf(RadioField field) {
    for (const RadioFieldTexts& texts : radioDialogFields()) {
        if (texts.field == field) {
            return texts;
        }
    }
    return radioDialogFields().front();
}

RadioDialogModel defaultFields() {
    const TncSettings defaults;
    RadioDialogModel m;
    m.txtAddress = serverText(defaults.host, defaults.port);
    m.txtSpeed = std::to_string(defaults.speed);
    m.txtPath = radioPathText(defaults.path);
    m.txtInterval = std::to_string(defaults.intervalMinutes);
    return m;
}

bool sameFields(const RadioDialogModel& a, const RadioDialogModel& b) {
    if (a.chkEnabled != b.chkEnabled || a.optSerial != b.optSerial) {
        return false;
    }
    for (const RadioFieldTexts& f : radioDialogFields()) {
        if (a.*f.text != b.*f.text) {
            return false;
        }
    }
    return true;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string upperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string_view shortLabel(std::string_view label) {
    return label.substr(0, label.find(" ("));
}

}  // namespace

const std::vector<RadioFieldTexts>& radioDialogFields() {
    using enum RadioField;
    using M = RadioDialogModel;
    static const std::vector<RadioFieldTexts> fields = {
        {Callsign, "txtCallsign", "lblCallsign", "Nominativo con SSID (IZ0ABC-13)",
         &M::txtCallsign},
        {Latitude, "txtLatitude", "lblLatitude", "Latitudine (gradi decimali, nord positivo)",
         &M::txtLatitude},
        {Longitude, "txtLongitude", "lblLongitude", "Longitudine (gradi decimali, est positivo)",
         &M::txtLongitude},
        {Comment, "txtComment", "lblComment", "Commento (facoltativo, max 40 caratteri ASCII)",
         &M::txtComment},
        {Address, "txtAddress", "lblAddress", "TNC in rete (host:porta)", &M::txtAddress},
        {SerialPort, "txtSerialPort", "lblSerialPort", "Porta seriale (COM3, /dev/ttyUSB0)",
         &M::txtSerialPort},
        {Speed, "txtSpeed", "lblSpeed", "Velocità (baud)", &M::txtSpeed},
        {Path, "txtPath", "lblPath", "Percorso (WIDE2-1, WIDE1-1,WIDE2-1 o vuoto)", &M::txtPath},
        {Interval, "txtInterval", "lblInterval", "Intervallo (minuti, almeno 10)", &M::txtInterval},
    };
    return fields;
}

RadioDialogPresenter::RadioDialogPresenter(Shell& shell, const std::string& configPath,
                                           std::function<void()> saved, TncTimeouts timeouts)
    : shell_(shell),
      tncPath_(besideConfigFile(configPath, kTncSettingsFileName)),
      identityPath_(besideConfigFile(configPath, kAprsIsSettingsFileName)),
      saved_(std::move(saved)),
      timeouts_(timeouts) {}

void RadioDialogPresenter::show() {
    if (!model_.Visible) {
        load();
    }
    model_.Visible = true;
}

void RadioDialogPresenter::load() {
    const bool testing = test_.busy();
    const std::string result = model_.lblTestResult;
    model_ = defaultFields();
    const auto tnc = readTncSettingTexts(tncPath_);
    const auto identity = readAprsIsSettingTexts(identityPath_);
    if (tnc) {
        model_.chkEnabled = tnc->contains("enabled") && tnc->at("enabled") == "1";
        model_.optSerial = tnc->contains("tnc") && tnc->at("tnc") == "serial";
        model_.optTcp = !model_.optSerial;
    }
    for (const RadioFieldTexts& f : radioDialogFields()) {
        const FieldKey key = keyOf(f.field);
        const auto& texts = key.identity ? identity : tnc;
        if (texts) {
            if (const auto found = texts->find(key.key); found != texts->end()) {
                model_.*f.text = found->second;
            }
        }
    }
    model_.cmdTestEnabled = !testing;
    model_.lblTestResult = testing ? result : "";
}

void RadioDialogPresenter::enabledClicked(bool on) {
    model_.chkEnabled = on;
}

void RadioDialogPresenter::kindClicked(TncKind kind) {
    model_.optSerial = kind == TncKind::Serial;
    model_.optTcp = !model_.optSerial;
}

void RadioDialogPresenter::fieldEdited(RadioField field, const std::string& text) {
    model_.*textsOf(field).text = text;
}

std::vector<RadioField> RadioDialogPresenter::tncFields() const {
    using enum RadioField;
    if (model_.optSerial) {
        return {SerialPort, Speed};
    }
    return {Address};
}

std::optional<TncSettings> RadioDialogPresenter::settingsOf(const std::vector<RadioField>& fields,
                                                            const char* heading) {
    std::string problems;
    for (const RadioField field : fields) {
        if (auto problem = keyOf(field).problem(trimmed(model_.*textsOf(field).text))) {
            problems += "\n" + std::string(shortLabel(textsOf(field).label)) + ": " + *problem;
        }
    }
    if (!problems.empty()) {
        shell_.showMessage(warning((heading + problems).c_str()));
        return std::nullopt;
    }
    // tnc.brz's own reader turns the texts into settings, so the dialog and the file agree.
    std::vector<std::string> lines{std::string("enabled=") + (model_.chkEnabled ? "1" : "0"),
                                   std::string("tnc=") + (model_.optSerial ? "serial" : "tcp")};
    for (const RadioField field : fields) {
        if (!keyOf(field).identity) {
            lines.push_back(std::string(keyOf(field).key) + "=" +
                            trimmed(model_.*textsOf(field).text));
        }
    }
    return parseRadioSettings(lines, std::nullopt).settings.tnc;
}

void RadioDialogPresenter::okClicked() {
    if (!fileExists(tncPath_) && sameFields(model_, defaultFields())) {
        model_.Visible = false;  // nothing to store: no file already means off
        return;
    }
    using enum RadioField;
    std::vector<RadioField> fields{Callsign, Latitude, Longitude, Comment};
    for (const RadioField field : tncFields()) {
        fields.push_back(field);
    }
    if (model_.optTcp) {
        fields.push_back(Speed);  // kept in the file for a later switch to the serial port
    }
    fields.insert(fields.end(), {Path, Interval});
    auto settings = settingsOf(fields, kRadioNotSavedHeading);
    if (!settings) {
        return;
    }
    // A serial port typed and then left for the network stays in the file.
    if (model_.optTcp) {
        settings->serialPort = trimmed(model_.txtSerialPort);
    } else if (!tncAddressProblem(trimmed(model_.txtAddress))) {
        const auto tcp = parseRadioSettings({"address=" + trimmed(model_.txtAddress)}, {});
        settings->host = tcp.settings.tnc.host;
        settings->port = tcp.settings.tnc.port;
    }
    // The identity goes to aprs-is.brz only when it changed, every other line kept.
    const auto identity =
        readAprsIsSettingTexts(identityPath_).value_or(std::map<std::string, std::string>{});
    std::vector<std::pair<std::string, std::string>> changed;
    for (const RadioField field : {Callsign, Latitude, Longitude, Comment}) {
        const std::string text = trimmed(model_.*textsOf(field).text);
        const auto old = identity.find(keyOf(field).key);
        if (old == identity.end() ? !text.empty() || field != Comment : old->second != text) {
            changed.emplace_back(keyOf(field).key, field == Callsign ? upperCase(text) : text);
        }
    }
    if ((!changed.empty() && !writeSettings(identityPath_, changed)) ||
        !writeTncSettings(*settings, tncPath_)) {
        shell_.showMessage(warning(kRadioNotWrittenMessage));
        return;
    }
    model_.Visible = false;
    if (saved_) {
        saved_();
    }
}

void RadioDialogPresenter::cancelClicked() {
    model_.Visible = false;
}

void RadioDialogPresenter::testClicked() {
    if (test_.busy()) {
        return;
    }
    auto settings = settingsOf(tncFields(), kRadioTestNotStartedHeading);
    if (!settings) {
        return;
    }
    const bool started = test_.start([settings = *settings, timeouts = timeouts_] {
        try {
            return checkTnc(settings, timeouts);
        } catch (const std::exception& e) {
            return TncResult{false, std::string("errore interno: ") + e.what()};
        }
    });
    if (!started) {
        model_.lblTestResult = "Il TNC non risponde: errore interno, impossibile avviare la prova";
        return;
    }
    model_.cmdTestEnabled = false;
    model_.lblTestResult = settings->kind == TncKind::Serial
                               ? "Prova in corso: apertura di " + settings->serialPort + " ..."
                               : "Prova in corso: connessione a " + tncText(*settings) + " ...";
}

bool RadioDialogPresenter::poll() {
    auto result = test_.take();
    if (!result) {
        return false;
    }
    model_.cmdTestEnabled = true;
    model_.lblTestResult = result->ok ? "Il TNC risponde (nulla è stato trasmesso)"
                                      : "Il TNC non risponde: " + result->message;
    return true;
}

}  // namespace brezzolo
