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

}  // namespace brezzolo
