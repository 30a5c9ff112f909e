#pragma once

#include <QMainWindow>
#include <QPointer>
#include <string>

#include "common/appoggio.h"
#include "app/cycle.h"
#include "qt/main_window_layout.h"
#include "common/main_window_model.h"
#include "config/config_file.h"

class QTimer;

namespace brezzolo {

class Configurazione;
class Setup_Parametri;
class Setup_Pressione;
class frmAbout;

// The main window "Brezzolo": shows the window model the conversion cycle writes, carries
// the menu that opens the settings dialogs and the About box, the chart selector, the user
// message and the exit button, and owns Timer1, whose firings run the cycle.
class Brezzolo : public QMainWindow {
    Q_OBJECT

  public:
    explicit Brezzolo(std::string configPath = kConfigFileName, QWidget* parent = nullptr);
    ~Brezzolo() override;

    // The start-up: the scratch store, the About box loaded hidden, the configuration check,
    // then either the folder dialog alone (first run) or the folder dialog loaded hidden,
    // Timer1 at 100 ms and this window shown. False when the program cannot go on: an old
    // configuration that could not be converted (the user has been told). Runs once.
    bool start();

    const MainWindowModel& model() const { return model_; }
    const Appoggio& store() const { return store_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectWidgets();
    void connectFolderDialog();
    CycleEnvironment environment();

    // Timer1 fired: one conversion cycle, then the window shows its outcome.
    void runCycle();
    void chartOptionClicked(int choice);
    void userMessageChanged(const QString& text);
    void markChartChoice(int choice);
    void setTimerEnabled(bool enabled);

    void showFolderDialog();
    void showReportModeDialog();
    void showPressureDialog();
    void showAboutBox();
    // "Esci", "ESCI", the window frame, or a first run given up: the program ends now.
    void endProgram();

    // Writes the model into the widgets; the timer follows the model's Timer1.
    void showModel();
    void showChartSelector();
    void applyTimer();
    void warn(const char* message);

    std::string configPath_;
    Appoggio store_;
    MainWindowModel model_;
    MainWindowWidgets widgets_;
    QTimer* timer_ = nullptr;
    Configurazione* folderDialog_ = nullptr;
    QPointer<frmAbout> aboutBox_;
    QPointer<Setup_Parametri> reportModeDialog_;
    QPointer<Setup_Pressione> pressureDialog_;
    bool ending_ = false;
};

}  // namespace brezzolo
