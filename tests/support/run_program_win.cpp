#include <cstdlib>

#include "support/run_program.h"

namespace brezzolo::test {

// cmd.exe wants the whole line quoted once more when it starts with a quoted program path.
int runProgram(const std::string& commandLine) {
    return std::system(("\"" + commandLine + "\"").c_str());
}

}  // namespace brezzolo::test
