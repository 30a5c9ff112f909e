#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell.h"
#include "aprs_is/background_task.h"
#include "aprs_is/session.h"
#include "aprs_is/settings.h"

namespace brezzolo {

// The fixed texts of "Setup APRS-IS / CWOP"; what changes lives in AprsIsDialogModel.
namespace aprsIsDialogTexts {
inline constexpr std::string_view name = "Setup_APRS_IS";
inline constexpr std::string_view caption = "Setup APRS-IS / CWOP";
inline constexpr std::string_view lblHeading = "Invio diretto dei dati meteo ad APRS-IS e CWOP";
inline constexpr std::string_view chkEnabled = "Abilita invio ad APRS-IS / CWOP";
// Who needs what, under the heading.
inline constexpr std::string_view lblHint =
    "Radioamatori: nominativo con SSID (IZ0ABC-13), passcode APRS-IS, server "
    "rotate.aprs2.net:14580. Senza licenza: ID CWOP (FW1234), passcode -1, server "
    "cwop.aprs.net:14580.";
inline constexpr std::string_view cmdOK = "OK";
inline constexpr std::string_view cmdCancel = "Annulla";
inline constexpr std::string_view cmdTest = "Prova connessione";
}  // namespace aprsIsDialogTexts

// The dialog as plain data: one field per element that changes, named as the dialog names it.
struct AprsIsDialogModel {
    bool Visible = false;
    bool chkEnabled = false;     // the upload is on
    std::string txtCallsign;     // callsign or CWOP id
    std::string txtPasscode;     // -1 for a CWOP id
    std::string txtServer;       // host:port
    std::string txtLatitude;     // decimal degrees, north positive
    std::string txtLongitude;    // decimal degrees, east positive
    std::string txtInterval;     // minutes, at least 5
    std::string txtComment;      // optional, at most 40 printable ASCII characters
    bool cmdTestEnabled = true;  // off while a connection test is under way
    std::string lblTestResult;   // the connection test's progress or answer; empty before one
};

// The seven text fields.
enum class AprsIsField { Callsign, Passcode, Server, Latitude, Longitude, Interval, Comment };

// A text field with its label, in the order the dialog shows them.
struct AprsIsFieldTexts {
    AprsIsField field;
    std::string_view name;       // the text field's name
    std::string_view labelName;  // its label's name
    std::string_view label;      // the label's text
    std::string AprsIsDialogModel::*text;
};
const std::vector<AprsIsFieldTexts>& aprsIsDialogFields();

// When OK or the test finds bad values: the heading above one line per bad value, each naming
// the field's label.
inline constexpr const char* kAprsIsNotSavedHeading = "Impostazioni APRS-IS non salvate:";
inline constexpr const char* kAprsIsTestNotStartedHeading = "Prova connessione non avviata:";
// When aprs-is.brz could not be written.
inline constexpr const char* kAprsIsNotWrittenMessage =
    "Impossibile salvare le impostazioni in aprs-is.brz: verificare che la cartella di lavoro "
    "sia scrivibile e che il disco non sia pieno.";

// "Setup APRS-IS / CWOP": the settings of aprs-is.brz beside config.brz. Each showing loads
// the file (a missing one gives the defaults, switched off; a bad value shows as it stands, to
// be put right). "OK" checks every value as the file's reader does: a bad one is named in a
// message and nothing is written; good ones are written (other lines of the file kept) and
// the dialog hides. An untouched, switched-off dialog writes no file where there was none, so
// that nothing changes for a user who does not switch the upload on. "Annulla" hides without
// writing. "Prova connessione" logs in with the callsign, passcode and server shown, on a
// worker thread, and sends nothing; poll() brings its answer into the model.
class AprsIsDialogPresenter {
  public:
    // `saved` runs after "OK" has written the file.
    AprsIsDialogPresenter(Shell& shell, const std::string& configPath,
                          std::function<void()> saved = {}, SessionOptions session = {});

    const AprsIsDialogModel& model() const { return model_; }

    // The menu item: loads the file into the fields and shows the dialog; a dialog already
    // shown keeps what the user has typed.
    void show();
    void enabledClicked(bool on);
    void fieldEdited(AprsIsField field, const std::string& text);
    void okClicked();
    void cancelClicked();
    void testClicked();

    // Collects the answer of a connection test that has ended; true when the model changed.
    bool poll();
    // A connection test is under way: the shell should poll.
    bool testUnderWay() const { return test_.busy(); }

  private:
    void load();
    // The settings the fields give when `fields` hold good values; otherwise nothing, after a
    // message under `heading` naming each bad value.
    std::optional<AprsIsSettings> settingsOf(const std::vector<AprsIsField>& fields,
                                             const char* heading);

    Shell& shell_;
    std::string settingsPath_;
    std::function<void()> saved_;
    SessionOptions session_;
    AprsIsDialogModel model_;
    BackgroundTask<SessionResult> test_;
};

}  // namespace brezzolo
