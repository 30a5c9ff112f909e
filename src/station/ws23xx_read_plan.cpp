#include "station/ws23xx_read_plan.h"

#include <algorithm>
#include <limits>

#include "station/ws23xx_memory.h"
#include "station/ws23xx_protocol.h"

namespace brezzolo::ws23xx {

std::span<const MemoryArea> stationValueAreas() {
    static constexpr MemoryArea kAreas[] = {
        {kStormFlags, 1},        {kSeconds, kSecondsNibbles},
        {kClock, kClockNibbles}, {kForecast, 2},  // forecast and tendency
        {kIndoorTemp, 4},        {kOutdoorTemp, 4},
        {kWindChill, 4},         {kDewPoint, 4},
        {kIndoorHumidity, 2},    {kOutdoorHumidity, 2},
        {kRain24h, 6},           {kRain1h, 6},
        {kRainTotal, 6},         {kWind, kWindNibbles},  // flags, speed and direction in one read
        {kOutdoorLinkState, 1},  {kPressureAbs, 5},
        {kPressureRel, 5},       {kPressureCorrection, 5},
    };
    return kAreas;
}

int bytesExchanged(int nibbles) {
    constexpr int kFixed = 2 + 4 + 4 + 1 + 1 + 1;
    return kFixed + dataBytes(nibbles);
}

int bytesExchanged(std::span<const MemoryArea> reads) {
    int bytes = 0;
    for (const MemoryArea& read : reads) {
        bytes += bytesExchanged(read.nibbles);
    }
    return bytes;
}

std::vector<MemoryArea> planReads(std::span<const MemoryArea> areas) {
    std::vector<MemoryArea> sorted(areas.begin(), areas.end());
    std::sort(sorted.begin(), sorted.end(),
              [](const MemoryArea& a, const MemoryArea& b) { return a.address < b.address; });
    // best[i]: the cheapest reads of the first i areas as (bytes, reads); from[i]: where the
    // last of those reads starts. Reads cover consecutive areas, so this tries every grouping.
    const std::size_t n = sorted.size();
    constexpr int kNone = std::numeric_limits<int>::max();
    std::vector<std::pair<int, int>> best(n + 1, {kNone, kNone});
    std::vector<std::size_t> from(n + 1, 0);
    best[0] = {0, 0};
    for (std::size_t i = 1; i <= n; ++i) {
        int end = 0;
        for (std::size_t j = i; j-- > 0;) {
            end = std::max(end, sorted[j].end());
            const int span = end - sorted[j].address;
            if (span > kMaxNibblesPerRead && j + 1 < i) {
                break;
            }
            if (best[j].first == kNone) {
                continue;
            }
            const std::pair<int, int> cost{best[j].first + bytesExchanged(span),
                                           best[j].second + 1};
            if (cost < best[i]) {
                best[i] = cost;
                from[i] = j;
            }
        }
    }
    std::vector<MemoryArea> reads;
    for (std::size_t i = n; i > 0; i = from[i]) {
        int end = 0;
        for (std::size_t k = from[i]; k < i; ++k) {
            end = std::max(end, sorted[k].end());
        }
        reads.push_back({sorted[from[i]].address, end - sorted[from[i]].address});
    }
    std::reverse(reads.begin(), reads.end());
    return reads;
}

}  // namespace brezzolo::ws23xx
