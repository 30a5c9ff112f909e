#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace brezzolo::win32 {

// A drive list (a combo box of the machine's drives) and a folder list (a list box) working
// together. The folder list shows the chain of folders from the drive's root down to the
// current folder, each indented by its depth, then the current folder's subfolders. A click
// on any of them (or a double click, or Enter) opens and chooses it; choosing another drive
// opens its root. Both call the change handler with the new folder; showFolder() points the
// lists without calling it.
class FolderList {
  public:
    using ChangeHandler = std::function<void(const std::string& folder)>;

    FolderList(HWND drives, HWND folders, ChangeHandler onChange);

    // Points both lists at the folder (or its nearest existing parent).
    void showFolder(const std::string& folder);
    // CBN_SELCHANGE / CBN_CLOSEUP of the drive list.
    void driveChosen();
    // LBN_SELCHANGE of the folder list: a click opens the folder once the mouse button is
    // released; moving through the list with the keyboard only marks.
    void selectionChanged();
    // A double click, or Enter in the folder list: opens the marked folder.
    void openMarked();

  private:
    void open(const std::string& folder);
    void fill(const std::string& existingFolder);

    HWND drives_;
    HWND folders_;
    ChangeHandler onChange_;
    std::string folder_;
    std::vector<std::string> paths_;  // the folder of each list entry
};

}  // namespace brezzolo::win32
