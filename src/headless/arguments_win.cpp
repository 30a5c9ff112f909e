#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "common/text_encoding.h"
#include "headless/arguments.h"

namespace brezzolo {
namespace {

std::string toUtf8(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating null
    return text;
}

}  // namespace

// main's argv holds the arguments in the ANSI code page, with "?" for every character it
// lacks; the UTF-16 command line holds them all. argv, decoded from the ANSI code page, is the
// fallback when the command line cannot be split.
std::vector<std::string> decodeArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            arguments.push_back(toUtf8(wide[i]));
        }
        LocalFree(wide);
        return arguments;
    }
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(fromSystemCodePage(argv[i]));
    }
    return arguments;
}

}  // namespace brezzolo
