#include "common/text_file.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <thread>

#include "common/durable_file.h"
#include "common/paths.h"
#include "common/text_encoding.h"

namespace brezzolo {
namespace {

std::optional<std::string> readBytes(const std::string& path) {
    try {
        std::ifstream in(toFsPath(path), std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            return std::nullopt;
        }
        return bytes;
    } catch (const std::exception&) {
        // A folder in the file's place, or a read error the stream reports by throwing.
        return std::nullopt;
    }
}

// How the new content takes the target's place.
enum class ReplaceMode {
    AtomicOnly,         // the rename over the target, or nothing
    InPlaceWhenLocked,  // the rename, retried; then, when still refused, written in place
};

// A reader that holds the target open without delete sharing usually lets it go within a
// moment: the rename is tried this many more times, this far apart.
constexpr int kReplaceRetries = 4;
constexpr auto kReplaceRetryPause = std::chrono::milliseconds(50);

// Removes the temporary file, and only a file: whatever else stands in its place stays.
void removeTemporary(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(toFsPath(path), ignored)) {
        std::filesystem::remove(toFsPath(path), ignored);
    }
}

// Creates or truncates the file and writes the bytes.
bool writeBytesInPlace(const std::string& path, const std::string& bytes) {
    std::ofstream out(toFsPath(path), std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// Renames the temporary file over the target; with InPlaceWhenLocked a refused rename is
// retried a few times.
bool renameOver(const std::string& temporary, const std::string& path, ReplaceMode mode) {
    if (replaceFile(temporary, path)) {
        return true;
    }
    if (mode == ReplaceMode::InPlaceWhenLocked) {
        for (int retry = 0; retry < kReplaceRetries; ++retry) {
            std::this_thread::sleep_for(kReplaceRetryPause);
            if (replaceFile(temporary, path)) {
                return true;
            }
        }
    }
    return false;
}

// Writes the bytes beside the target and renames them over it; see ReplaceMode for a refused
// rename, Durability for a power cut. The temporary file never stays.
bool writeBytesReplacing(const std::string& path, const std::string& bytes, ReplaceMode mode,
                         Durability durability = Durability::Normal) {
    const std::string temporary = path + kTemporarySuffix;
    const bool flush = durability == Durability::FlushToDisk;
    if (!writeBytesInPlace(temporary, bytes) || (flush && !flushFileToDisk(temporary))) {
        removeTemporary(temporary);
        return false;
    }
    if (renameOver(temporary, path, mode)) {
        if (flush) {
            // The new content is in place whatever this gives: a folder that cannot be flushed
            // (a file system that refuses it) leaves only the rename less sure of a power cut.
            const std::filesystem::path folder = toFsPath(path).parent_path();
            flushFolderToDisk(folder.empty() ? std::string(".") : fromFsPath(folder));
        }
        return true;
    }
    removeTemporary(temporary);
    return mode == ReplaceMode::InPlaceWhenLocked && writeBytesInPlace(path, bytes);
}

// Lines split at LF, a CR before the LF dropped; a last line without an end counts too.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        lines.push_back(text.substr(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(toFsPath(path), error);
}

std::optional<std::vector<std::string>> readLines(const std::string& path) {
    const auto bytes = readBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return splitLines(fromSystemCodePage(*bytes));
}

std::optional<std::vector<std::string>> readRawLines(const std::string& path) {
    const auto bytes = readBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return splitLines(*bytes);
}

namespace {

std::string crlfText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return toSystemCodePage(text);
}

}  // namespace

bool rewriteTextFile(const std::string& path, const std::vector<std::string>& lines,
                     Durability durability) {
    return writeBytesReplacing(path, crlfText(lines), ReplaceMode::AtomicOnly, durability);
}

bool renewTextFile(const std::string& path, const std::vector<std::string>& lines) {
    return writeBytesReplacing(path, crlfText(lines), ReplaceMode::InPlaceWhenLocked);
}

bool renewFileBytes(const std::string& path, const std::string& bytes) {
    return writeBytesReplacing(path, bytes, ReplaceMode::InPlaceWhenLocked);
}

bool appendLine(const std::string& path, const std::string& line) {
    const std::string bytes = toSystemCodePage(line + "\r\n");
    std::ofstream out(toFsPath(path), std::ios::binary | std::ios::app);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool copyFileReplacing(const std::string& source, const std::string& target) {
    const auto bytes = readBytes(source);
    return bytes && writeBytesReplacing(target, *bytes, ReplaceMode::AtomicOnly);
}

bool renewFileCopy(const std::string& source, const std::string& target) {
    const auto bytes = readBytes(source);
    return bytes && writeBytesReplacing(target, *bytes, ReplaceMode::InPlaceWhenLocked);
}

void removeLeftoverTemporaries(const std::string& folder) {
    constexpr auto kQuietFor = std::chrono::minutes(1);
    const std::string_view suffix = kTemporarySuffix;
    std::error_code error;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator entry(toFsPath(folder.empty() ? "." : folder), error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = fromFsPath(entry->path().filename());
        std::error_code ignored;
        if (name.size() > suffix.size() && name.ends_with(suffix) &&
            entry->is_regular_file(ignored) && now - entry->last_write_time(ignored) > kQuietFor) {
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

}  // namespace brezzolo
