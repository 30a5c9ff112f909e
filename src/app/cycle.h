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

// One conversion cycle, from currdat.lst to the report, the window model and the record files.
// Throws nothing.
CycleOutcome runConversionCycle(CycleEnvironment& env);

// Redraws the twelve-hour chart from the history file, as the chart selector does between
// cycles. Throws nothing.
void redrawChart(CycleEnvironment& env);

}  // namespace brezzolo
