#pragma once

// brezzolo-station-sim --serial: the console behind a serial line. The weather model, the
// console's memory and (optionally) the Heavy Weather folder all come from the same quantised
// conditions, so a program reading the line and one reading the files see the same station.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "station_sim/memory_image.h"
#include "station_sim/station_sim.h"

namespace brezzolo::sim {

struct SerialWorld {
    StationSimulator simulator;
    std::int64_t firstMinute = 0;
    int intervalMinutes = 5;
    std::int64_t records = 0;  // taken since the first; the first went to ring index 1
    std::int64_t newestRecordMinute = 0;
    CurrentConditions current{};  // quantised
    StationMemory memory{};
};

// The history record Heavy Weather stores for quantised conditions.
HistoryRecord historyRecordOf(const CurrentConditions& quantised);

// The world over the given days of history, a record every interval, the last one at the
// reading's minute, as generateFolder does. With `history`, the Heavy Weather records too.
// Nothing when the options are out of range.
std::optional<SerialWorld> startSerialWorld(const GenerationOptions& options,
                                            std::vector<HistoryRecord>* history);

// One minute on; true when a record was taken at this minute.
bool advanceSerialWorld(SerialWorld& world);

// Serves the station on a new pty until `stop` is set: prints "serial: PATH" on standard
// output once ready. The exit status.
int runSerialStation(const SimOptions& options, const std::atomic<bool>& stop);

}  // namespace brezzolo::sim
