#include "common/text_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

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

// Writes the bytes beside the target and renames them over it.
bool writeBytesReplacing(const std::string& path, const std::string& bytes,
                         Durability durability = Durability::Normal) {
    const std::string temporary = path + ".brz-new";
    const bool flush = durability == Durability::FlushToDisk;
    {
        std::ofstream out(toFsPath(temporary), std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out || (flush && !flushFileToDisk(temporary))) {
            std::error_code ignored;
            std::filesystem::remove(toFsPath(temporary), ignored);
            return false;
        }
    }
    if (!replaceFile(temporary, path)) {
        std::error_code ignored;
        std::filesystem::remove(toFsPath(temporary), ignored);
        return false;
    }
    if (flush) {
        // The new content is in place whatever this gives: a folder that cannot be flushed (a
        // file system that refuses it) leaves only the rename less sure of a power cut.
        const std::filesystem::path folder = toFsPath(path).parent_path();
        flushFolderToDisk(folder.empty() ? std::string(".") : fromFsPath(folder));
    }
    return true;
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

bool rewriteTextFile(const std::string& path, const std::vector<std::string>& lines,
                     Durability durability) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return writeBytesReplacing(path, toSystemCodePage(text), durability);
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
    return bytes && writeBytesReplacing(target, *bytes);
}

}  // namespace brezzolo
