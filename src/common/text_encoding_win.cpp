#include <windows.h>

#include <string>

#include "common/text_encoding.h"

namespace brezzolo {
namespace {

std::wstring widen(const std::string& text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

}  // namespace

std::string toSystemCodePage(const std::string& utf8) {
    return narrow(widen(utf8, CP_UTF8), CP_ACP);
}

std::string fromSystemCodePage(const std::string& bytes) {
    return narrow(widen(bytes, CP_ACP), CP_UTF8);
}

}  // namespace brezzolo
