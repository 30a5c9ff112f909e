#include "app/browser.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "common/paths.h"

namespace brezzolo {

bool openInBrowser(const std::string& path) {
    const std::wstring file = toFsPath(path).wstring();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // ShellExecute reports success with a value greater than 32.
    return result > 32;
}

}  // namespace brezzolo
