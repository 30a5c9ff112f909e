#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brezzolo::test {

// The simulated WS23xx console on a serial line (brezzolo-station-sim --serial), with the Heavy
// Weather files of the same weather beside it, for tests that read the station over the cable.
// The faults it plays are switched through its control file.
class SerialStation {
  public:
    // The simulator's arguments besides its folder, port and control file.
    static std::vector<std::string> weatherArguments();

    // On POSIX starts the simulator in `folder` and waits for its pseudo-terminal. Under Wine,
    // which cannot start it, takes the one scripts/test-windows started with the same
    // weatherArguments() and mapped to a COM port: the environment variable
    // BREZZOLO_TEST_STATION names "heavy weather folder|port|control file".
    SerialStation(const std::string& simulator, const std::string& folder);
    ~SerialStation();
    SerialStation(const SerialStation&) = delete;
    SerialStation& operator=(const SerialStation&) = delete;

    bool ready() const { return !port_.empty(); }
    const std::string& port() const { return port_; }
    // Where the simulator keeps currdat.lst and history.dat of the weather it plays.
    const std::string& heavyWeatherFolder() const { return heavyWeatherFolder_; }
    // The faults in force from now on, one a line as the simulator's --fault takes them;
    // none clears them. The simulator looks at its control file ten times a second.
    void setFaults(const std::vector<std::string>& faults);

  private:
    std::string port_;
    std::string heavyWeatherFolder_;
    std::string controlFile_;
    std::intptr_t process_ = -1;
    int faultChanges_ = 0;
};

}  // namespace brezzolo::test
