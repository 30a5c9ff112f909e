#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/shell.h"

namespace brezzolo {

// The fixed texts of "Pagina web"; what changes lives in WebDialogModel.
namespace webDialogTexts {
inline constexpr std::string_view name = "Setup_Web";
inline constexpr std::string_view caption = "Pagina web";
inline constexpr std::string_view lblHeading = "Pagina web con le condizioni attuali e i grafici";
inline constexpr std::string_view lblHint =
    "Dopo ogni ciclo Brezzolo riscrive index.html nella cartella scelta: la cartella di un "
    "server web o una cartella sincronizzata (Dropbox, Nextcloud, ...).";
inline constexpr std::string_view chkEnabled = "Scrivi la pagina web dopo ogni ciclo";
inline constexpr std::string_view lblFolder = "Cartella della pagina (index.html)";
inline constexpr std::string_view cmdBrowse = "Sfoglia...";  // where the toolkit has a picker
inline constexpr std::string_view cmdOpen = "Apri nel browser";
inline constexpr std::string_view cmdOK = "OK";
inline constexpr std::string_view cmdCancel = "Annulla";
}  // namespace webDialogTexts

// When OK finds a bad folder, when web.brz could not be written, when the page cannot be opened.
inline constexpr const char* kWebNotSavedHeading = "Impostazioni della pagina web non salvate:";
inline constexpr const char* kWebNotWrittenMessage =
    "Impossibile salvare le impostazioni in web.brz: verificare che la cartella di lavoro sia "
    "scrivibile e che il disco non sia pieno.";
inline constexpr const char* kWebPageMissingMessage =
    "La pagina non è ancora stata scritta in questa cartella: viene scritta dopo il prossimo "
    "ciclo, con la pagina web attivata.";
inline constexpr const char* kBrowserNotStartedMessage =
    "Impossibile aprire il browser del sistema.";

// The dialog as plain data, one field per element that changes.
struct WebDialogModel {
    bool Visible = false;
    bool chkEnabled = false;
    std::string txtFolder;
    std::string lblStatus;  // the last cycle's outcome: page written, or why not
};

// "Pagina web": web.brz beside config.brz. Each showing loads the file (a missing one: off,
// no folder). "OK" checks a switched-on folder (it must exist), writes the file (its other
// lines kept) and hides; an untouched, switched-off dialog writes no file where there was none.
// "Annulla" hides without writing. "Apri nel browser" opens index.html of the folder shown in
// the system's browser.
class WebDialogPresenter {
  public:
    // `openPage` opens a file in the browser (openInBrowser; tests put their own in its place).
    WebDialogPresenter(Shell& shell, const std::string& configPath,
                       std::function<bool(const std::string&)> openPage);

    const WebDialogModel& model() const { return model_; }

    void show();
    void enabledClicked(bool on);
    void folderEdited(const std::string& text);
    void okClicked();
    void cancelClicked();
    void openClicked();
    // The cycle's outcome, from the main window after every cycle.
    void showStatus(const std::string& status) { model_.lblStatus = status; }

  private:
    Shell& shell_;
    std::string settingsPath_;
    std::function<bool(const std::string&)> openPage_;
    WebDialogModel model_;
};

}  // namespace brezzolo
