#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "common/folder_source.h"
#include "config/config_file.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace brezzolo {

class FolderPicker;

// The placeholder of a value that has not been chosen yet.
inline constexpr const char* kNotDefined = "NON DEFINITO";
// Shown (title "ATTENZIONE") when "ESCI" finds a placeholder left in a field.
inline constexpr const char* kFoldersNotChosenMessage = "Cartelle non selezionate";

// "Configurazione File": the Heavy Weather folder, the output folder and the history file.
// Once loaded it stays loaded (hidden between uses) and holds the Heavy Weather folder and
// the history file name that every cycle reads from its fields Text1 and Text3.
class Configurazione : public QDialog, public FolderSource {
    Q_OBJECT

  public:
    explicit Configurazione(QWidget* parent = nullptr, std::string configPath = kConfigFileName);
    ~Configurazione() override;

    // Form_Load: fills the fields from the configuration file when it exists and asks the
    // main window to switch Timer1 off and to mark its chart selector. Runs once; later calls
    // do nothing.
    void load();
    bool isLoaded() const;

    // On a first run (no configuration file) closing through the frame ends the program.
    void setFirstRun(bool firstRun);

    // The values the cycle reads: Text1 and Text3 as they are now, edits included. Reading
    // them before load() loads the dialog first.
    std::string heavyWeatherFolder() const override;
    std::string historyFileName() const override;

  signals:
    // Timer1.Enabled as the dialog sets it (off while loading and at "ESCI", on after a
    // successful "ESCI").
    void timerEnabledRequested(bool enabled);
    // Mark the main window's chart selector: 1 Option1 (pressure), 2 Option2 (temperature).
    void chartChoiceMarked(int choice);
    // A successful "ESCI": the main window is to be shown.
    void showMainWindowRequested();
    // The frame was closed on a first run: the program ends.
    void firstRunAbandoned();

  protected:
    // Closing through the frame: on a first run the program ends (firstRunAbandoned);
    // otherwise the dialog hides and drops the edits not stored by "ESCI".
    void closeEvent(QCloseEvent* event) override;
    // Escape does nothing: the dialog has no cancel button.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ensureLoaded() const;
    // Fields from lines 4 to 6 and the lists pointed at them; false when there is no file.
    bool fillFromConfig(const std::optional<ConfigLines>& lines);
    void heavyWeatherFolderChosen(const QString& folder);
    void outputFolderChosen(const QString& folder);
    void historyFileClicked(const QListWidgetItem* item);
    void esciClicked();
    void switchTimer(bool enabled);

    std::string configPath_;
    bool loaded_ = false;
    bool firstRun_ = false;
    // Timer1 was switched off by "ESCI" and not switched on again.
    bool timerStoppedByEsci_ = false;

    QLineEdit* text1_;
    QLineEdit* text2_;
    QLineEdit* text3_;
    QListWidget* file1_;
    std::unique_ptr<FolderPicker> group1_;
    std::unique_ptr<FolderPicker> group2_;
};

}  // namespace brezzolo
