#include "common/paths.h"

namespace brezzolo {

std::optional<std::string> joinPath(const std::string& folder, const std::string& fileName) {
    if (folder.empty()) {
        return std::nullopt;
    }
    std::string path = folder;
    if (path.back() != pathSeparator()) {
        path += pathSeparator();
    }
    return path + fileName;
}

std::filesystem::path toFsPath(const std::string& utf8Path) {
    return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

std::string fromFsPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace brezzolo
