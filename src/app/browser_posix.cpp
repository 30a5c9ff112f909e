#include "app/browser.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "common/paths.h"

namespace brezzolo {

bool openInBrowser(const std::string& path) {
    const std::string file = toFsPath(path).string();
    // Started through a child that leaves at once, so xdg-open and the browser belong to no
    // one here and leave no process behind to be waited for.
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        if (fork() == 0) {
            setsid();
            execlp("xdg-open", "xdg-open", file.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace brezzolo
