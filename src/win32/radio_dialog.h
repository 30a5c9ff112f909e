#pragma once

#include <windows.h>

#include <functional>

#include "app/radio_dialog_presenter.h"
#include "win32/window.h"

namespace brezzolo::win32 {

// "Radio / TNC" on Win32: the heading and hint, the switch, the station's identity, the choice
// of TNC and its fields, the check's answer, and "Prova TNC", "OK" and "Annulla" over the
// dialog's presenter. Modeless; the main window creates it at its first showing and shows
// the presenter's model after every event.
class RadioDialog : public Window {
  public:
    // `refresh` shows every window's model after an event of this dialog.
    RadioDialog(HWND owner, RadioDialogPresenter& presenter, std::function<void()> refresh);

    void showModel();

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void command(int id, int code);
    template <typename Handler>
    void forward(Handler&& handler);

    RadioDialogPresenter& presenter_;
    std::function<void()> refresh_;
    bool showing_ = false;  // texts set by showModel() are no edits of the user
};

}  // namespace brezzolo::win32
