#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brezzolo::test {

// How a line that a program ends with "\n" reaches its redirected standard output or error:
// "\r\n" on Windows, whose C runtime writes them in text mode, "\n" elsewhere.
const char* consoleLineEnd();

// A program's redirected output as UTF-8: on Windows it comes in the console's code page (the
// ANSI code page without a console), elsewhere as it is.
std::string fromConsoleText(const std::string& bytes);

// True where a file cannot be renamed over while a reader holds it open without delete sharing
// (Windows); elsewhere the rename always replaces it.
bool renameOverOpenFileRefused();

// Holds a file open for reading as an ordinary reader does (UI-View reading my_meteo.txt, an
// editor): others may read and write it, but on Windows not delete or rename over it.
class OpenReader {
  public:
    explicit OpenReader(const std::string& path);
    ~OpenReader();
    OpenReader(const OpenReader&) = delete;
    OpenReader& operator=(const OpenReader&) = delete;

    bool isOpen() const;

  private:
    std::intptr_t handle_;
};

// A system code page of the Latin-1 kind, where "à" is the single byte 0xE0: an ISO 8859-1
// locale on POSIX, the ANSI code page 1252 on Windows.
class Latin1CodePage {
  public:
    // Switches this program's texts (LC_CTYPE) to a Latin-1 locale where the system has one;
    // on Windows the code page is the system's and only looked at. Restored when the object
    // goes.
    Latin1CodePage();
    ~Latin1CodePage();
    Latin1CodePage(const Latin1CodePage&) = delete;
    Latin1CodePage& operator=(const Latin1CodePage&) = delete;

    // False when the system has no such code page; the test is then skipped.
    bool available() const { return commandPrefix_.has_value(); }
    // What runs a command line under that code page (an environment setting on POSIX).
    std::string commandPrefix() const { return commandPrefix_.value_or(""); }

  private:
    std::optional<std::string> commandPrefix_;
    std::string previousLocale_;
};

}  // namespace brezzolo::test
