// One whole headless conversion cycle, timed with a one-day history and with ten years of
// five-minute records. The history is read by seeking to the records a cycle needs, so the two
// should cost about the same. A third case makes every cycle write the day's record of
// extremes, as the day's first cycle and every cycle with a new extreme do: that file is
// flushed to the disk, the others are not.

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "app/cycle.h"
#include "common/appoggio.h"
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

// Removes the day's record of extremes ("MM" + date + ".brz") from the output folder.
void removeDayRecords(const std::string& outputFolder) {
    for (const auto& entry : fs::directory_iterator(toFsPath(outputFolder))) {
        const std::string file = fromFsPath(entry.path().filename());
        if (file.starts_with("MM") && file.ends_with(".brz")) {
            fs::remove(entry.path());
        }
    }
}

void cycle(benchmark::State& state, const std::string& name, double days,
           bool writeDayRecord = false) {
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
    window.markChart(1);
    const FixedFolders folders(hw, kDefaultHistoryFileName);
    CycleEnvironment env{store, window, folders, configPath};
    for (auto _ : state) {
        if (writeDayRecord) {
            state.PauseTiming();
            removeDayRecords(out.path);
            state.ResumeTiming();
        }
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
BENCHMARK_CAPTURE(cycle, one_day_history_writing_the_days_record, std::string("one-day"), 1.0, true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
