#pragma once

#include <string>

namespace brezzolo {

// Opens a file (the web page) in the system's browser, as a separate process, and returns at
// once: xdg-open on Linux, the file's associated program on Windows. False when it could not be
// started. Platform-specific: browser_posix.cpp, browser_win.cpp.
bool openInBrowser(const std::string& path);

}  // namespace brezzolo
