#include "common/text_encoding.h"
#include "headless/arguments.h"

namespace brezzolo {

// The bytes as the shell passed them, in the locale's encoding.
std::vector<std::string> decodeArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(fromSystemCodePage(argv[i]));
    }
    return arguments;
}

}  // namespace brezzolo
