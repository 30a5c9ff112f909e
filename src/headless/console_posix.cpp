#include <cstdio>

#include "headless/console.h"

namespace brezzolo {

void writeConsole(ConsoleStream stream, std::string_view text) {
    std::FILE* out = stream == ConsoleStream::Output ? stdout : stderr;
    std::fwrite(text.data(), 1, text.size(), out);
    std::fflush(out);
}

}  // namespace brezzolo
