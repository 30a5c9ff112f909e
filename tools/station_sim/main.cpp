// brezzolo-station-sim: writes a Heavy Weather folder from simulated weather, and with
// --follow keeps it going like a station on a running PC; with --serial it plays the station's
// console on a serial line (a pty).

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <iostream>
#include <thread>

#include "common/paths.h"
#include "station_sim/serial_mode.h"
#include "station_sim/station_sim.h"
#include "version.h"

namespace {

using namespace brezzolo;
using namespace brezzolo::sim;

std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) {
    stopRequested = true;
}

// Waits until `until`, waking early when a stop is requested.
void waitUntil(std::chrono::steady_clock::time_point until) {
    while (!stopRequested && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// A new reading every real minute and a record every interval, until interrupted.
int follow(const std::string& folder, const SimOptions& options, std::int64_t firstMinute,
           StationSimulator& simulator) {
    const auto historyPath = *joinPath(folder, kDefaultHistoryFileName);
    auto next = std::chrono::steady_clock::now();
    for (;;) {
        next += std::chrono::minutes(1);
        waitUntil(next);
        if (stopRequested) {
            return 0;
        }
        simulator.advance();
        if (!writeCurrentData(folder, simulator.conditions())) {
            std::cerr << "cannot write currdat.lst in " << folder << "\n";
            return 1;
        }
        if ((simulator.minute() - firstMinute) % options.intervalMinutes == 0 &&
            !appendHistory(historyPath, {simulator.historyRecord()})) {
            std::cerr << "cannot append to " << historyPath << "\n";
            return 1;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << kSimUsage;
        return 2;
    }
    if (options->help) {
        std::cout << kSimUsage;
        return 0;
    }
    if (options->version) {
        std::cout << "brezzolo-station-sim " << version::dotted << "\n";
        return 0;
    }
    if (options->serial) {
        std::signal(SIGINT, requestStop);
        std::signal(SIGTERM, requestStop);
        return runSerialStation(*options, stopRequested);
    }

    GenerationOptions generation;
    generation.seed = options->seed;
    generation.days = options->days;
    generation.intervalMinutes = options->intervalMinutes;
    generation.start = options->start.value_or(civilTimeAt(
        minuteOf(localNow()) - static_cast<std::int64_t>(std::floor(options->days * 1440))));

    auto generated = generateFolder(options->folder, generation);
    if (!generated) {
        std::cerr << "cannot write the Heavy Weather folder " << options->folder
                  << " (or the times do not fit the history's 32-bit seconds)\n";
        return 1;
    }
    std::cout << "wrote " << generated->recordCount << " history records and currdat.lst ("
              << headerTime(generated->latest.time) << ") to " << options->folder << "\n"
              << std::flush;
    if (!options->follow) {
        return 0;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    return follow(options->folder, *options, minuteOf(generation.start), generated->simulator);
}
