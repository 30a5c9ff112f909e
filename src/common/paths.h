#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace brezzolo {

// The separator the path rule appends: "\" on Windows, "/" elsewhere.
char pathSeparator();

// The path rule: a folder gets the separator appended when its last character is not one,
// and the file name follows directly. An empty folder text names no folder, so there is no
// path (never the filesystem root).
std::optional<std::string> joinPath(const std::string& folder, const std::string& fileName);

// A UTF-8 path text as a filesystem path, so that accented folder names work: on Windows the
// path is UTF-16, on POSIX it is in the locale's encoding, as the system names its files.
// Platform-specific.
std::filesystem::path toFsPath(const std::string& utf8Path);

// A filesystem path as UTF-8 text. Platform-specific.
std::string fromFsPath(const std::filesystem::path& path);

}  // namespace brezzolo
