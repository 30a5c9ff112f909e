#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brezzolo::test {

// brezzolo.exe as another program meets it: started as a process of its own in a working
// folder, its windows found by their titles and driven with window messages, as a user's
// clicks and keys would drive them. Texts are read with WM_GETTEXT (GetWindowText returns
// nothing for another process's edit box).
// brezzolo.exe, beside this test program.
std::wstring programPath();

class WindowProgram {
  public:
    // Starts brezzolo.exe (beside this test program) in the folder.
    explicit WindowProgram(const std::string& workingFolder);
    // Starts a program with these arguments in the folder (the current one when empty), as
    // Explorer starts a shortcut's.
    WindowProgram(const std::wstring& program, const std::wstring& arguments,
                  const std::wstring& workingFolder);
    // Asks the program to end as its frame does, and kills it when it does not within 10 s.
    ~WindowProgram();
    WindowProgram(const WindowProgram&) = delete;
    WindowProgram& operator=(const WindowProgram&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    // The program's visible top-level window with this title, waiting for it (10 s unless
    // told); nullptr when none shows.
    HWND window(std::wstring_view title, int milliseconds = 10000) const;
    // The titles of the program's visible top-level windows, in no particular order.
    std::vector<std::wstring> visibleTitles() const;
    // True when the program ended within the time.
    bool ended(int milliseconds) const;

  private:
    std::vector<HWND> topLevelWindows() const;
    PROCESS_INFORMATION process_ = {};
};

// Waits, polling, until the condition holds; false when it did not within the time.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000);

// A window's text, and a child's by its control identifier.
std::wstring text(HWND window);
std::wstring text(HWND parent, int id);
// Types a whole text into an edit field: WM_SETTEXT and the EN_CHANGE its parent hears.
void setText(HWND parent, int id, std::wstring_view text);
// Types a whole text into a drop-down combo box's edit part: WM_SETTEXT and the
// CBN_EDITCHANGE its parent hears.
void setComboText(HWND parent, int id, std::wstring_view text);
// A click on a button (BM_CLICK), returning once the program has handled it; false when the
// program did not answer within 10 s (a modal box opened by the click: use clickLater()).
bool click(HWND parent, int id);
// A click whose handling waits for the user, e.g. opens a message box: returns at once.
void clickLater(HWND parent, int id);
// A menu item chosen (WM_COMMAND), returning once it is handled.
bool chooseMenu(HWND window, int item);
bool isChecked(HWND parent, int id);
// The entries of a list box, and a click on the one that reads `entry` (leading blanks, the
// folder list's indentation, not counted): LB_SETCURSEL and the LBN_SELCHANGE its parent hears.
std::vector<std::wstring> listEntries(HWND parent, int id);
bool clickListEntry(HWND parent, int id, std::wstring_view entry);
// The texts of a message box.
std::vector<std::wstring> staticTexts(HWND box);

// Puts a text on the clipboard, for WM_PASTE.
bool putOnClipboard(std::wstring_view text);

}  // namespace brezzolo::test
