#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/folder_dialog_presenter.h"
#include "win32/folder_list.h"
#include "win32/window.h"

namespace brezzolo::win32 {

// "Configurazione File" on Win32: the drive, folder and file lists and the three fields over
// the folder dialog's presenter, which the main window owns. Modeless; created hidden with the
// main window and shown as the model says.
class FolderDialog : public Window {
  public:
    // `refresh` shows every window's model after an event of this dialog.
    FolderDialog(HWND owner, FolderDialogPresenter& presenter, std::function<void()> refresh);

    // Shows the presenter's model: the fields, the lists and whether the dialog is open.
    void showModel();

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void createControls();
    void command(int id, int code);
    template <typename Handler>
    void forward(Handler&& handler);

    FolderDialogPresenter& presenter_;
    std::function<void()> refresh_;
    std::unique_ptr<FolderList> group1_;
    std::unique_ptr<FolderList> group2_;
    // What the lists show now, so that they are refilled only when it changes.
    std::string shownDir1_, shownDir2_;
    std::vector<std::string> shownFiles_;
    bool showing_ = false;  // texts set by showModel() are no edits of the user
};

}  // namespace brezzolo::win32
