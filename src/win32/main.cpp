// brezzolo.exe: the window program on Windows. Works in the current folder, where config.brz
// lives.

#include <windows.h>

#include <commctrl.h>

#include "win32/main_window.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    // The common controls of the manifest (visual styles on the buttons and lists).
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    brezzolo::win32::MainWindow window;
    if (!window.start()) {
        return 1;
    }
    // The program ends only through its own ways out ("Esci", "ESCI", the main window's
    // frame, or giving up the first run), never because a dialog was the last window open.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.dialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    window.finishBackgroundWork();
    return static_cast<int>(message.wParam);
}
