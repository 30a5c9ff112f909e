#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "common/text_encoding.h"

namespace brezzolo {
namespace {

// The locale's encoding, or an empty text when it is UTF-8 or plain ASCII. A program started
// without a locale ("C") gets ASCII from the C library; files are then taken as UTF-8, as on
// every current Linux desktop.
std::string localeCodeset() {
    const std::string_view codeset = nl_langinfo(CODESET);
    if (codeset == "UTF-8" || codeset == "utf8" || codeset == "ANSI_X3.4-1968" ||
        codeset == "ASCII") {
        return {};
    }
    return std::string(codeset);
}

std::string convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string out;
    std::string input = text;
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A character the target lacks, or a broken sequence: write "?" and skip one byte.
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string toSystemCodePage(const std::string& utf8) {
    const std::string codeset = localeCodeset();
    return codeset.empty() ? utf8 : convert(utf8, codeset.c_str(), "UTF-8");
}

std::string fromSystemCodePage(const std::string& bytes) {
    const std::string codeset = localeCodeset();
    return codeset.empty() ? bytes : convert(bytes, "UTF-8", codeset.c_str());
}

}  // namespace brezzolo
