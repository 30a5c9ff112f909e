#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell.h"
#include "app/timer_rules.h"
#include "common/folder_source.h"
#include "common/main_window_model.h"
#include "config/config_file.h"

namespace brezzolo {

// The texts of the folder dialog "Configurazione File".
namespace folderDialogTexts {
inline constexpr std::string_view caption = "Configurazione File";
inline constexpr std::string_view Label1 =
    "Disco e cartella di installazione del programma Heavy Weather rel. 2.0 beta";
inline constexpr std::string_view Label3 = "1)";
inline constexpr std::string_view Label2 =
    "Disco e cartella dove salvare la stringa APRS my_meteo.txt";
inline constexpr std::string_view Label4 = "2)";
inline constexpr std::string_view Label6 =
    "File history.dat utilizzato dal programma Heavy Weather rel. 2.0 beta";
inline constexpr std::string_view Label5 = "3)";
inline constexpr std::string_view Command2 = "ESCI";
// How to use the dialog, above the groups.
inline constexpr std::string_view Label7 =
    "Scegliere le cartelle con un clic negli elenchi (oppure scriverle nei campi), il file "
    "history.dat nell'elenco dei file, poi premere ESCI.";
// The placeholder of a value that has not been chosen yet.
inline constexpr std::string_view notDefined = "NON DEFINITO";
// The file list's pattern.
inline constexpr std::string_view historyPattern = "*.dat";
}  // namespace folderDialogTexts

// The folder dialog as plain data.
struct FolderDialogModel {
    bool Visible = false;
    std::string Text1;               // the Heavy Weather folder, read by every cycle
    std::string Text2;               // the output folder
    std::string Text3;               // the history file name, read by every cycle
    std::string Dir1;                // the existing folder the list of group 1 shows
    std::string Dir2;                // the existing folder the list of group 2 shows
    std::vector<std::string> File1;  // the "*.dat" names of the folder in Text1
    std::string File1Selected;       // the name marked in File1, or empty
};

// The three editable fields.
enum class FolderField { Text1, Text2, Text3 };

// "Configurazione File": the Heavy Weather folder, the output folder and the history file.
// Once loaded it stays loaded (hidden between uses) and holds the Heavy Weather folder and
// the history file name that every cycle reads from its fields Text1 and Text3; the
// configuration file changes only at "ESCI". It switches the main window's Timer1, marks its
// chart selector and shows it.
class FolderDialogPresenter : public FolderSource {
  public:
    FolderDialogPresenter(MainWindowModel& mainWindow, Shell& shell, std::string configPath);

    const FolderDialogModel& model() const { return model_; }

    // Form_Load: the placeholders, then the fields and lists from config.brz when it exists,
    // and the chart selector from its line 3. Stops Timer1. Runs once; later calls do nothing.
    void load();
    // Makes the dialog visible, loading it first. On a first run (no configuration file)
    // closing it ends the program.
    void show(bool firstRun = false);

    // The user opened a folder in a list, or chose a drive (the list then stands at that
    // drive's current folder).
    void heavyWeatherFolderChosen(const std::string& folder);
    void outputFolderChosen(const std::string& folder);
    // The user typed into a field.
    void fieldEdited(FolderField field, const std::string& text);
    // A name in File1 was clicked.
    void historyFileClicked(const std::string& name);
    // "ESCI": checks the fields, stores them and goes back to the main window.
    void esciClicked();
    // The window frame was closed: on a first run the program ends; otherwise the dialog
    // hides and the edits not stored by "ESCI" are dropped.
    void frameClosed();

    // The values the cycle reads: Text1 and Text3 as they are now, edits included. Reading
    // them loads the dialog first.
    std::string heavyWeatherFolder() const override;
    std::string historyFileName() const override;

  private:
    void fillFromConfig(const ConfigLines& lines);
    void listHistoryFiles();
    void timer(TimerEvent event);

    MainWindowModel& main_;
    Shell& shell_;
    std::string configPath_;
    FolderDialogModel model_;
    bool loaded_ = false;
    bool firstRun_ = false;
    // Timer1 was switched off by "ESCI" and not switched on again.
    bool timerStoppedByEsci_ = false;
};

}  // namespace brezzolo
