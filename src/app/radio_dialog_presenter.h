#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell.h"
#include "aprs_is/background_task.h"
#include "radio/tnc_link.h"
#include "radio/tnc_settings.h"

namespace brezzolo {

// The fixed texts of "Radio / TNC"; what changes lives in RadioDialogModel.
namespace radioDialogTexts {
inline constexpr std::string_view name = "Setup_Radio";
inline constexpr std::string_view caption = "Radio / TNC";
inline constexpr std::string_view lblHeading =
    "Trasmissione dei dati meteo via radio con un TNC KISS";
inline constexpr std::string_view chkEnabled = "Abilita trasmissione via radio";
inline constexpr std::string_view lblHint =
    "Per trasmettere serve la licenza di radioamatore. Nominativo, posizione e commento sono "
    "gli stessi dell'invio APRS-IS. Dire Wolf: TNC in rete, 127.0.0.1:8001.";
inline constexpr std::string_view optTcp = "TNC in rete (KISS TCP, Dire Wolf)";
inline constexpr std::string_view optSerial = "TNC su porta seriale o USB";
inline constexpr std::string_view cmdOK = "OK";
inline constexpr std::string_view cmdCancel = "Annulla";
inline constexpr std::string_view cmdTest = "Prova TNC";
}  // namespace radioDialogTexts

struct RadioDialogModel {
    bool Visible = false;
    bool chkEnabled = false;
    bool optTcp = true;  // the TNC on the network; optSerial is its opposite
    bool optSerial = false;
    std::string txtCallsign;
    std::string txtLatitude;
    std::string txtLongitude;
    std::string txtComment;
    std::string txtAddress;
    std::string txtSerialPort;
    std::string txtSpeed;
    std::string txtPath;
    std::string txtInterval;
    bool cmdTestEnabled = true;  // off while a check is under way
    std::string lblTestResult;   // the check's progress or answer; empty before one
};

enum class RadioField {
    Callsign,
    Latitude,
    Longitude,
    Comment,
    Address,
    SerialPort,
    Speed,
    Path,
    Interval
};

// A text field with its label, in the order the dialog shows them.
struct RadioFieldTexts {
    RadioField field;
    std::string_view name;
    std::string_view labelName;
    std::string_view label;
    std::string RadioDialogModel::*text;
};
const std::vector<RadioFieldTexts>& radioDialogFields();

inline constexpr const char* kRadioNotSavedHeading = "Impostazioni radio non salvate:";
inline constexpr const char* kRadioTestNotStartedHeading = "Prova TNC non avviata:";
inline constexpr const char* kRadioNotWrittenMessage =
    "Impossibile salvare le impostazioni in tnc.brz e aprs-is.brz: verificare che la cartella "
    "di lavoro sia scrivibile e che il disco non sia pieno.";

// "Radio / TNC": tnc.brz, and the station's identity in aprs-is.brz, beside config.brz. Each
// showing loads both files (missing ones give the defaults, switched off). "OK" checks every
// value as the files' readers do: a bad one is named in a message and nothing is written;
// good ones are written (other lines of the files kept) and the dialog hides. An untouched,
// switched-off dialog writes no file where there was none. "Prova TNC" connects to the TNC (or
// opens its port) on a worker thread and sends nothing; poll() brings its answer in.
class RadioDialogPresenter {
  public:
    RadioDialogPresenter(Shell& shell, const std::string& configPath,
                         std::function<void()> saved = {}, TncTimeouts timeouts = {});

    const RadioDialogModel& model() const { return model_; }

    void show();
    void enabledClicked(bool on);
    void kindClicked(TncKind kind);
    void fieldEdited(RadioField field, const std::string& text);
    void okClicked();
    void cancelClicked();
    void testClicked();

    bool poll();
    bool testUnderWay() const { return test_.busy(); }

  private:
    void load();
    // The TNC settings of the fields when `fields` hold good values; otherwise nothing, after
    // a message under `heading`.
    std::optional<TncSettings> settingsOf(const std::vector<RadioField>& fields,
                                          const char* heading);
    std::vector<RadioField> tncFields() const;

    Shell& shell_;
    std::string tncPath_;
    std::string identityPath_;
    std::function<void()> saved_;
    TncTimeouts timeouts_;
    RadioDialogModel model_;
    BackgroundTask<TncResult> test_;
};

}  // namespace brezzolo
