#pragma once

#include <cstdint>
#include <string>

namespace brezzolo {

// One Brezzolo per working folder. A running program (the window program or the headless
// converter) holds a lock on the file "brezzolo.lock" in its working folder; a second start
// there finds it taken and must end. The lock belongs to the open file, so the system drops it
// when the program ends in any way, a crash or a kill included: the file itself stays behind
// and means nothing. Platform-specific: instance_lock_posix.cpp (flock), instance_lock_win.cpp
// (LockFileEx).

inline constexpr const char* kInstanceLockFileName = "brezzolo.lock";

// Shown (title "ATTENZIONE") by a window program that finds the lock taken, before it ends.
inline constexpr const char* kAlreadyRunningMessage =
    "Brezzolo è già in esecuzione in questa cartella di lavoro.";

class InstanceLock {
  public:
    enum class Outcome {
        Acquired,        // this program is the only one in the folder
        AlreadyRunning,  // another program holds the folder's lock
        Unavailable,     // no lock could be taken (a read-only folder): nothing to guard with
    };

    // Takes the lock of the folder, the working folder by default, and holds it until the
    // object goes.
    explicit InstanceLock(const std::string& folder = ".");
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Outcome outcome() const { return outcome_; }
    // True when another program runs in the folder, so this one must end.
    bool heldElsewhere() const { return outcome_ == Outcome::AlreadyRunning; }

  private:
    Outcome outcome_ = Outcome::Unavailable;
    std::intptr_t handle_ = -1;  // the open lock file: a descriptor, or a Windows HANDLE
};

}  // namespace brezzolo
