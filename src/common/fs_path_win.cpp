#include "common/paths.h"

namespace brezzolo {

// The UTF-8 text becomes the UTF-16 path Windows works with, and back.
std::filesystem::path toFsPath(const std::string& utf8Path) {
    return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

std::string fromFsPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace brezzolo
