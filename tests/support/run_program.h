#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brezzolo::test {

// Runs a command line through the system's shell and returns the program's exit status.
int runProgram(const std::string& commandLine);

// A program started in the background, in the current working folder, its output thrown away.
class BackgroundProgram {
  public:
    BackgroundProgram(const std::string& program, const std::vector<std::string>& arguments);
    // Kills the program when it still runs.
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

    // Ends the program at once, as `kill -9` does (TerminateProcess on Windows): it has no
    // chance to clean up. Returns when it has ended.
    void kill();

  private:
    std::intptr_t process_ = -1;  // the process id, or a Windows process HANDLE
};

}  // namespace brezzolo::test
