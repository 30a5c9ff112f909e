#pragma once

#include <string_view>

namespace brezzolo {

// Where the converter's texts go: the reports and the dump to standard output, messages to
// standard error.
enum class ConsoleStream { Output, Error };

// Writes UTF-8 text, its lines ended by "\n", in the terms of whatever receives it. On Windows
// a console gets UTF-16, so that every accented letter shows in cmd.exe whatever its code page,
// and a pipe or file gets the console's code page (the ANSI code page when there is no console)
// with CR LF line ends; elsewhere the text goes out as it is. Platform-specific.
void writeConsole(ConsoleStream stream, std::string_view text);

}  // namespace brezzolo
