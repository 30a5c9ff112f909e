// The time from starting a window program to its first cycle's report: the program starts in a
// folder with config.brz over a simulated station, its Timer1 runs the first cycle 100 ms after
// the start, and the clock stops when my_meteo.txt appears in the output folder (it is written
// beside and renamed over, so it appears whole). The program is then killed and the report
// removed for the next start; the day's records it wrote stay, as after a restart. The counter
// program_cpu_ms is the processor time the program's process took until then: on a busy machine
// the wall time also measures the waiting for a core, this does not.
//
//   brezzolo_startup_benchmark --program=PATH [--launcher=PROGRAM] [--name=NAME]
//                              --folder=DIR [Google Benchmark flags]
//
// --launcher runs the program through another one: "wine" for brezzolo.exe, whose config.brz
// then names the folders as Windows sees them (Z: is the Linux root). DIR receives the station
// (hw), the output folder (out) and config.brz. One start, untimed, comes first, so that every
// timed start finds the files in the cache and Wine's server running. Run by
// benchmarks/startup-time; the figures are in docs/performance.md.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "program_launch.h"
#include "station_sim/station_sim.h"

namespace {

using namespace brezzolo;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = std::chrono::seconds(60);
constexpr auto kSettle = std::chrono::milliseconds(500);

struct Setup {
    std::string program;
    std::string launcher;
    std::string name;
    fs::path folder;

    fs::path report() const { return folder / "out" / "my_meteo.txt"; }
    std::vector<std::string> commandLine() const {
        std::vector<std::string> line;
        if (!launcher.empty()) {
            line.push_back(launcher);
        }
        line.push_back(program);
        return line;
    }
};

// A folder as the program's system names it: Wine shows the Linux root as drive Z:.
std::string systemPath(const Setup& setup, const fs::path& path) {
    std::string text = path.string();
    if (setup.launcher.ends_with("wine")) {
        std::replace(text.begin(), text.end(), '/', '\\');
        text = "Z:" + text;
    }
    return text;
}

// A station with a day of five-minute history up to now, the output folder and config.brz
// (report mode 1, relative pressure, pressure chart).
bool prepareFolder(const Setup& setup) {
    const fs::path hw = setup.folder / "hw";
    const fs::path out = setup.folder / "out";
    fs::create_directories(out);
    sim::GenerationOptions options;
    options.seed = 2024;
    options.days = 1;
    options.intervalMinutes = 5;
    options.start = sim::civilTimeAt(sim::minuteOf(sim::localNow()) - 24 * 60);
    if (!sim::generateFolder(hw.string(), options)) {
        return false;
    }
    const std::string separator = setup.launcher.ends_with("wine") ? "\\" : "/";
    std::ofstream config(setup.folder / "config.brz", std::ios::binary);
    config << "1\r\n1\r\n1\r\n"
           << systemPath(setup, hw) << separator << "\r\n"
           << systemPath(setup, out) << "\r\nhistory.dat\r\n";
    return static_cast<bool>(config);
}

struct StartFigures {
    Clock::duration wall{};
    double programCpuSeconds = 0;  // the program's own processor time, user and system
};

// Starts the program and waits for its report, then ends it. What it took, or nothing (with
// the reason).
std::optional<StartFigures> startToReport(const Setup& setup, std::string& failure) {
    std::error_code ignored;
    fs::remove(setup.report(), ignored);
    const auto start = Clock::now();
    bench::LaunchedProgram program(setup.commandLine(), setup.folder.string());
    if (!program.started()) {
        failure = "cannot start " + setup.program;
        return std::nullopt;
    }
    while (!fs::exists(setup.report(), ignored)) {
        if (program.ended()) {
            failure = setup.program + " ended before its first report";
            return std::nullopt;
        }
        if (Clock::now() - start > kTimeout) {
            failure = "no report within 60 s";
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto wall = Clock::now() - start;
    program.stop();
    return StartFigures{.wall = wall, .programCpuSeconds = program.cpuSeconds()};
}

void startup(benchmark::State& state, const Setup& setup) {
    for (auto _ : state) {
        std::string failure;
        const auto figures = startToReport(setup, failure);
        if (!figures) {
            state.SkipWithError(failure.c_str());
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(figures->wall).count());
        // Under Wine this is the Windows program's process, without Wine's server.
        state.counters["program_cpu_ms"] = figures->programCpuSeconds * 1000;
        // The killed program's teardown (under Wine the server's and the desktop's part of it)
        // ends before the next start, as it would have long ended before a user's next start.
        std::this_thread::sleep_for(kSettle);
    }
}

std::optional<std::string> option(std::string_view argument, std::string_view name) {
    if (argument.starts_with(name) && argument.substr(name.size()).starts_with('=')) {
        return std::string(argument.substr(name.size() + 1));
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Setup setup;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (auto value = option(argument, "--program")) {
            setup.program = *value;
        } else if (auto launcher = option(argument, "--launcher")) {
            setup.launcher = *launcher;
        } else if (auto name = option(argument, "--name")) {
            setup.name = *name;
        } else if (auto folder = option(argument, "--folder")) {
            setup.folder = fs::absolute(*folder);
        } else {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    if (setup.program.empty() || setup.folder.empty()) {
        std::fprintf(stderr,
                     "usage: %s --program=PATH [--launcher=PROGRAM] [--name=NAME] --folder=DIR "
                     "[benchmark flags]\n",
                     argv[0]);
        return 2;
    }
    if (setup.name.empty()) {
        setup.name = fs::path(setup.program).filename().string();
    }
    if (!prepareFolder(setup)) {
        std::fprintf(stderr, "cannot prepare the station in %s\n", setup.folder.c_str());
        return 1;
    }
    std::string failure;
    if (!startToReport(setup, failure)) {
        std::fprintf(stderr, "the untimed first start failed: %s\n", failure.c_str());
        return 1;
    }
    std::this_thread::sleep_for(kSettle);

    benchmark::RegisterBenchmark(("startup/" + setup.name).c_str(), startup, setup)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics(
            "min",
            [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) {
            return *std::max_element(v.begin(), v.end());
        });
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
