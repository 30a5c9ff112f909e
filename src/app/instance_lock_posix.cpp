#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "app/instance_lock.h"
#include "common/paths.h"

namespace brezzolo {

// flock() locks belong to the open file description, so a second open of the file, in this
// process or another, does not get the lock while this one is open, and the system releases it
// when the descriptor closes, at the latest when the process ends.
InstanceLock::InstanceLock(const std::string& folder) {
    const auto path = joinPath(folder, kInstanceLockFileName);
    if (!path) {
        return;
    }
    const std::filesystem::path file = toFsPath(*path);
    int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0 && errno == EACCES) {
        // A lock file another user left: reading is enough to lock it.
        descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (descriptor < 0) {
        return;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            outcome_ = Outcome::AlreadyRunning;
        }
        ::close(descriptor);
        return;
    }
    handle_ = descriptor;
    outcome_ = Outcome::Acquired;
}

InstanceLock::~InstanceLock() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
    }
}

}  // namespace brezzolo
