#include <windows.h>

#include "common/paths.h"
#include "support/platform.h"

namespace brezzolo::test {

const char* consoleLineEnd() {
    return "\r\n";
}

bool renameOverOpenFileRefused() {
    return true;
}

OpenReader::OpenReader(const std::string& path)
    : handle_(reinterpret_cast<std::intptr_t>(
          CreateFileW(toFsPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {}

OpenReader::~OpenReader() {
    if (isOpen()) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

bool OpenReader::isOpen() const {
    return reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE;
}

// The ANSI code page is the system's: a program cannot switch it, only find it.
Latin1CodePage::Latin1CodePage() {
    if (GetACP() == 1252) {
        commandPrefix_ = "";
    }
}

Latin1CodePage::~Latin1CodePage() = default;

}  // namespace brezzolo::test
