// One whole headless conversion cycle, timed with a one-day history and with ten years of
// five-minute records. The history is read by seeking to the records a cycle needs, so the two
// should cost about the same. A third case makes every cycle write the day's record of
// extremes, as the day's first cycle and every cycle with a new extreme do: that file is
// flushed to the disk, the others are not. Then the same cycle followed by the APRS-IS step,
// with the upload switched off (no aprs-is.brz) and on (a new reading sent to our loopback test
// server after every cycle), and one upload's round trip to that server on its own.

#include <chrono>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "app/cycle.h"
#include "app/main_window_presenter.h"
#include "aprs_is/cycle_upload.h"
#include "aprs_is/session.h"
#include "common/appoggio.h"
#include "common/folder_source.h"
#include "common/main_window_model.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "config/config_file.h"
#include "input/current_data_reader.h"
#include "input/history_file.h"
#include "station_sim/station_sim.h"
#include "support/aprs_is_test_server.h"
#include "web/cycle_web_page.h"

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
    window.markChart(ChartChoice::Pressure);
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
// The web page step alone, after a cycle: web.brz read, the day's and week's samples read from
// the history, the page built and written. With a week of history and with ten years.
void webPage(benchmark::State& state, const std::string& name, double days) {
    const std::string hw = heavyWeatherFolder(name, days);
    const OutputFolder out("web-" + name);
    const std::string configPath = *joinPath(out.path, kConfigFileName);
    if (hw.empty() ||
        !rewriteTextFile(*joinPath(out.path, "web.brz"), {"enabled=1", "folder=" + out.path})) {
        state.SkipWithError("cannot prepare the folders");
        return;
    }
    const StationReading reading = readStationReading(*joinPath(hw, "currdat.lst"), " 0");
    MainWindowModel window = startupWindowModel();
    CycleWebPage step(configPath);
    const std::string history = *joinPath(hw, kDefaultHistoryFileName);
    for (auto _ : state) {
        std::ostringstream notes;
        step.afterCycle(window, reading, history, "31/05/2024 18:00:30", notes);
        benchmark::DoNotOptimize(notes);
    }
    if (!step.status().starts_with("Pagina scritta")) {
        state.SkipWithError(step.status().c_str());
    }
}
BENCHMARK_CAPTURE(webPage, one_week_history, std::string("one-week"), 7.5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(webPage, ten_year_history, std::string("ten-years"), 3652.5)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(cycle, one_day_history_writing_the_days_record, std::string("one-day"), 1.0, true)
    ->Unit(benchmark::kMicrosecond);

std::string twoDigits(long long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

enum class UploadStep { None, Off, OnNotDue, OnSending };

// The one-day cycle and the APRS-IS step after it, as brezzolo-headless runs them: without the
// step (the cycle alone, for comparison), with the upload switched off (no aprs-is.brz) and
// switched on. Switched on, most cycles find the interval not yet over (OnNotDue: the clock
// stands still after the first upload); in OnSending every iteration offers a reading with a
// new time under a clock moved on by the interval, so each one starts an upload. The time
// taken is the cycle's and the step's, measured by hand: the wait for the upload's end is not
// counted, since the cycle does not wait for it either (the worker thread's own cost is the
// round trip below). Without `timeCycle` only the step is timed, after one cycle that gives
// it the reading: the step's own cost, which the cycle's spread would hide.
void cycleWithUpload(benchmark::State& state, UploadStep step, bool timeCycle) {
    const std::string hw = heavyWeatherFolder("one-day", 1.0);
    if (hw.empty()) {
        state.SkipWithError("cannot generate the Heavy Weather folder");
        return;
    }
    const OutputFolder out("upload-" + std::to_string(static_cast<int>(step)));
    const std::string configPath = *joinPath(out.path, kConfigFileName);
    writeConfig({"1", "2", "1", hw, out.path, kDefaultHistoryFileName}, configPath);
    test::AprsIsTestServer server;
    if (step == UploadStep::OnNotDue || step == UploadStep::OnSending) {
        rewriteTextFile(*joinPath(out.path, kAprsIsSettingsFileName),
                        {"enabled=1", "callsign=IZ0ABC-13", "passcode=12345",
                         "server=127.0.0.1:" + std::to_string(server.port()), "latitude=41.8917",
                         "longitude=12.4883", "interval=5"});
    }

    auto now = std::chrono::system_clock::now();
    UploaderOptions options;
    options.clock = [&now] { return now; };
    CycleUpload upload(configPath, options);
    std::ostringstream messages;

    Appoggio store;
    MainWindowModel window = startupWindowModel();
    window.markChart(ChartChoice::Pressure);
    const FixedFolders folders(hw, kDefaultHistoryFileName);
    CycleEnvironment env{store, window, folders, configPath};
    long long uploads = 0;
    long long i = 0;
    if (!timeCycle) {
        runConversionCycle(env);
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (timeCycle) {
            runConversionCycle(env);
        }
        if (step != UploadStep::None) {
            if (env.lastReading) {
                env.lastReading->reading.hour = twoDigits(i / 3600 % 24);
                env.lastReading->reading.minute = twoDigits(i / 60 % 60);
                env.lastReading->reading.second = twoDigits(i % 60);
            }
            upload.afterCycle(env.lastReading, messages);
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        ++i;
        if (upload.uploader().busy()) {
            ++uploads;
            upload.finish(true, messages);
        }
        if (step == UploadStep::OnSending) {
            now += std::chrono::minutes(5);
        }
    }
    if (step == UploadStep::OnSending &&
        (uploads != i || server.packets().size() != static_cast<std::size_t>(i) ||
         !messages.str().empty())) {
        state.SkipWithError(("not every cycle sent its packet: " + messages.str()).c_str());
    }
    state.counters["uploads"] = static_cast<double>(uploads);
}

BENCHMARK_CAPTURE(cycleWithUpload, cycle_alone, UploadStep::None, true)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(cycleWithUpload, upload_off, UploadStep::Off, true)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(cycleWithUpload, upload_on_not_due, UploadStep::OnNotDue, true)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(cycleWithUpload, upload_on_sending, UploadStep::OnSending, true)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(cycleWithUpload, step_alone_off, UploadStep::Off, false)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(cycleWithUpload, step_alone_on_not_due, UploadStep::OnNotDue, false)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(cycleWithUpload, step_alone_on_sending, UploadStep::OnSending, false)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

// One upload from the connection to the close, on the loopback address: what the worker
// thread spends, beside the cycle.
void uploadRoundTrip(benchmark::State& state) {
    test::AprsIsTestServer server;
    AprsIsSettings settings;
    settings.enabled = true;
    settings.callsign = "IZ0ABC-13";
    settings.passcode = 12345;
    settings.host = "127.0.0.1";
    settings.port = server.port();
    const std::string packet =
        "IZ0ABC-13>APZBRZ,TCPIP*:/051205z4153.50N/01229.30E_270/004g...t070r001p006P006h55b10132";
    for (auto _ : state) {
        if (!sendAprsIsPacket(settings, packet).ok) {
            state.SkipWithError("the test server did not take the packet");
            break;
        }
    }
}

BENCHMARK(uploadRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
