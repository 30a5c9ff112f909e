#pragma once

#include <string>

namespace brezzolo::test {

// Runs a command line through the system's shell and returns the program's exit status.
int runProgram(const std::string& commandLine);

}  // namespace brezzolo::test
