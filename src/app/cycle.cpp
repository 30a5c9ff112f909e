#include "app/cycle.h"

#include "app/timer_rules.h"
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

enum class Next { Continue, EndCycle };

// A stage of the cycle. Each runs as one statement: a failure ends only that stage and the
// next one runs. Only the test for currdat.lst can end the cycle early.
using Stage = Next (*)(CycleRun&);

Next historyCheck(CycleRun& r) {
    checkHistory(r.env.folders.heavyWeatherFolder(), r.env.folders.historyFileName(), r.env.store);
    return Next::Continue;
}

// The cycle's order.
constexpr Stage kStages[] = {
    // The day's extremes and rain baseline from the history file, before anything else.
    historyCheck,
    // The one check before work: without currdat.lst the cycle ends here. The timer is
    // re-armed either way.
    [](CycleRun& r) {
        const std::string folder = r.env.folders.heavyWeatherFolder();
        const auto source = joinPath(folder, kCurrentDataFileName);
        const auto copy = joinPath(folder, kCurrentDataCopyName);
        applyTimerRule(r.env.window.Timer1, TimerEvent::CycleRan);
        if (!source || !copy || !fileExists(*source)) {
            return Next::EndCycle;
        }
        r.sourcePath = *source;
        r.copyPath = *copy;
        return Next::Continue;
    },
    // The twelve-hour chart, which also stores the pressure trend class for the tendency.
    [](CycleRun& r) {
        redrawChart(r.env);
        return Next::Continue;
    },
    // Heavy Weather may rewrite currdat.lst at any moment: the cycle reads its own copy, so
    // the whole cycle sees one reading.
    [](CycleRun& r) {
        renewFileCopy(r.sourcePath, r.copyPath);
        return Next::Continue;
    },
    [](CycleRun& r) {
        r.reading = readStationReading(r.copyPath, r.env.store.Raintoday);
        return Next::Continue;
    },
    [](CycleRun& r) {
        fillConditionsPanel(r.reading, r.env.window);
        return Next::Continue;
    },
    // The settings, read afresh so that a change made in a dialog counts from this cycle on.
    [](CycleRun& r) {
        r.settings = cycleSettings(readConfig(r.env.configPath));
        r.env.window.markChart(r.settings.chartChoice);
        return Next::Continue;
    },
    [](CycleRun& r) {
        r.forecastText = applyTendencyAndForecast(r.reading, r.env.store, r.env.window);
        return Next::Continue;
    },
    // my_meteo.txt, with the local situation, and the report in the window. The reading
    // reported is kept for the APRS-IS upload that follows the cycle.
    [](CycleRun& r) {
        r.env.lastReading =
            ReportedReading{r.reading, rainSinceMidnightMm(r.reading, r.env.store.Raintoday)};
        writeAprsReport(r.reading, r.settings, r.forecastText, r.env.store, r.env.window);
        return Next::Continue;
    },
    [](CycleRun& r) {
        showWarnings(r.reading, r.env.window);
        return Next::Continue;
    },
    // Again, so that the day's records below see this reading's extremes.
    historyCheck,
    [](CycleRun& r) {
        updateDailyExtremes(r.reading, r.env.store, r.settings.outputFolder, r.env.window);
        return Next::Continue;
    },
    [](CycleRun& r) {
        writeExportFiles(r.reading, r.settings.outputFolder);
        return Next::Continue;
    },
};

}  // namespace

CycleOutcome runConversionCycle(CycleEnvironment& env) {
    CycleRun run{env, {}, {}, {}, {}, {}};
    env.lastReading.reset();
    for (const Stage stage : kStages) {
        Next next = Next::Continue;
        runStatement([&] { next = stage(run); });
        if (next == Next::EndCycle) {
            return CycleOutcome::SourceMissing;
        }
    }
    return CycleOutcome::Completed;
}

void redrawChart(CycleEnvironment& env) {
    runStatement([&] {
        drawTwelveHourChart(env.folders.heavyWeatherFolder(), env.folders.historyFileName(),
                            env.window, env.store);
    });
}

}  // namespace brezzolo
