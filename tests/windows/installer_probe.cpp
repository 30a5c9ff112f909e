// The installer test's eyes inside Windows (tests/windows/installer_test.sh runs it under Wine):
//
//   installer_probe folders
//       prints the current user's Start menu programs, Startup and local application data
//       folders, where the installer puts its shortcuts and the data folder;
//   installer_probe shortcut LINK
//       prints the shortcut's target and working folder;
//   installer_probe run COMMANDLINE
//       runs a command line exactly as given (as cmd.exe passes it on: an installer's
//       "/D=C:\Program Files\X" must come without quotes) and ends with its exit status;
//   installer_probe first-run LINK TITLE SECONDS [COMMANDLINE]
//       starts the shortcut's program in the shortcut's working folder, as Explorer does, waits
//       up to SECONDS for a visible window titled TITLE, prints the titles of the program's
//       visible top-level windows a moment later, runs COMMANDLINE while the program runs and
//       prints its exit status ("command=N"), then ends the program (tests/win32's window
//       driver). Exit status 0 when the window appeared.
//
// Output is "name=value" lines in UTF-8, one per line.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "window_driver.h"

namespace {

using namespace brezzolo;

void printLine(const char* name, const std::wstring& value) {
    std::string utf8;
    const int wide = static_cast<int>(value.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, value.data(), wide, nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        utf8.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, value.data(), wide, utf8.data(), size, nullptr, nullptr);
    }
    std::printf("%s=%s\n", name, utf8.c_str());
    std::fflush(stdout);
}

bool printFolder(const char* name, int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        std::fprintf(stderr, "folder %s not found\n", name);
        return false;
    }
    printLine(name, path);
    return true;
}

struct Shortcut {
    std::wstring target;
    std::wstring arguments;
    std::wstring workingFolder;
};

bool readShortcut(const std::wstring& link, Shortcut& shortcut) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink)))) {
        std::fprintf(stderr, "no shell link object\n");
        return false;
    }
    IPersistFile* file = nullptr;
    bool ok =
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(link.c_str(), STGM_READ));
    wchar_t text[MAX_PATH * 2] = {};
    const int capacity = static_cast<int>(std::size(text));
    if (ok) {
        ok = SUCCEEDED(shellLink->GetPath(text, capacity, nullptr, SLGP_RAWPATH));
        shortcut.target = text;
    }
    if (ok) {
        text[0] = L'\0';
        ok = SUCCEEDED(shellLink->GetArguments(text, capacity));
        shortcut.arguments = text;
    }
    if (ok) {
        text[0] = L'\0';
        ok = SUCCEEDED(shellLink->GetWorkingDirectory(text, capacity));
        shortcut.workingFolder = text;
    }
    if (file != nullptr) {
        file->Release();
    }
    shellLink->Release();
    if (!ok) {
        std::fprintf(stderr, "cannot read the shortcut\n");
    }
    return ok;
}

int run(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start the command (error %lu)\n", GetLastError());
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 2;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

int firstRun(const std::wstring& link, const std::wstring& title, int seconds,
             const std::wstring& command) {
    Shortcut shortcut;
    if (!readShortcut(link, shortcut)) {
        return 2;
    }
    // Ended when it goes, as its frame would end it.
    const test::WindowProgram program(shortcut.target, shortcut.arguments, shortcut.workingFolder);
    if (!program.started()) {
        std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
        return 2;
    }
    if (program.window(title, seconds * 1000) == nullptr) {
        return 1;
    }
    // Whatever else the program opens at start has had time to show.
    Sleep(500);
    for (const std::wstring& shown : program.visibleTitles()) {
        printLine("window", shown);
    }
    if (!command.empty()) {
        printLine("command", std::to_wstring(run(command)));
    }
    return 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: installer_probe folders | shortcut LINK | run COMMANDLINE |\n"
                 "       first-run LINK TITLE SECONDS [COMMANDLINE]\n");
    return 2;
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2) {
        return usage();
    }
    const std::vector<std::wstring> args(arguments + 1, arguments + count);
    LocalFree(arguments);

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "COM does not start\n");
        return 2;
    }
    int status = 0;
    if (args[0] == L"folders" && args.size() == 1) {
        const bool ok = printFolder("programs", CSIDL_PROGRAMS) &&
                        printFolder("startup", CSIDL_STARTUP) &&
                        printFolder("localappdata", CSIDL_LOCAL_APPDATA);
        status = ok ? 0 : 2;
    } else if (args[0] == L"shortcut" && args.size() == 2) {
        Shortcut shortcut;
        if (readShortcut(args[1], shortcut)) {
            printLine("target", shortcut.target);
            printLine("arguments", shortcut.arguments);
            printLine("workdir", shortcut.workingFolder);
        } else {
            status = 2;
        }
    } else if (args[0] == L"run" && args.size() == 2) {
        status = run(args[1]);
    } else if (args[0] == L"first-run" && (args.size() == 4 || args.size() == 5)) {
        status = firstRun(args[1], args[2], _wtoi(args[3].c_str()),
                          args.size() == 5 ? args[4] : std::wstring());
    } else {
        status = usage();
    }
    CoUninitialize();
    return status;
}
