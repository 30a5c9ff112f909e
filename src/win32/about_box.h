#pragma once

#include <windows.h>

#include <functional>

#include "app/shell.h"
#include "win32/window.h"

namespace brezzolo::win32 {

// The About box "frmAbout" on Win32: the texts of the core's About box, the icon and the two
// buttons. "OK", Enter, Escape and the frame report `closed`; the main window then unloads
// the box.
class AboutBox : public Window {
  public:
    AboutBox(HWND owner, Shell& shell, std::function<void()> closed);
    ~AboutBox() override;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Shell& shell_;
    std::function<void()> closed_;
    HICON icon_ = nullptr;
};

}  // namespace brezzolo::win32
