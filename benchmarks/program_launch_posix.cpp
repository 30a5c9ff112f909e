#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include "program_launch.h"

namespace brezzolo::bench {

LaunchedProgram::LaunchedProgram(const std::vector<std::string>& commandLine,
                                 const std::string& folder) {
    std::vector<char*> arguments;
    for (const std::string& argument : commandLine) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        if (null < 0 || dup2(null, STDIN_FILENO) < 0 || dup2(null, STDOUT_FILENO) < 0 ||
            dup2(null, STDERR_FILENO) < 0 || chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    id_ = child;
}

LaunchedProgram::~LaunchedProgram() {
    stop();
}

namespace {

double seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

}  // namespace

bool LaunchedProgram::ended() {
    if (started() && !ended_) {
        rusage usage{};
        ended_ = wait4(static_cast<pid_t>(id_), nullptr, WNOHANG, &usage) == id_;
        if (ended_) {
            cpuSeconds_ = seconds(usage.ru_utime) + seconds(usage.ru_stime);
        }
    }
    return ended_;
}

void LaunchedProgram::stop() {
    if (started() && !ended_) {
        kill(static_cast<pid_t>(id_), SIGKILL);
        rusage usage{};
        if (wait4(static_cast<pid_t>(id_), nullptr, 0, &usage) == id_) {
            cpuSeconds_ = seconds(usage.ru_utime) + seconds(usage.ru_stime);
        }
        ended_ = true;
    }
}

}  // namespace brezzolo::bench
