#include "app/folder_lists.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "common/paths.h"

namespace brezzolo {
namespace {

namespace fs = std::filesystem;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

}  // namespace

std::string folderText(const std::string& folder) {
    fs::path path = toFsPath(folder).lexically_normal();
    path.make_preferred();
    // "C:\HW\" and "/hw/" lose their final separator; a root keeps it.
    if (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    return fromFsPath(path);
}

std::string nearestExistingFolder(const std::string& storedFolder) {
    std::error_code error;
    const fs::path stored = toFsPath(storedFolder);
    if (storedFolder.empty() || !stored.is_absolute()) {
        return folderText(fromFsPath(fs::current_path(error)));
    }
    fs::path current = stored.lexically_normal();
    while (!isFolder(current)) {
        if (current == current.root_path() || !current.has_relative_path()) {
            // Not even the drive is there (a removed disk, a drive that is not ready).
            return folderText(fromFsPath(current.root_path()));
        }
        current =
            current.has_filename() ? current.parent_path() : current.parent_path().parent_path();
    }
    return folderText(fromFsPath(current));
}

std::vector<std::string> historyFileCandidates(const std::string& folder) {
    std::vector<std::string> names;
    const fs::path path = toFsPath(folder);
    if (folder.empty() || !path.is_absolute() || !isFolder(path)) {
        return names;
    }
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(path, error)) {
        std::error_code typeError;
        const std::string name = fromFsPath(entry.path().filename());
        if (entry.is_regular_file(typeError) && name.size() > 4 &&
            lowerCase(name.substr(name.size() - 4)) == ".dat") {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lowerCase(a) < lowerCase(b);
    });
    return names;
}

}  // namespace brezzolo
