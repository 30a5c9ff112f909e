#include <windows.h>

#include <cstdlib>

#include "support/run_program.h"

namespace brezzolo::test {

// cmd.exe wants the whole line quoted once more when it starts with a quoted program path.
int runProgram(const std::string& commandLine) {
    return std::system(("\"" + commandLine + "\"").c_str());
}

namespace {

// One word of a command line as CommandLineToArgvW reads it back: quoted, with the quotes and
// the backslashes before them escaped.
std::string quoted(const std::string& word) {
    std::string result = "\"";
    std::size_t backslashes = 0;
    for (const char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        result.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        result += c;
    }
    result.append(2 * backslashes, '\\');
    return result + "\"";
}

}  // namespace

BackgroundProgram::BackgroundProgram(const std::string& program,
                                     const std::vector<std::string>& arguments) {
    std::string commandLine = quoted(program);
    for (const std::string& argument : arguments) {
        commandLine += " " + quoted(argument);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        process_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    }
}

BackgroundProgram::~BackgroundProgram() {
    kill();
}

void BackgroundProgram::kill() {
    if (process_ != -1) {
        const auto process = reinterpret_cast<HANDLE>(process_);
        TerminateProcess(process, 1);
        WaitForSingleObject(process, INFINITE);
        CloseHandle(process);
        process_ = -1;
    }
}

}  // namespace brezzolo::test
