#pragma once

#include <windows.h>

#include <functional>

#include "app/settings_dialog_presenter.h"
#include "win32/window.h"

namespace brezzolo::win32 {

// "Setup Parametri" and "Setup Pressione" on Win32: the heading, the options, "OK" and
// "Annulla" over a settings dialog's presenter. Modeless; the main window creates it at its
// first showing and shows the presenter's model after every event.
class SettingsDialog : public Window {
  public:
    // `refresh` shows every window's model after an event of this dialog.
    SettingsDialog(HWND owner, SettingsDialogPresenter& presenter, std::function<void()> refresh);

    void showModel();

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    template <typename Handler>
    void forward(Handler&& handler);

    SettingsDialogPresenter& presenter_;
    std::function<void()> refresh_;
};

}  // namespace brezzolo::win32
