// One whole headless conversion cycle, timed with a one-day history and with ten years of
// five-minute records. The history is read by seeking to the records a cycle needs, so the two
// should cost about the same.

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "app/main_window_presenter.h"
#include "common/appoggio.h"
#include "app/cycle.h"
#include "common/folder_source.h"
#include "common/main_window_model.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "config/config_file.h"
#include "input/history_file.h"
#include "station_sim/station_sim.h"

namespace {

using namespace brezzolo;
namespace fs = std::filesystem;

constexpr int kIntervalMinutes = 5;

// Both histories end at the same time of day, so the day's window is the same length.
const sim::CivilTime kEnd{2024, 5, 31, 18, 0, 0};

// The Heavy Weather folder for a history of `days`, generated once under the build tree and
// reused while its history has the expected length.
std::string heavyWeatherFolder(const std::string& name, double days) {
    const std::string folder = fromFsPath(fs::path(BREZZOLO_BENCHMARK_DATA) / name);
    const auto steps = static_cast<std::int64_t>(std::floor(days * 1440)) / kIntervalMinutes;
    const auto expectedSize = static_cast<std::uintmax_t>(steps + 1) * kHistoryRecordSize;
    std::error_code error;
    if (fs::file_size(toFsPath(*joinPath(folder, kDefaultHistoryFileName)), error) ==
            expectedSize &&
        !error && fileExists(*joinPath(folder, "currdat.lst"))) {
        return folder;
    }
    sim::GenerationOptions options;
    options.seed = 2024;
    options.days = days;
    options.intervalMinutes = kIntervalMinutes;
    options.start = sim::civilTimeAt(sim::minuteOf(kEnd) - steps * kIntervalMinutes);
    if (!sim::generateFolder(folder, options)) {
        return {};
    }
    return folder;
}

// An output folder of its own under the system's temporary folder, removed afterwards.
struct OutputFolder {
    std::string path;
    explicit OutputFolder(const std::string& name) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const fs::path folder =
            fs::temp_directory_path() / ("brezzolo-bench-" + name + "-" + std::to_string(stamp));
        fs::create_directories(folder);
        path = fromFsPath(folder);
    }
    ~OutputFolder() {
        std::error_code ignored;
        fs::remove_all(toFsPath(path), ignored);
    }
};

void cycle(benchmark::State& state, const std::string& name, double days) {
    const std::string hw = heavyWeatherFolder(name, days);
    if (hw.empty()) {
        state.SkipWithError("cannot generate the Heavy Weather folder");
        return;
    }
    const OutputFolder out(name);
    const std::string configPath = *joinPath(out.path, kConfigFileName);
    if (!writeConfig({"1", "2", "1", hw, out.path, kDefaultHistoryFileName}, configPath)) {
        state.SkipWithError("cannot write config.brz");
        return;
    }

    Appoggio store;
    MainWindowModel window = startupWindowModel();
    window.markChart(ChartChoice::Pressure);
    const FixedFolders folders(hw, kDefaultHistoryFileName);
    CycleEnvironment env{store, window, folders, configPath};
    for (auto _ : state) {
        benchmark::DoNotOptimize(runConversionCycle(env));
    }
    // A cycle that skipped the history would measure nothing worth knowing.
    if (store.Tmin == "Tmin" || store.statopress == "StatoPress" || window.Text1.empty()) {
        state.SkipWithError("the cycle did not read the history or write the report");
    }
    const auto records =
        fs::file_size(toFsPath(*joinPath(hw, kDefaultHistoryFileName))) / kHistoryRecordSize;
    state.counters["records"] = static_cast<double>(records);
}

BENCHMARK_CAPTURE(cycle, one_day_history, std::string("one-day"), 1.0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(cycle, ten_year_history, std::string("ten-years"), 3652.5)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
