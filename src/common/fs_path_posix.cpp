#include "common/paths.h"
#include "common/text_encoding.h"

namespace brezzolo {

// File names are bytes, which the system shows in the locale's encoding: "Città" is
// "Citt\xE0" under ISO 8859-1. Under a UTF-8 locale, or none, the text is used as it is.
std::filesystem::path toFsPath(const std::string& utf8Path) {
    return std::filesystem::path(toSystemCodePage(utf8Path));
}

std::string fromFsPath(const std::filesystem::path& path) {
    return fromSystemCodePage(path.native());
}

}  // namespace brezzolo
