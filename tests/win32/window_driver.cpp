#include "window_driver.h"

#include <cstring>

namespace brezzolo::test {
namespace {

constexpr UINT kAnswerMs = 10000;

std::wstring wideFromUtf8(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

bool send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
          DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs,
                               result != nullptr ? result : &ignored) != 0;
}

void notifyParent(HWND parent, int id, int code) {
    send(parent, WM_COMMAND, MAKEWPARAM(id, code),
         reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
}

}  // namespace

std::wstring programPath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"brezzolo.exe";
}

WindowProgram::WindowProgram(const std::string& workingFolder)
    : WindowProgram(programPath(), L"", wideFromUtf8(workingFolder)) {}

WindowProgram::WindowProgram(const std::wstring& program, const std::wstring& arguments,
                             const std::wstring& workingFolder) {
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" ");
    commandLine += arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                        &process_)) {
        process_ = {};
        return;
    }
    WaitForInputIdle(process_.hProcess, kAnswerMs);
}

WindowProgram::~WindowProgram() {
    if (!started()) {
        return;
    }
    // The main window exists from the start, hidden on a first run; its frame ends the program.
    for (const HWND window : topLevelWindows()) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (std::wcscmp(className, L"BrezzoloMainWindow") == 0) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    if (!ended(kAnswerMs)) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, kAnswerMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool WindowProgram::ended(int milliseconds) const {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(milliseconds)) ==
           WAIT_OBJECT_0;
}

std::vector<HWND> WindowProgram::topLevelWindows() const {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process_.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == s->process) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> WindowProgram::visibleTitles() const {
    std::vector<std::wstring> titles;
    for (const HWND window : topLevelWindows()) {
        if (IsWindowVisible(window)) {
            titles.push_back(text(window));
        }
    }
    return titles;
}

HWND WindowProgram::window(std::wstring_view title, int milliseconds) const {
    HWND found = nullptr;
    waitFor(
        [&] {
            for (const HWND window : topLevelWindows()) {
                if (IsWindowVisible(window) && text(window) == title) {
                    found = window;
                }
            }
            return found != nullptr;
        },
        milliseconds);
    return found;
}

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (!condition()) {
        if (GetTickCount64() > end) {
            return false;
        }
        Sleep(30);
    }
    return true;
}

std::wstring text(HWND window) {
    DWORD_PTR length = 0;
    if (window == nullptr || !send(window, WM_GETTEXTLENGTH, 0, 0, &length)) {
        return {};
    }
    std::wstring content(length + 1, L'\0');
    DWORD_PTR copied = 0;
    send(window, WM_GETTEXT, content.size(), reinterpret_cast<LPARAM>(content.data()), &copied);
    content.resize(copied);
    return content;
}

std::wstring text(HWND parent, int id) {
    return text(GetDlgItem(parent, id));
}

void setText(HWND parent, int id, std::wstring_view content) {
    const std::wstring terminated(content);
    send(GetDlgItem(parent, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
    notifyParent(parent, id, EN_CHANGE);
}

void setComboText(HWND parent, int id, std::wstring_view content) {
    const std::wstring terminated(content);
    send(GetDlgItem(parent, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
    notifyParent(parent, id, CBN_EDITCHANGE);
}

bool click(HWND parent, int id) {
    return send(GetDlgItem(parent, id), BM_CLICK);
}

void clickLater(HWND parent, int id) {
    PostMessageW(GetDlgItem(parent, id), BM_CLICK, 0, 0);
}

bool chooseMenu(HWND window, int item) {
    return send(window, WM_COMMAND, MAKEWPARAM(item, 0), 0);
}

bool isChecked(HWND parent, int id) {
    DWORD_PTR state = 0;
    send(GetDlgItem(parent, id), BM_GETCHECK, 0, 0, &state);
    return state == BST_CHECKED;
}

std::vector<std::wstring> listEntries(HWND parent, int id) {
    const HWND list = GetDlgItem(parent, id);
    DWORD_PTR count = 0;
    send(list, LB_GETCOUNT, 0, 0, &count);
    std::vector<std::wstring> entries;
    for (WPARAM i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        send(list, LB_GETTEXTLEN, i, 0, &length);
        std::wstring entry(length + 1, L'\0');
        send(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(length);
        entries.push_back(entry);
    }
    return entries;
}

bool clickListEntry(HWND parent, int id, std::wstring_view entry) {
    const std::vector<std::wstring> entries = listEntries(parent, id);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t start = entries[i].find_first_not_of(L' ');
        if (start != std::wstring::npos && entries[i].substr(start) == entry) {
            send(GetDlgItem(parent, id), LB_SETCURSEL, i);
            notifyParent(parent, id, LBN_SELCHANGE);
            return true;
        }
    }
    return false;
}

std::vector<std::wstring> staticTexts(HWND box) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (_wcsicmp(className, L"Static") == 0 && !text(child).empty()) {
            texts.push_back(text(child));
        }
    }
    return texts;
}

bool putOnClipboard(std::wstring_view content) {
    const std::size_t bytes = (content.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return false;
    }
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    std::memcpy(target, content.data(), content.size() * sizeof(wchar_t));
    target[content.size()] = L'\0';
    GlobalUnlock(memory);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    return put;
}

}  // namespace brezzolo::test
