#include <cmath>
#include <filesystem>
#include <limits>

#include "common/paths.h"
#include "station_sim/station_sim.h"

namespace brezzolo::sim {
namespace {

// A record's time is a signed 32-bit count of seconds.
bool fitsRecordTime(std::int64_t minute) {
    const std::int64_t seconds = minute * 60;
    return seconds >= std::numeric_limits<std::int32_t>::min() &&
           seconds <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

std::optional<GeneratedFolder> generateFolder(const std::string& folder,
                                              const GenerationOptions& options) {
    if (options.intervalMinutes < 1 || !std::isfinite(options.days) || options.days < 0 ||
        options.days > 100000) {
        return std::nullopt;
    }
    const auto totalMinutes = static_cast<std::int64_t>(std::floor(options.days * 1440));
    const std::int64_t steps = totalMinutes / options.intervalMinutes;
    const std::int64_t first = minuteOf(options.start);
    const std::int64_t last = first + steps * options.intervalMinutes;
    if (!fitsRecordTime(first) || !fitsRecordTime(last)) {
        return std::nullopt;
    }
    const auto historyPath = joinPath(folder, kDefaultHistoryFileName);
    if (!historyPath) {
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::create_directories(toFsPath(folder), error);

    // Records are turned into bytes as they come: ten years at five minutes is about a million
    // records, 38 MB, written in one go.
    StationSimulator simulator(options.seed, first);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(steps + 1) * kHistoryRecordSize);
    for (std::int64_t k = 0; k <= steps; ++k) {
        while (simulator.minute() < first + k * options.intervalMinutes) {
            simulator.advance();
        }
        const HistoryRecordBytes record = encodeHistoryRecord(simulator.historyRecord());
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    const CurrentConditions latest = simulator.conditions();
    if (!writeHistoryBytes(*historyPath, bytes) || !writeCurrentData(folder, latest)) {
        return std::nullopt;
    }
    return GeneratedFolder{steps + 1, latest, simulator};
}

}  // namespace brezzolo::sim
