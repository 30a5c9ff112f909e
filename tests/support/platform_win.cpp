#include <windows.h>

#include "common/paths.h"
#include "support/platform.h"

namespace brezzolo::test {

const char* consoleLineEnd() {
    return "\r\n";
}

std::string fromConsoleText(const std::string& bytes) {
    const UINT console = GetConsoleOutputCP();
    const UINT codePage = console != 0 ? console : GetACP();
    const int size = static_cast<int>(bytes.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
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
