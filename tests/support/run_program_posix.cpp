#include <sys/wait.h>

#include <cstdlib>

#include "support/run_program.h"

namespace brezzolo::test {

int runProgram(const std::string& commandLine) {
    const int status = std::system(commandLine.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace brezzolo::test
