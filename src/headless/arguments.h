#pragma once

#include <string>
#include <vector>

namespace brezzolo {

// The program's command-line arguments as UTF-8, the texts' form inside the program, with an
// argc/argv view for parsers written against main's. They arrive in the system's code page:
// on POSIX in the locale's encoding (set the locale with setlocale(LC_ALL, "") first), on
// Windows taken as UTF-16 from the command line itself, so that no character is lost to the
// ANSI code page.
class Utf8Arguments {
  public:
    Utf8Arguments(int argc, char** argv);
    Utf8Arguments(const Utf8Arguments&) = delete;
    Utf8Arguments& operator=(const Utf8Arguments&) = delete;

    int argc() const { return static_cast<int>(texts_.size()); }
    char** argv() { return pointers_.data(); }

  private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;  // into texts_, ended by a null pointer like main's argv
};

// Platform-specific: the arguments, program name first, decoded to UTF-8.
std::vector<std::string> decodeArguments(int argc, char** argv);

}  // namespace brezzolo
