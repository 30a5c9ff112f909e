#include "app/cycle.h"

#include "assessment/aprs_report.h"
#include "assessment/tendency_forecast.h"
#include "assessment/warnings.h"
#include "common/paths.h"
#include "common/run_statement.h"
#include "common/text_file.h"
#include "input/current_data_reader.h"
#include "input/history_check.h"
#include "records/conditions_panel.h"
#include "records/daily_extremes.h"
#include "records/export_files.h"
#include "records/twelve_hour_chart.h"

namespace brezzolo {
namespace {

// What one run carries from stage to stage; built afresh in every run.
struct CycleRun {
    CycleEnvironment& env;
    std::string sourcePath;
    std::string copyPath;
    StationReading reading;
    CycleSettings settings;
    std::string forecastText;
};

void historyCheck(CycleRun& run) {
    checkHistory(run.env.folders.heavyWeatherFolder(), run.env.folders.historyFileName(),
                 run.env.store);
}

// The stages after the existence test, in the cycle's order. Each is one statement under the
// cycle's error rule: a failure ends only that stage and the next one runs.
struct Stage {
    const char* name;
    void (*run)(CycleRun&);
};

constexpr Stage kStages[] = {
    {"copy currdat.lst", [](CycleRun& r) { renewFileCopy(r.sourcePath, r.copyPath); }},
    {"station reading",
     [](CycleRun& r) { r.reading = readStationReading(r.copyPath, r.env.store.Raintoday); }},
    {"conditions panel", [](CycleRun& r) { fillConditionsPanel(r.reading, r.env.window); }},
    {"configuration",
     [](CycleRun& r) {
         r.settings = cycleSettings(readConfig(r.env.configPath));
         r.env.window.markChart(r.settings.chartChoice);
     }},
    {"tendency and forecast",
     [](CycleRun& r) {
         r.forecastText = applyTendencyAndForecast(r.reading, r.env.store, r.env.window);
     }},
    {"APRS report",
     [](CycleRun& r) {
         writeAprsReport(r.reading, r.settings, r.forecastText, r.env.store, r.env.window);
     }},
    {"warnings", [](CycleRun& r) { showWarnings(r.reading, r.env.window); }},
    {"history check, again", historyCheck},
    {"daily extremes",
     [](CycleRun& r) {
         updateDailyExtremes(r.reading, r.env.store, r.settings.outputFolder, r.env.window);
     }},
    {"export files", [](CycleRun& r) { writeExportFiles(r.reading, r.settings.outputFolder); }},
};

}  // namespace

CycleOutcome runConversionCycle(CycleEnvironment& env) {
    CycleRun run{env, {}, {}, {}, {}, {}};

    // 1. The day's extremes and rain baseline, before anything else.
    runStatement([&] { historyCheck(run); });

    // 2-3. The paths, and the one check before work: no currdat.lst, no run. The timer keeps
    // going so that a program started before Heavy Weather picks the file up once it appears.
    const std::string folder = env.folders.heavyWeatherFolder();
    const auto source = joinPath(folder, kCurrentDataFileName);
    const auto copy = joinPath(folder, kCurrentDataCopyName);
    env.window.Timer1.Interval = kCycleIntervalMs;
    env.window.Timer1.Enabled = true;
    if (!source || !copy || !fileExists(*source)) {
        return CycleOutcome::SourceMissing;
    }
    run.sourcePath = *source;
    run.copyPath = *copy;

    // 5. The chart, which also stores the 12-hour trend class for the tendency stage.
    runStatement(
        [&] { drawTwelveHourChart(folder, env.folders.historyFileName(), env.window, env.store); });

    // 6. The station type is fixed ("WS23xx", written by the report).
    // 7. From here on every stage runs, whatever the one before it did.
    for (const Stage& stage : kStages) {
        runStatement([&] { stage.run(run); });
    }
    return CycleOutcome::Completed;
}

bool selectChart(CycleEnvironment& env, int choice) {
    env.window.markChart(choice);
    const bool stored = storeChartChoice(choice, env.configPath);
    runStatement([&] {
        drawTwelveHourChart(env.folders.heavyWeatherFolder(), env.folders.historyFileName(),
                            env.window, env.store);
    });
    return stored;
}

}  // namespace brezzolo
