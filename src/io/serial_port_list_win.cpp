#include "io/serial_port_list.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace brezzolo {
namespace {

// The number of "COM12"; names without one sort last.
unsigned long portNumber(std::string_view name) {
    if (name.size() > 3 && (name.starts_with("COM") || name.starts_with("com"))) {
        return std::strtoul(std::string(name.substr(3)).c_str(), nullptr, 10);
    }
    return 0xFFFFFFFFul;
}

std::string narrow(const wchar_t* text, int length) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    }
    return result;
}

}  // namespace

std::vector<std::string> listSerialPorts() {
    std::vector<std::string> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return ports;
    }
    // Each value names a device (\Device\Serial0) and holds the port's name (COM1).
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD valueNameLength = 256;
        wchar_t data[64];
        DWORD dataBytes = sizeof(data);
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, valueName, &valueNameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            continue;
        }
        int length = static_cast<int>(dataBytes / sizeof(wchar_t));
        while (length > 0 && data[length - 1] == L'\0') {
            --length;
        }
        if (length > 0) {
            ports.push_back(narrow(data, length));
        }
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) {
        const unsigned long numberA = portNumber(a);
        const unsigned long numberB = portNumber(b);
        return numberA != numberB ? numberA < numberB : a < b;
    });
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

}  // namespace brezzolo
