#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/run_program.h"

namespace brezzolo::test {

int runProgram(const std::string& commandLine) {
    const int status = std::system(commandLine.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

BackgroundProgram::BackgroundProgram(const std::string& program,
                                     const std::vector<std::string>& arguments) {
    // The argument vector is built before the fork, so the child only calls what is safe there.
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    process_ = child;
}

BackgroundProgram::~BackgroundProgram() {
    kill();
}

void BackgroundProgram::kill() {
    if (process_ > 0) {
        const auto child = static_cast<pid_t>(process_);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        process_ = -1;
    }
}

}  // namespace brezzolo::test
