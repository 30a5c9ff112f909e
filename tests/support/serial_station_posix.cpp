#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/serial_station.h"
#include "support/temp_folder.h"

namespace brezzolo::test {

SerialStation::SerialStation(const std::string& simulator, const std::string& folder)
    : heavyWeatherFolder_(folder + "/station"), controlFile_(folder + "/station-faults.txt") {
    const std::string output = folder + "/station-sim.txt";
    std::vector<std::string> words{simulator,           "--serial",  "--folder",
                                   heavyWeatherFolder_, "--control", controlFile_};
    for (const std::string& argument : weatherArguments()) {
        words.push_back(argument);
    }
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::execv(simulator.c_str(), argv.data());
        ::_exit(127);
    }
    process_ = child;
    // "serial: /dev/pts/N" once the history is written and the pseudo-terminal is open.
    for (int i = 0; i < 200 && port_.empty(); ++i) {
        const std::string text = readFileBytes(output);
        const auto start = text.find("serial: ");
        const auto end = text.find('\n', start);
        if (start != std::string::npos && end != std::string::npos) {
            port_ = text.substr(start + 8, end - start - 8);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

SerialStation::~SerialStation() {
    if (process_ > 0) {
        const auto child = static_cast<pid_t>(process_);
        ::kill(child, SIGTERM);
        ::waitpid(child, nullptr, 0);
    }
}

}  // namespace brezzolo::test
