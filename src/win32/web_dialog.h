#pragma once

#include <windows.h>

#include <functional>

#include "app/web_dialog_presenter.h"
#include "win32/window.h"

namespace brezzolo::win32 {

// "Pagina web" on Win32: the heading and hint, the switch, the folder, the last cycle's
// outcome, and "Apri nel browser", "OK" and "Annulla" over the dialog's presenter. Modeless;
// the main window creates it at its first showing and shows the presenter's model after every
// event.
class WebDialog : public Window {
  public:
    WebDialog(HWND owner, WebDialogPresenter& presenter, std::function<void()> refresh);

    void showModel();

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void command(int id, int code);
    template <typename Handler>
    void forward(Handler&& handler);

    WebDialogPresenter& presenter_;
    std::function<void()> refresh_;
    bool showing_ = false;  // texts set by showModel() are no edits of the user
};

}  // namespace brezzolo::win32
