#pragma once

#include <QDialog>
#include <string>

#include "app/folder_source.h"
#include "config/config_file.h"

namespace brezzolo {

// "Configurazione File": the Heavy Weather folder, the output folder and the history file.
// Once loaded it stays loaded (hidden between uses) and holds the Heavy Weather folder and
// the history file name that every cycle reads from its fields Text1 and Text3.
class Configurazione : public QDialog, public FolderSource {
    Q_OBJECT

public:
    explicit Configurazione(QWidget* parent = nullptr, std::string configPath = kConfigFileName);

    // Form_Load: fills the fields from the configuration file when it exists and asks the
    // main window to switch Timer1 off and to mark its chart selector. Runs once; later calls
    // do nothing.
    void load();
    bool isLoaded() const;

    // On a first run (no configuration file) closing through the frame ends the program.
    void setFirstRun(bool firstRun);

    // The values the cycle reads: Text1 and Text3.
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
};

}  // namespace brezzolo
