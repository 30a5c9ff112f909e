#pragma once

#include <string>

namespace brezzolo {

// Texts are UTF-8 inside the program; files hold the system's 8-bit code page: the ANSI code
// page on Windows, the locale's encoding elsewhere. Characters the code page lacks become "?".
std::string toSystemCodePage(const std::string& utf8);
std::string fromSystemCodePage(const std::string& bytes);

}  // namespace brezzolo
