#include <chrono>
#include <string>
#include <thread>

#include "support/serial_station.h"
#include "support/temp_folder.h"

namespace brezzolo::test {

std::vector<std::string> SerialStation::weatherArguments() {
    // Six hours of five-minute records, well within the console's ring of 175; the weather hardly
    // moves during a test (a simulated minute every 100 real ones), and answers come at once.
    return {"--seed", "3",       "--start", "2026-01-30 16:00", "--days", "0.25", "--interval",
            "5",      "--speed", "0.01",    "--baud",           "0"};
}

void SerialStation::setFaults(const std::vector<std::string>& faults) {
    // A comment that changes every time makes the simulator take the same faults again.
    std::string text = "# change " + std::to_string(++faultChanges_) + "\n";
    for (const std::string& fault : faults) {
        text += fault + "\n";
    }
    writeFileBytes(controlFile_, text);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

}  // namespace brezzolo::test
