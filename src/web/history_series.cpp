#include "web/history_series.h"

#include <algorithm>
#include <cmath>

namespace brezzolo {
namespace {

double finiteOrNan(float value) {
    return std::isfinite(value) ? static_cast<double>(value) : std::nan("");
}

}  // namespace

double HistorySeries::joinLimit() const {
    return 2 * std::max(window.stepMinutes, sampleInterval);
}

std::optional<HistorySeries> readHistorySeries(HistoryReader& history, const HistoryLayout& layout,
                                               ChartWindow window) {
    if (!(layout.sampleInterval > 0)) {
        return std::nullopt;
    }
    const auto anchor = history.read(layout.anchor);
    if (!anchor) {
        return std::nullopt;
    }
    HistorySeries series;
    series.window = window;
    series.sampleInterval = layout.sampleInterval;
    std::int64_t previousRecord = 0;
    for (double back = 0; back <= window.spanMinutes; back += window.stepMinutes) {
        const double number = recordBeforeAnchor(layout, back);
        if (!recordExists(number)) {
            break;
        }
        if (roundedRecordNumber(number) == previousRecord) {
            continue;
        }
        previousRecord = roundedRecordNumber(number);
        const auto record = history.read(number);
        if (!record) {
            break;
        }
        const double minutes =
            static_cast<double>(static_cast<std::int64_t>(record->time) - anchor->time) / 60.0;
        if (minutes < -window.spanMinutes) {
            break;  // beyond the window: every older record is too
        }
        if (!series.samples.empty() && !(minutes < series.samples.back().minutes)) {
            continue;
        }
        series.samples.push_back({back, minutes, finiteOrNan(record->outdoorTemp),
                                  finiteOrNan(record->pressureAbs),
                                  finiteOrNan(record->rainTotal)});
    }
    std::reverse(series.samples.begin(), series.samples.end());
    return series;
}

std::optional<WebHistory> readWebHistory(const std::string& path) {
    auto history = HistoryReader::open(path);
    if (!history) {
        return std::nullopt;
    }
    const auto layout = readHistoryLayout(*history);
    if (!layout || !(layout->sampleInterval > 0)) {
        return std::nullopt;
    }
    // The week in one read when it fits the reader's prefetch; the day lies inside it.
    history->prefetch(recordBeforeAnchor(*layout, kWeekWindow.spanMinutes), layout->anchor);
    auto day = readHistorySeries(*history, *layout, kDayWindow);
    auto week = readHistorySeries(*history, *layout, kWeekWindow);
    if (!day || !week) {
        return std::nullopt;
    }
    return WebHistory{std::move(*day), std::move(*week)};
}

}  // namespace brezzolo
