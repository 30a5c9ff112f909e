#include "headless/arguments.h"

namespace brezzolo {

Utf8Arguments::Utf8Arguments(int argc, char** argv) : texts_(decodeArguments(argc, argv)) {
    for (std::string& text : texts_) {
        pointers_.push_back(text.data());
    }
    pointers_.push_back(nullptr);
}

}  // namespace brezzolo
