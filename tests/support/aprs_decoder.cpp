#include "support/aprs_decoder.h"

#include <cstdlib>
#include <filesystem>

#include "common/paths.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace brezzolo::test {

namespace fs = std::filesystem;

std::optional<std::string> findAprsDecoder() {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) {
            end = folders.size();
        }
        const fs::path candidate = fs::path(folders.substr(start, end - start)) / "decode_aprs";
        std::error_code error;
        if (end > start && fs::is_regular_file(candidate, error)) {
            return fromFsPath(candidate);
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::string decodedAprs(const std::string& decoder, const std::string& packet) {
    TempFolder folder;
    writeFileBytes(folder.file("packet.txt"), packet + "\n");
    runProgram("\"" + decoder + "\" \"" + folder.file("packet.txt") + "\" > \"" +
               folder.file("decoded.txt") + "\" 2>&1");
    std::string text = readFileBytes(folder.file("decoded.txt"));
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b') {
            i = text.find_first_of("mJ", i);  // the end of an escape sequence
            if (i == std::string::npos) {
                break;
            }
        } else {
            plain += text[i];
        }
    }
    return plain;
}

}  // namespace brezzolo::test
