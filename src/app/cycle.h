#pragma once

#include <optional>
#include <string>

#include "aprs_is/packet.h"
#include "common/appoggio.h"
#include "common/folder_source.h"
#include "common/main_window_model.h"
#include "config/config_file.h"

namespace brezzolo {

// What a conversion cycle works on: the scratch store and the window model that outlive it,
// where the folders come from, and the configuration file.
struct CycleEnvironment {
    Appoggio& store;
    MainWindowModel& window;
    const FolderSource& folders;
    std::string configPath = kConfigFileName;
    // The reading the latest cycle reported, for the APRS-IS upload that follows the cycle;
    // empty when that cycle read none.
    std::optional<ReportedReading> lastReading = std::nullopt;
};

enum class CycleOutcome {
    SourceMissing,  // currdat.lst was not found: only the history check ran
    Completed,      // every stage ran (each failure ended only its own statement)
};

// The interval the timer keeps between cycles, in milliseconds.
inline constexpr int kCycleIntervalMs = 61502;

// One conversion cycle, from currdat.lst to the report, the window model and the record files.
// Throws nothing.
CycleOutcome runConversionCycle(CycleEnvironment& env);

// The chart selector: marks the option, stores line 3 of the configuration when it differs,
// and redraws the chart at once. False when the configuration could not be written.
bool selectChart(CycleEnvironment& env, int choice);

}  // namespace brezzolo
