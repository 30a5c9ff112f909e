#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace brezzolo::win32 {

// The core's texts are UTF-8; the windows hold UTF-16. Texts cross at these two functions.
std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

// A window's text, and setting it only when it differs (no flicker, no needless EN_CHANGE).
std::wstring windowText(HWND window);
void showText(HWND window, std::string_view utf8Text);

}  // namespace brezzolo::win32
