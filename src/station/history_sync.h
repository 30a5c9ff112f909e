#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/civil_time.h"
#include "input/history_file.h"
#include "station/station_values.h"
#include "station/ws23xx_reader.h"

namespace brezzolo {

// The history file as a mirror of the station's own history ring: the records the ring holds
// and the file lacks are appended, oldest first, each once and in order. Record times are
// seconds from 2000-01-01 00:00 on the station's clock (the origin the station simulator uses
// too), so the records lie one interval apart: the k-th before the newest is newestTime minus
// k intervals.

inline constexpr double kRainPerTipMm = 0.518;
inline constexpr int kRainCounterModulus = 4096;  // the tip counter has 12 bits

// Seconds from 2000-01-01 00:00 of a wall-clock time (negative before).
std::int64_t historySeconds(const CivilTime& time);

// What the end of the history file holds.
struct HistoryFileState {
    std::uint64_t length = 0;                    // bytes
    std::optional<std::int32_t> lastTime;        // of the last whole record
    std::optional<std::int32_t> spacingSeconds;  // from the record before it to the last one

    std::uint64_t wholeRecords() const { return length / kHistoryRecordSize; }
    // A record cut short by a crash in the middle of a write.
    bool partialRecord() const { return length % kHistoryRecordSize != 0; }
};

// A missing file is an empty one; nothing when the file is there but cannot be read.
std::optional<HistoryFileState> readHistoryFileState(const std::string& path);

enum class HistorySyncProblem {
    None,
    BadHeader,        // the station's history header holds impossible numbers
    IntervalChanged,  // the station's interval differs from the file's spacing: nothing appended
    FileAhead,        // the file's last record is newer than the station's newest
    ReadFailed,       // the header or the records could not be read from the station
    FileError,        // the file could not be read, cut or appended to
};

// Which records to read from the station's ring.
struct HistoryPlan {
    std::vector<int> indexes;     // ring indexes, oldest first; the last is the newest
    std::int64_t newestTime = 0;  // seconds from 2000-01-01 of the newest record
    std::int64_t intervalSeconds = 0;
    HistorySyncProblem problem = HistorySyncProblem::None;
};

// The records the file lacks: those newer than its last one by more than half an interval (so
// a newest time worked out from the PC's clock, which may be a minute off, never writes a record
// twice), at most the ring's valid records, all of them for an empty file. When the ring is full
// and its oldest record is about to be overwritten (the next record due within a minute) the
// oldest is left out. The newest record's time is the station's own when it has one, else the
// PC's local time `pcNow` less the time since it was taken (the interval less the minutes until
// the next record, as the header's countdown gives them). A file whose last two records lie
// more than a minute further or closer apart than the station's interval is not appended to:
// the readers take the spacing from the file's end and count back by it, and mixed spacings
// would put the day's first record in the wrong place. The user decides (the console's
// interval back, or the old file put aside).
HistoryPlan planHistorySync(const HistoryFileState& file, const StationHistoryHeader& header,
                            const CivilTime& pcNow);

// The ring's records in the file's layout, in the plan's order. The rain total of each comes
// from the station's current total less the tips counted since that record up to the newest
// (the counter taken modulo 4096), so the newest record carries the current total.
std::vector<HistoryRecord> historyRecords(const HistoryPlan& plan,
                                          const std::vector<StationHistoryRecord>& records,
                                          double currentRainTotal);

// Appends the records in a single write and flushes them, creating the file when missing.
bool appendHistoryRecords(const std::string& path, const std::vector<HistoryRecord>& records);

struct HistorySyncOutcome {
    int appended = 0;
    bool cutPartialRecord = false;
    HistorySyncProblem problem = HistorySyncProblem::None;
    std::string problemText;  // Italian, for the status line; empty when none
};

using HistoryRecordsRead =
    std::function<StationRead<std::vector<StationHistoryRecord>>(const std::vector<int>&)>;

// One pass: the file's end, a partial record cut off (it was never whole, and the ring still
// holds it, so it is read again), the plan, the station's records, one append.
HistorySyncOutcome syncHistory(const std::string& path, const StationHistoryHeader& header,
                               const HistoryRecordsRead& readRecords, double currentRainTotal,
                               const CivilTime& pcNow);

}  // namespace brezzolo
