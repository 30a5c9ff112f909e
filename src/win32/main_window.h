#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "app/main_window_presenter.h"
#include "app/shell.h"
#include "win32/window.h"

namespace brezzolo::win32 {

class AboutBox;
class AprsIsDialog;
class WebDialog;
class RadioDialog;
class FolderDialog;
class SettingsDialog;
class StationDialog;

// The main window "Brezzolo" on Win32: builds the controls, forwards every event to the
// presenter and shows its models (this window's, and which dialogs are open) after each.
// Timer1 is a window timer that follows the model; a second one collects the worker threads'
// results on this window's thread while the presenter has work under way.
class MainWindow : public Window, public Shell {
  public:
    explicit MainWindow(std::string configPath = kConfigFileName);
    ~MainWindow() override;

    // The start-up; false when the program cannot go on (the user has been told).
    bool start();
    // Keyboard navigation (Tab, Enter, Escape, Alt + mnemonic) in our windows; true when the
    // message was taken.
    bool dialogMessage(MSG& message);
    // After the message loop, with every window hidden: an upload still under way ends within
    // its time limits, so that a report sent as the program closed is not lost.
    void finishBackgroundWork();

    // Shows every model after an event: this window, its timer and its dialogs.
    void refresh();

    void showMessage(const Message& message) override;
    void endProgram() override;
    void note(const std::string& line) override;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // main_window_layout.cpp: the controls and where they stand.
    static HMENU createMenu();
    void createControls();
    // Moved to a screen of other dots per inch: fonts, controls and dialogs made anew for it.
    void changeDpi(int dpi, const RECT& suggested);
    void layout();
    SIZE minimumClientSize() const;
    SIZE initialClientSize() const;
    // The status lines' height at the foot of the window: nothing for an empty one.
    int statusHeight() const;

    template <typename Handler>
    void forward(Handler&& handler);
    void command(int id, int code);
    void showModel();
    void showDialogs();
    void applyTimer();
    void pollBackground();
    LRESULT colourStatic(HDC dc, HWND control);
    void drawItem(const DRAWITEMSTRUCT& item);

    MainWindowPresenter presenter_;
    std::unique_ptr<FolderDialog> folderDialog_;
    std::unique_ptr<SettingsDialog> reportModeDialog_;
    std::unique_ptr<SettingsDialog> pressureDialog_;
    std::unique_ptr<AprsIsDialog> aprsIsDialog_;
    std::unique_ptr<StationDialog> stationDialog_;
    std::unique_ptr<WebDialog> webDialog_;
    std::unique_ptr<RadioDialog> radioDialog_;
    std::unique_ptr<AboutBox> aboutBox_;
    HBRUSH background_ = nullptr;
    Colour backgroundColour_ = 0;
    TimerModel runningTimer_;  // what SetTimer was last told
    bool polling_ = false;     // the background poll timer runs
    // The colours shown, so that only a change repaints.
    std::array<Colour, 37> shownColours_{};
    std::array<ShapeModel, 4> shownShapes_{};
    bool ending_ = false;
    bool sized_ = false;
    bool showing_ = false;  // texts set by showModel() are no edits of the user
};

}  // namespace brezzolo::win32
