#include "station/history_sync.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "common/paths.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

constexpr std::int64_t kSecondsPerMinute = 60;
// How far the file's spacing may differ from the station's interval: a newest time taken from
// the PC's clock may be a minute off.
constexpr std::int64_t kSpacingSlackSeconds = 60;

std::string minutesText(std::int64_t seconds) {
    return std::to_string(seconds / kSecondsPerMinute) + " min";
}

bool validHeader(const StationHistoryHeader& h) {
    return h.intervalMinutes >= 1 && h.newestIndex >= 0 &&
           h.newestIndex < kStationHistoryCapacity && h.count >= 0 &&
           h.count <= kStationHistoryCapacity && h.minutesToNext >= 0;
}

bool validDate(const CivilTime& t) {
    const std::chrono::year_month_day date{std::chrono::year{t.year},
                                           std::chrono::month{static_cast<unsigned>(t.month)},
                                           std::chrono::day{static_cast<unsigned>(t.day)}};
    return date.ok() && t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60;
}

HistorySyncOutcome failed(HistorySyncProblem problem, std::string text) {
    HistorySyncOutcome outcome;
    outcome.problem = problem;
    outcome.problemText = "storico non aggiornato: " + std::move(text);
    return outcome;
}

}  // namespace

std::int64_t historySeconds(const CivilTime& time) {
    using namespace std::chrono;
    const sys_days day{year{time.year} / month{static_cast<unsigned>(time.month)} /
                       std::chrono::day{static_cast<unsigned>(time.day)}};
    const sys_days origin{year{2000} / January / 1};
    return static_cast<std::int64_t>((day - origin).count()) * 86400 + time.hour * 3600 +
           time.minute * kSecondsPerMinute + time.second;
}

std::optional<HistoryFileState> readHistoryFileState(const std::string& path) {
    HistoryFileState state;
    std::error_code error;
    const auto fsPath = toFsPath(path);
    if (!std::filesystem::exists(fsPath, error)) {
        return error ? std::nullopt : std::optional(state);
    }
    auto reader = HistoryReader::open(path);
    if (!reader) {
        return std::nullopt;
    }
    state.length = std::filesystem::file_size(fsPath, error);
    if (error) {
        return std::nullopt;
    }
    const auto whole = static_cast<double>(state.wholeRecords());
    if (whole >= 1) {
        const auto last = reader->read(whole);
        if (!last) {
            return std::nullopt;
        }
        state.lastTime = last->time;
        if (whole >= 2) {
            const auto before = reader->read(whole - 1);
            if (!before) {
                return std::nullopt;
            }
            state.spacingSeconds = last->time - before->time;
        }
    }
    return state;
}

HistoryPlan planHistorySync(const HistoryFileState& file, const StationHistoryHeader& header,
                            const CivilTime& pcNow) {
    HistoryPlan plan;
    if (!validHeader(header) || (header.newestTime && !validDate(*header.newestTime))) {
        plan.problem = HistorySyncProblem::BadHeader;
        return plan;
    }
    plan.intervalSeconds = header.intervalMinutes * kSecondsPerMinute;
    if (header.newestTime) {
        plan.newestTime = historySeconds(*header.newestTime);
    } else {
        // The PC's minute, less the time since the newest record was taken.
        CivilTime minute = pcNow;
        minute.second = 0;
        plan.newestTime = historySeconds(minute) - plan.intervalSeconds +
                          header.minutesToNext * kSecondsPerMinute;
    }
    if (file.spacingSeconds &&
        std::abs(*file.spacingSeconds - plan.intervalSeconds) > kSpacingSlackSeconds) {
        plan.problem = HistorySyncProblem::IntervalChanged;
        return plan;
    }

    std::int64_t wanted = header.count;
    if (file.lastTime) {
        const std::int64_t ahead = plan.newestTime - *file.lastTime;
        if (2 * ahead < -plan.intervalSeconds) {
            plan.problem = HistorySyncProblem::FileAhead;
            return plan;
        }
        // Record k before the newest is new when newestTime - k * interval lies more than half
        // an interval after the file's last record.
        std::int64_t newer = 0;
        if (2 * ahead > plan.intervalSeconds) {
            newer = (2 * ahead - plan.intervalSeconds - 1) / (2 * plan.intervalSeconds) + 1;
        }
        wanted = std::min(wanted, newer);
    }
    if (wanted == kStationHistoryCapacity && header.minutesToNext <= 1) {
        --wanted;  // the oldest is overwritten by the next record, perhaps while it is read
    }
    const std::int64_t oldestTime = plan.newestTime - (wanted - 1) * plan.intervalSeconds;
    if (wanted > 0 && (oldestTime < std::numeric_limits<std::int32_t>::min() ||
                       plan.newestTime > std::numeric_limits<std::int32_t>::max())) {
        plan.problem = HistorySyncProblem::BadHeader;  // beyond what the file's time holds
        return plan;
    }
    for (std::int64_t k = wanted - 1; k >= 0; --k) {
        const auto index = (header.newestIndex - k) % kStationHistoryCapacity;
        plan.indexes.push_back(
            static_cast<int>(index < 0 ? index + kStationHistoryCapacity : index));
    }
    return plan;
}

std::vector<HistoryRecord> historyRecords(const HistoryPlan& plan,
                                          const std::vector<StationHistoryRecord>& records,
                                          double currentRainTotal) {
    std::vector<HistoryRecord> out;
    if (records.empty()) {
        return out;
    }
    const int newestCount = records.back().rainCount;
    const auto n = static_cast<std::int64_t>(records.size());
    for (std::int64_t i = 0; i < n; ++i) {
        const StationHistoryRecord& r = records[static_cast<std::size_t>(i)];
        int tips = (newestCount - r.rainCount) % kRainCounterModulus;
        if (tips < 0) {
            tips += kRainCounterModulus;
        }
        HistoryRecord record;
        record.time =
            static_cast<std::int32_t>(plan.newestTime - (n - 1 - i) * plan.intervalSeconds);
        record.pressureAbs = static_cast<float>(r.pressureAbs);
        record.rainTotal = static_cast<float>(currentRainTotal - tips * kRainPerTipMm);
        record.outdoorTemp = r.outdoorTemp ? static_cast<float>(*r.outdoorTemp)
                                           : std::numeric_limits<float>::quiet_NaN();
        out.push_back(record);
    }
    return out;
}

bool appendHistoryRecords(const std::string& path, const std::vector<HistoryRecord>& records) {
    std::string bytes;
    bytes.reserve(records.size() * kHistoryRecordSize);
    for (const HistoryRecord& record : records) {
        const HistoryRecordBytes one = encodeHistoryRecord(record);
        bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
    }
    std::ofstream out(toFsPath(path), std::ios::binary | std::ios::app);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    return static_cast<bool>(out);
}

HistorySyncOutcome syncHistory(const std::string& path, const StationHistoryHeader& header,
                               const HistoryRecordsRead& readRecords, double currentRainTotal,
                               const CivilTime& pcNow) {
    auto file = readHistoryFileState(path);
    if (!file) {
        return failed(HistorySyncProblem::FileError, "impossibile leggere " + path);
    }
    HistorySyncOutcome outcome;
    if (file->partialRecord()) {
        std::error_code error;
        std::filesystem::resize_file(toFsPath(path), file->wholeRecords() * kHistoryRecordSize,
                                     error);
        if (error) {
            return failed(HistorySyncProblem::FileError, "impossibile accorciare " + path);
        }
        file->length = file->wholeRecords() * kHistoryRecordSize;
        outcome.cutPartialRecord = true;
    }

    const HistoryPlan plan = planHistorySync(*file, header, pcNow);
    switch (plan.problem) {
        case HistorySyncProblem::None:
            break;
        case HistorySyncProblem::IntervalChanged:
            return failed(plan.problem, "intervallo della stazione " +
                                            minutesText(plan.intervalSeconds) + ", nel file " +
                                            minutesText(*file->spacingSeconds));
        case HistorySyncProblem::FileAhead:
            return failed(plan.problem, "il file va oltre l'ultima registrazione della stazione");
        default:
            return failed(plan.problem, "intestazione dello storico della stazione non valida");
    }
    if (plan.indexes.empty()) {
        return outcome;
    }
    const auto read = readRecords(plan.indexes);
    if (!read.value || read.value->size() != plan.indexes.size()) {
        return failed(HistorySyncProblem::ReadFailed,
                      "lettura dalla stazione non riuscita" +
                          (read.detail.empty() ? std::string() : " - " + read.detail));
    }
    if (!appendHistoryRecords(path, historyRecords(plan, *read.value, currentRainTotal))) {
        return failed(HistorySyncProblem::FileError, "impossibile scrivere " + path);
    }
    outcome.appended = static_cast<int>(plan.indexes.size());
    return outcome;
}

}  // namespace brezzolo
