#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/aprs_is_dialog_presenter.h"
#include "app/cycle_station.h"
#include "app/folder_dialog_presenter.h"
#include "app/instance_lock.h"
#include "app/radio_dialog_presenter.h"
#include "app/settings_dialog_presenter.h"
#include "app/shell.h"
#include "app/station_dialog_presenter.h"
#include "app/web_dialog_presenter.h"
#include "aprs_is/cycle_upload.h"
#include "common/appoggio.h"
#include "common/main_window_model.h"
#include "common/user_message.h"
#include "config/config_file.h"
#include "radio/cycle_radio.h"
#include "web/cycle_web_page.h"

namespace brezzolo {

// The fixed texts of the main window; what changes lives in MainWindowModel.
namespace mainWindowTexts {
inline constexpr std::string_view caption = "Brezzolo";
inline constexpr std::string_view File = "File";
inline constexpr std::string_view Cartelle = "Cartelle di lavoro";
inline constexpr std::string_view Esci = "Esci";
inline constexpr std::string_view Parametri = "Parametri";
inline constexpr std::string_view Stringa_APRS = "Stringa APRS";
inline constexpr std::string_view Pressione = "Pressione";
inline constexpr std::string_view APRS_IS = "APRS-IS / CWOP";
inline constexpr std::string_view Stazione = "Stazione";
inline constexpr std::string_view Web = "Pagina web";
inline constexpr std::string_view Radio = "Radio / TNC";
inline constexpr std::string_view About = "About";
inline constexpr std::string_view Option1 = "Pressione ";
inline constexpr std::string_view Option2 = "Temperatura ext.";
inline constexpr std::string_view authorCredit = "  -  a cura degli sviluppatori di Brezzolo";
inline constexpr std::string_view chartAxis =
    "-12h          -8h          -4h           -2h           -1h         -30min    -10min    "
    "adesso";
}  // namespace mainWindowTexts

// The window as the start-up leaves it: the start texts, the release line, the four
// indicators neutral, the timer at 100 ms.
MainWindowModel startupWindowModel(Colour standardText = colours::defaultText,
                                   Colour background = colours::defaultBackground);

// What the start-up found.
enum class StartOutcome {
    Running,         // config.brz was there: the main window is shown and the cycles run
    FirstRun,        // no config.brz: only the folder dialog is shown, the timer is off
    CannotContinue,  // the user was told why: Brezzolo runs in this working folder already,
                     // or an old config.brz could not be converted
};

// The main window "Brezzolo" and the windows it opens, without a toolkit: the start-up, the
// handlers of every element, and the models a window program shows. The window program and
// the headless converter both run the program through it.
class MainWindowPresenter {
  public:
    // `station` reaches the station for the dialog "Stazione"; without a port list the
    // system's serial ports are listed.
    explicit MainWindowPresenter(Shell& shell, std::string configPath = kConfigFileName,
                                 StationDialogActions station = {});

    // Form_Load, once: the working folder's lock (one Brezzolo per folder, the folder of
    // config.brz), the start texts in the window system's colours, the configuration
    // check (a first run shows only the folder dialog; an old layout is converted with a
    // message), the folder dialog loaded hidden, the chart selector marked from it, and
    // Timer1 at 100 ms.
    StartOutcome start(Colour standardText = colours::defaultText,
                       Colour background = colours::defaultBackground);

    // Timer1 fired: one conversion cycle, then the APRS-IS upload of its reading when
    // aprs-is.brz asks for it, and the web page when web.brz asks for it.
    void timerFired();
    // Before the program ends: with `wait`, waits for an upload still under way as long as
    // its time limits allow; the station link stops.
    void finishBackgroundWork(bool wait);
    // With the station read over the serial cable: waits at most `limit` for the link's first
    // poll, so that a one-shot run reports the station's reading of now. True when it ended
    // (or there is no link).
    bool waitForStation(std::chrono::milliseconds limit);
    // Collects what the worker threads have finished (an upload, the APRS-IS dialog's
    // connection test, the station dialog's reading) into the models; true when a model changed. A
    // window program calls it from a short timer while backgroundWorkUnderWay().
    bool pollBackground();
    bool backgroundWorkUnderWay() const;
    // The upload's and the radio's "name=value" lines for the headless converter's dump (""
    // when they are off).
    std::string uploadDumpLines() const { return upload_.dumpLines() + radio_.dumpLines(); }
    // The station link's "name=value" lines for the dump ("" while Heavy Weather's files are
    // read).
    std::string stationDumpLines() const { return station_.dumpLines(); }
    // Option1 / Option2 clicked: marks the option, stores line 3 when it differs, and
    // redraws the chart at once.
    void chartOptionClicked(ChartChoice choice);
    // Text2 changed: keeps the first 20 characters. The shell shows model().Text2 after it.
    void userMessageChanged(const std::string& text);
    void userMessageEnabled(bool enabled);

    // The menu items.
    void folderMenuClicked();
    void reportModeMenuClicked();
    void pressureMenuClicked();
    void aprsIsMenuClicked();
    void stationMenuClicked();
    void webMenuClicked();
    void radioMenuClicked();
    void aboutMenuClicked();
    // The About box's "OK": it unloads; the next About click loads it again.
    void aboutBoxClosed();
    // "Esci", "ESCI" (Command1) and the window frame end the program.
    void exitClicked();

    const MainWindowModel& model() const { return window_; }
    const Appoggio& store() const { return store_; }
    bool aboutBoxLoaded() const { return aboutLoaded_; }
    bool aboutBoxVisible() const { return aboutVisible_; }
    FolderDialogPresenter& folderDialog() { return folderDialog_; }
    SettingsDialogPresenter& reportModeDialog() { return reportModeDialog_; }
    SettingsDialogPresenter& pressureDialog() { return pressureDialog_; }
    AprsIsDialogPresenter& aprsIsDialog() { return aprsIsDialog_; }
    StationDialogPresenter& stationDialog() { return stationDialog_; }

    WebDialogPresenter& webDialog() { return webDialog_; }
    RadioDialogPresenter& radioDialog() { return radioDialog_; }

  private:
    // Held from the start to the end of the program.
    std::optional<InstanceLock> instanceLock_;
    Shell& shell_;
    std::string configPath_;
    void noteLines(const std::string& text);
    // Puts the upload's status line into the model; true when it changed.
    bool showUploadStatus();
    // The same for the radio's line.
    bool showRadioStatus();

    Appoggio store_;
    MainWindowModel window_;
    // Reads station.brz again and starts, restarts or stops the station link to match it.
    void updateStation();
    // Puts the station link's status line into the model; true when it changed.
    bool showStationStatus();
    StationDialogActions stationActions(StationDialogActions actions);

    CycleUpload upload_;
    CycleStation station_;
    FolderDialogPresenter folderDialog_;
    SettingsDialogPresenter reportModeDialog_;
    SettingsDialogPresenter pressureDialog_;
    AprsIsDialogPresenter aprsIsDialog_;
    StationDialogPresenter stationDialog_;
    CycleWebPage webPage_;
    WebDialogPresenter webDialog_;
    CycleRadio radio_;
    RadioDialogPresenter radioDialog_;
    bool aboutLoaded_ = false;
    bool aboutVisible_ = false;
    bool started_ = false;
};

}  // namespace brezzolo
