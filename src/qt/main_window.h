#pragma once

#include <QMainWindow>
#include <QPointer>
#include <string>

#include "app/main_window_presenter.h"
#include "app/shell.h"
#include "qt/main_window_layout.h"

class QTimer;

namespace brezzolo {

class AprsIsDialog;
class WebDialog;
class RadioDialog;
class Configurazione;
class SettingsDialog;
class StationDialog;
class frmAbout;

// The main window "Brezzolo" on Qt: builds the widgets, forwards every event to the
// presenter and shows its models (this window's, and which dialogs are open). Timer1 is a
// QTimer that follows the model.
class Brezzolo : public QMainWindow, public Shell {
    Q_OBJECT

  public:
    explicit Brezzolo(std::string configPath = kConfigFileName, QWidget* parent = nullptr);
    ~Brezzolo() override;

    // The start-up; false when the program cannot go on (the user has been told).
    bool start();
    // After the event loop, with every window hidden: an upload still under way ends within
    // its time limits, so that a report sent as the program closed is not lost.
    void finishBackgroundWork();

    const MainWindowModel& model() const { return presenter_.model(); }
    MainWindowPresenter& presenter() { return presenter_; }

    // Shows every model after an event: this window, its timer and its dialogs.
    void refresh();

    void showMessage(const Message& message) override;
    void endProgram() override;
    void note(const std::string& line) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectWidgets();
    // Forwards an event to the presenter, then shows what it changed.
    template <typename Handler>
    void forward(Handler&& handler);
    void showModel();
    void showChartSelector();
    void showDialogs();
    void applyTimer();
    void pollBackground();

    MainWindowPresenter presenter_;
    MainWindowWidgets widgets_;
    QTimer* timer_ = nullptr;
    // Brings a finished upload or connection test in, while one is under way.
    QTimer* backgroundPoll_ = nullptr;
    Configurazione* folderDialog_ = nullptr;
    QPointer<frmAbout> aboutBox_;
    QPointer<SettingsDialog> reportModeDialog_;
    QPointer<SettingsDialog> pressureDialog_;
    QPointer<AprsIsDialog> aprsIsDialog_;
    QPointer<StationDialog> stationDialog_;
    QPointer<WebDialog> webDialog_;
    QPointer<RadioDialog> radioDialog_;
    bool ending_ = false;
};

}  // namespace brezzolo
