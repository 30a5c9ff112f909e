#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "common/paths.h"

namespace brezzolo::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path folder = fs::temp_directory_path() / ("brezzolo-test-" + std::to_string(stamp) +
                                                         "-" + std::to_string(counter++));
    fs::create_directories(folder);
    path_ = fromFsPath(folder);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(toFsPath(path_), ignored);
}

std::string TempFolder::file(const std::string& name) const {
    return *joinPath(path_, name);
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(toFsPath(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(toFsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(toFsPath(folder), missing)) {
        names.push_back(fromFsPath(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string lf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

void blockRewrite(const std::string& path) {
    std::filesystem::create_directory(toFsPath(path + ".brz-new"));
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

WorkingFolder::WorkingFolder(const std::string& folder)
    : previous_(fromFsPath(fs::current_path())) {
    fs::current_path(toFsPath(folder));
}

WorkingFolder::~WorkingFolder() {
    std::error_code ignored;
    fs::current_path(toFsPath(previous_), ignored);
}

}  // namespace brezzolo::test
