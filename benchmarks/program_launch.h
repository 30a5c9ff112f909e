#pragma once

#include <string>
#include <vector>

namespace brezzolo::bench {

// A program started by the benchmark in a working folder of its own, its output thrown away.
// Ended (killed) when the object goes.
class LaunchedProgram {
  public:
    // commandLine[0] is looked up on the PATH. Check started() afterwards.
    LaunchedProgram(const std::vector<std::string>& commandLine, const std::string& folder);
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    bool started() const { return id_ > 0; }
    // True once the program has ended by itself.
    bool ended();
    // Ends the program (kills it when it still runs) and waits for it.
    void stop();
    // The processor time, user and system, that the program took; known once it has ended.
    double cpuSeconds() const { return cpuSeconds_; }

  private:
    long id_ = -1;
    bool ended_ = false;
    double cpuSeconds_ = 0;
};

}  // namespace brezzolo::bench
