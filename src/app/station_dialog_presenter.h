#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell.h"
#include "aprs_is/background_task.h"
#include "station/station_probe.h"
#include "station/station_settings.h"

namespace brezzolo {

// The fixed texts of "Stazione"; what changes lives in StationDialogModel.
namespace stationDialogTexts {
inline constexpr std::string_view name = "Stazione";
inline constexpr std::string_view caption = "Stazione";
inline constexpr std::string_view lblHeading = "Da dove leggere i dati della stazione meteo";
inline constexpr std::string_view optFiles = "File di Heavy Weather";
inline constexpr std::string_view optSerial = "Cavo seriale";
inline constexpr std::string_view lblPort = "Porta seriale";
inline constexpr std::string_view lblPoll = "Lettura ogni (secondi, da 10 a 300)";
inline constexpr std::string_view cmdRead = "Leggi la stazione ora";
inline constexpr std::string_view cmdOK = "OK";
inline constexpr std::string_view cmdCancel = "Annulla";
}  // namespace stationDialogTexts

// The dialog as plain data, each field named as the dialog names its element.
struct StationDialogModel {
    bool Visible = false;
    bool optSerial = false;                // the cable is the source; otherwise the files
    std::vector<std::string> cboPortList;  // the system's serial ports, as the list offers them
    std::string cboPort;                   // the port, chosen from the list or typed
    std::string txtPoll;                   // seconds between two readings
    bool cmdReadEnabled = true;            // off while a reading is under way
    std::string lblReadResult;             // the reading's progress or outcome; empty before one
};

// When OK or "Leggi la stazione ora" finds bad values: the heading above one line per value.
inline constexpr const char* kStationNotSavedHeading = "Impostazioni della stazione non salvate:";
inline constexpr const char* kStationReadNotStartedHeading = "Lettura non avviata:";
// When station.brz could not be written.
inline constexpr const char* kStationNotWrittenMessage =
    "Impossibile salvare le impostazioni in station.brz: verificare che la cartella di lavoro "
    "sia scrivibile e che il disco non sia pieno.";

// What the dialog calls out to, given by the program around it.
struct StationDialogActions {
    std::function<std::vector<std::string>()> listPorts;  // the system's serial ports
    StationProbe readOnce;        // one reading of the station; runs on a worker thread
    std::function<void()> saved;  // after "OK" has written station.brz
    // Before a reading on demand starts, on the dialog's thread: the port must be free for it.
    std::function<void(const std::string& port)> beforeRead;
};

// "Stazione": where the readings come from, station.brz beside config.brz. Each showing loads
// the file (a missing one gives the files of Heavy Weather; a bad value shows as it stands, to
// be put right) and asks the system for its serial ports. "OK" checks every value as the
// file's reader does (with the files as source an empty port is fine): a bad one is named in a
// message and nothing is written; good ones are written (other lines kept) and the dialog
// hides. An untouched dialog writes no file where there was none. "Annulla" hides without
// writing. "Leggi la stazione ora" reads the station once on the port shown, on a worker
// thread; poll() brings its outcome into the model.
class StationDialogPresenter {
  public:
    StationDialogPresenter(Shell& shell, const std::string& configPath,
                           StationDialogActions actions);

    const StationDialogModel& model() const { return model_; }

    // The menu item: loads the file and the port list and shows the dialog; a dialog already
    // shown keeps what the user has typed.
    void show();
    // A source chosen; the cable with no port yet takes the first port of the list.
    void sourceChosen(StationSource source);
    void portEdited(const std::string& text);
    void pollEdited(const std::string& text);
    void okClicked();
    void cancelClicked();
    void readClicked();

    // Collects the outcome of a reading that has ended; true when the model changed.
    bool poll();
    // A reading is under way: the shell should poll.
    bool readUnderWay() const { return reading_.busy(); }

  private:
    void load();

    Shell& shell_;
    std::string settingsPath_;
    StationDialogActions actions_;
    StationDialogModel model_;
    BackgroundTask<StationProbeResult> reading_;
};

// The outcome of a reading as the dialog shows it: "Temperatura esterna 12.3 °C, ora della
// stazione 14:05:09 del 07/12/2026", or "Lettura non riuscita: " and why.
std::string stationReadText(const StationProbeResult& result);

}  // namespace brezzolo
