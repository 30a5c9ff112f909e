#include <windows.h>

#include "app/instance_lock.h"
#include "common/paths.h"

namespace brezzolo {

// LockFileEx locks belong to the handle: a second handle on the file, in this process or
// another, does not get the lock while this one is open, and the system releases it when the
// handle closes or the process ends. The file stays shared, so that looking at it is no reason
// for a refusal.
InstanceLock::InstanceLock(const std::string& folder) {
    const auto path = joinPath(folder, kInstanceLockFileName);
    if (!path) {
        return;
    }
    // Reading is enough to lock, also a file another user left.
    const HANDLE file = CreateFileW(toFsPath(*path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    // The lock covers the first byte, which need not exist.
    OVERLAPPED firstByte{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                    &firstByte)) {
        if (GetLastError() == ERROR_LOCK_VIOLATION) {
            outcome_ = Outcome::AlreadyRunning;
        }
        CloseHandle(file);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    outcome_ = Outcome::Acquired;
}

InstanceLock::~InstanceLock() {
    if (outcome_ == Outcome::Acquired) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

}  // namespace brezzolo
