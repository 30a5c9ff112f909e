#include "app/sys_info.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstring>
#include <string>

namespace brezzolo {
namespace {

struct RegistryValue {
    bool found = false;
    std::wstring text;
};

// GetKeyValue: one value of the registry as text. REG_SZ (and REG_EXPAND_SZ, expanded) come
// back as they are, REG_DWORD as the decimal text of its number. The key is opened read-only:
// the viewer's keys live under HKEY_LOCAL_MACHINE, where asking for write rights is refused
// to every user without administrator rights.
RegistryValue getKeyValue(HKEY root, const wchar_t* keyName, const wchar_t* valueName) {
    RegistryValue result;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return result;
    }
    wchar_t buffer[1024] = {};
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(sizeof buffer);  // in bytes
    const LONG status =
        RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return result;
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // The data need not end with a NUL; when it does (or holds one), the text ends there.
        const std::size_t length = size / sizeof(wchar_t);
        std::size_t end = 0;
        while (end < length && buffer[end] != L'\0') {
            ++end;
        }
        result.text.assign(buffer, end);
        if (type == REG_EXPAND_SZ) {
            wchar_t expanded[1024] = {};
            const DWORD needed = ExpandEnvironmentStringsW(result.text.c_str(), expanded, 1024);
            if (needed == 0 || needed > 1024) {
                return result;
            }
            result.text = expanded;
        }
        result.found = true;
    } else if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, buffer, sizeof number);
        result.text = std::to_wstring(number);
        result.found = true;
    }
    return result;
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The viewer's full path: the MSINFO key's PATH, else MSINFO32.EXE in the folder that the
// Shared Tools Location key names; empty when neither gives one.
std::wstring findViewer() {
    const RegistryValue path =
        getKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    if (path.found) {
        return path.text;
    }
    const RegistryValue folder =
        getKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    if (folder.found) {
        const std::wstring candidate = folder.text + L"\\MSINFO32.EXE";
        if (isFile(candidate)) {
            return candidate;
        }
    }
    return {};
}

// Starts the program in a normal window and lets it run on its own.
bool startDetached(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = static_cast<DWORD>(sizeof startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool startSysInfo() {
    const std::wstring viewer = findViewer();
    return !viewer.empty() && startDetached(viewer);
}

}  // namespace brezzolo
