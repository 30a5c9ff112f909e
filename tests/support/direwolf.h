#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace brezzolo::test {

// What Dire Wolf printed, in the file its output goes to: the packets it took for
// transmission, each on a "[0L] " line, in turn.
class DireWolfLog {
  public:
    explicit DireWolfLog(std::string path) : path_(std::move(path)) {}

    // The packet of the next "[0L] " line not yet taken, without that prefix; nothing when
    // none came within the wait.
    std::optional<std::string> nextTransmitted(std::chrono::milliseconds wait);
    std::string text() const;

  private:
    std::string path_;
    std::size_t taken_ = 0;  // "[0L] " lines already returned
};

// Dire Wolf (Debian's direwolf) as the tests' real KISS TNC, on a configuration of its own: no
// sound card (its audio input is a pipe that stays silent, its output goes nowhere), KISS on a
// free TCP port of 127.0.0.1 and on a pseudo-terminal, no AGW port. Every frame it takes for
// transmission it prints as "[0L] CALL>APZBRZ,WIDE2-1:...". Ended with the object.
class DireWolf {
  public:
    DireWolf();
    ~DireWolf();
    DireWolf(const DireWolf&) = delete;
    DireWolf& operator=(const DireWolf&) = delete;

    // False when direwolf is not installed or did not come up; the test is then skipped.
    bool running() const { return ready_; }
    int kissPort() const { return port_; }
    // The KISS pseudo-terminal, "/dev/pts/7".
    const std::string& kissTerminal() const { return terminal_; }

    std::optional<std::string> nextTransmitted(std::chrono::milliseconds wait) {
        return log_.nextTransmitted(wait);
    }
    // Everything Dire Wolf printed so far.
    std::string log() const { return log_.text(); }

  private:
    TempFolder folder_;
    DireWolfLog log_{folder_.file("direwolf.log")};
    int silence_ = -1;  // our end of the audio pipe, held open so that it never ends
    std::optional<BackgroundProgram> program_;
    int port_ = 0;
    std::string terminal_;
    bool ready_ = false;
};

}  // namespace brezzolo::test
