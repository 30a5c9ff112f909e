#pragma once

#include <windows.h>

#include <functional>

#include "app/station_dialog_presenter.h"
#include "win32/window.h"

namespace brezzolo::win32 {

// "Stazione" on Win32: the heading, the source as two option buttons, the port as a drop-down
// list of the system's ports that takes a typed name too, the poll seconds, the reading's
// outcome, and "Leggi la stazione ora", "OK" and "Annulla" over the dialog's presenter.
// Modeless; the main window creates it at its first showing and shows the presenter's model
// after every event.
class StationDialog : public Window {
  public:
    // `refresh` shows every window's model after an event of this dialog.
    StationDialog(HWND owner, StationDialogPresenter& presenter, std::function<void()> refresh);

    void showModel();

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void command(int id, int code);
    void showPortList();
    template <typename Handler>
    void forward(Handler&& handler);

    StationDialogPresenter& presenter_;
    std::function<void()> refresh_;
    bool showing_ = false;  // texts set by showModel() are no edits of the user
};

}  // namespace brezzolo::win32
