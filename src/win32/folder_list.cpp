#include "win32/folder_list.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "app/folder_lists.h"
#include "common/paths.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

namespace fs = std::filesystem;

// Each step deeper in the folder list indents by this.
constexpr const wchar_t* kIndent = L"    ";

std::wstring indented(std::size_t depth, const std::wstring& name) {
    std::wstring text;
    for (std::size_t i = 0; i < depth; ++i) {
        text += kIndent;
    }
    return text + name;
}

bool sameFolder(const std::wstring& a, const std::wstring& b) {
    // Drive letters and names come in either case on Windows.
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The visible subfolders of a folder, by name without regard to case.
std::vector<std::wstring> subfolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchLimitToDirectories, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (found.dwFileAttributes & hidden) == 0 && name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return names;
}

bool navigationKeyDown() {
    for (const int key : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END}) {
        if (GetKeyState(key) < 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

FolderList::FolderList(HWND drives, HWND folders, ChangeHandler onChange)
    : drives_(drives), folders_(folders), onChange_(std::move(onChange)) {
    std::wstring roots(512, L'\0');
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    roots.resize(length < roots.size() ? length : 0);
    // "C:\", NUL, "D:\", NUL, ...
    for (std::size_t start = 0; start < roots.size();) {
        const std::size_t end = roots.find(L'\0', start);
        const std::wstring root = roots.substr(start, end - start);
        if (!root.empty()) {
            SendMessageW(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
        }
        start = end == std::wstring::npos ? roots.size() : end + 1;
    }
}

void FolderList::showFolder(const std::string& folder) {
    fill(nearestExistingFolder(folder));
}

void FolderList::open(const std::string& folder) {
    fill(nearestExistingFolder(folder));
    onChange_(folder_);
}

void FolderList::driveChosen() {
    if (SendMessageW(drives_, CB_GETDROPPEDSTATE, 0, 0) != 0) {
        return;  // still choosing; the list closing decides
    }
    const LRESULT index = SendMessageW(drives_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return;
    }
    std::wstring root(static_cast<std::size_t>(SendMessageW(drives_, CB_GETLBTEXTLEN, index, 0)),
                      L'\0');
    SendMessageW(drives_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(root.data()));
    const std::wstring current = toFsPath(folder_).root_path().wstring();
    if (sameFolder(root, current)) {
        return;
    }
    const DWORD attributes = GetFileAttributesW(root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        fill(folder_);  // a drive that is not ready: stay where we are
        return;
    }
    open(utf8(root));
}

void FolderList::selectionChanged() {
    // A click reports the marked entry as the button goes down and again as it comes up:
    // the folder opens on the second, so that the list does not change under the mouse.
    if (GetKeyState(VK_LBUTTON) < 0 || navigationKeyDown()) {
        return;
    }
    openMarked();
}

void FolderList::openMarked() {
    const LRESULT index = SendMessageW(folders_, LB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<std::size_t>(index) < paths_.size()) {
        open(paths_[static_cast<std::size_t>(index)]);
    }
}

void FolderList::fill(const std::string& existingFolder) {
    folder_ = existingFolder;
    std::vector<fs::path> chain;
    for (fs::path step = toFsPath(existingFolder);; step = step.parent_path()) {
        chain.insert(chain.begin(), step);
        if (step.parent_path() == step || !step.has_relative_path()) {
            break;
        }
    }

    const std::wstring root = chain.front().wstring();
    LRESULT drive = CB_ERR;
    const LRESULT count = SendMessageW(drives_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(drives_, CB_GETLBTEXTLEN, i, 0)),
                          L'\0');
        SendMessageW(drives_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        if (sameFolder(text, root)) {
            drive = i;
        }
    }
    if (drive == CB_ERR) {
        drive = SendMessageW(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
    }
    SendMessageW(drives_, CB_SETCURSEL, static_cast<WPARAM>(drive), 0);

    SendMessageW(folders_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(folders_, LB_RESETCONTENT, 0, 0);
    paths_.clear();
    const auto add = [this](std::size_t depth, const std::wstring& name, const fs::path& path) {
        const std::wstring text = indented(depth, name);
        SendMessageW(folders_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        paths_.push_back(folderText(fromFsPath(path)));
    };
    for (std::size_t depth = 0; depth < chain.size(); ++depth) {
        add(depth, depth == 0 ? root : chain[depth].filename().wstring(), chain[depth]);
    }
    for (const std::wstring& name : subfolders(chain.back().wstring())) {
        add(chain.size(), name, chain.back() / name);
    }
    SendMessageW(folders_, LB_SETCURSEL, chain.size() - 1, 0);
    SendMessageW(folders_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(folders_, nullptr, TRUE);
}

}  // namespace brezzolo::win32
