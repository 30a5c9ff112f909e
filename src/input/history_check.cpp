#include "input/history_check.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "common/num_text.h"
#include "common/numeric_value.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "input/current_data_reader.h"
#include "input/history_file.h"

namespace brezzolo {
namespace {

// What the check takes from currdat.lst itself.
struct CurrentValues {
    double minutesSinceMidnight = 0;
    double outdoorTemp = 0;
    double rainTotal = 0;
    double pressureAbs = 0;
    double pressureRel = 0;
};

std::optional<CurrentValues> readCurrentValues(const std::string& path) {
    const auto lines = readRawLines(path);
    if (!lines) {
        return std::nullopt;
    }
    const StationReading reading = parseCurrentData(*lines);
    CurrentValues current;
    current.minutesSinceMidnight = numericValue(reading.hour) * 60 + numericValue(reading.minute);
    current.outdoorTemp = reading.outdoorTemp;
    current.rainTotal = reading.rainTotal;
    current.pressureAbs = reading.pressureAbs;
    current.pressureRel = reading.pressureRel;
    return current;
}

// Cut down to one decimal: × 10, towards minus infinity, ÷ 10 (12.37 gives 12.3, -3.45 -3.5).
// A value read from the history in single precision is cut in single precision, so that a
// stored 5.2 stays 5.2 instead of becoming 5.1 through its widened value 5.19999981. A value so
// large that ten times it overflows (a damaged record) is a whole number already and stays as
// it is, rather than becoming an infinity that reads back as 0.
std::string cutDown(double value) {
    const double tenths = std::floor(value * 10);
    return numText(std::isfinite(tenths) ? tenths / 10 : value);
}
std::string cutDownSingle(float value) {
    const float tenths = std::floor(value * 10.0f);
    return numTextSingle(std::isfinite(tenths) ? tenths / 10.0f : value);
}

// The day's extremes collected from the history. Values that are not finite take no part; a
// quantity with no finite value at all in the window has found nothing.
struct DayExtremes {
    float tMin = 999, tMax = -999;
    double pMin = 1500, pMax = -1500;
    bool temperatureFound = false;
    bool pressureFound = false;

    void add(const HistoryRecord& record, double pressureCorrection) {
        const float t = record.outdoorTemp;
        if (std::isfinite(t)) {
            temperatureFound = true;
            if (t < tMin) {
                tMin = t;
            }
            if (t > tMax) {
                tMax = t;
            }
        }
        const double p = static_cast<double>(record.pressureAbs) + pressureCorrection;
        if (std::isfinite(p)) {
            pressureFound = true;
            if (p < pMin) {
                pMin = p;
            }
            if (p > pMax) {
                pMax = p;
            }
        }
    }
};

// The five texts, in the order they are stored.
struct DayTexts {
    std::string tmin, tmax, pmin, pmax, raintoday;
};

std::optional<DayTexts> workOutDay(const std::string& historyPath, const std::string& currentPath) {
    auto history = HistoryReader::open(historyPath);
    if (!history) {
        return std::nullopt;
    }
    const auto layout = readHistoryLayout(*history);
    // An interval of 0 has no day to count back; a negative one (times running backwards)
    // would put the day's start after the anchor. Both stop the check.
    if (!layout || !(layout->sampleInterval > 0)) {
        return std::nullopt;
    }
    const auto current = readCurrentValues(currentPath);
    if (!current) {
        return std::nullopt;
    }
    const double pressureCorrection = current->pressureRel - current->pressureAbs;
    const double first = recordBeforeAnchor(*layout, current->minutesSinceMidnight);

    // Before midnight the history does not reach: the current data stands for the whole day.
    DayTexts texts;
    texts.tmin = texts.tmax = cutDown(current->outdoorTemp);
    texts.pmin = texts.pmax = cutDown(current->pressureRel);
    texts.raintoday = cutDown(current->rainTotal);
    if (!recordExists(first)) {
        return texts;
    }

    history->prefetch(first, layout->anchor);
    const auto baseline = history->read(first);
    if (!baseline) {
        return std::nullopt;
    }
    if (std::isfinite(baseline->rainTotal)) {
        texts.raintoday = cutDownSingle(baseline->rainTotal);
    }

    DayExtremes extremes;
    for (std::int64_t i = 0; first + static_cast<double>(i) <= layout->anchor; ++i) {
        const auto record = history->read(first + static_cast<double>(i));
        if (!record) {
            return std::nullopt;
        }
        extremes.add(*record, pressureCorrection);
    }
    if (extremes.temperatureFound) {
        texts.tmin = cutDownSingle(extremes.tMin);
        texts.tmax = cutDownSingle(extremes.tMax);
    }
    if (extremes.pressureFound) {
        texts.pmin = cutDown(extremes.pMin);
        texts.pmax = cutDown(extremes.pMax);
    }
    return texts;
}

}  // namespace

bool checkHistory(const std::string& heavyWeatherFolder, const std::string& historyFileName,
                  Appoggio& store) {
    try {
        const auto historyPath = joinPath(heavyWeatherFolder, historyFileName);
        const auto currentPath = joinPath(heavyWeatherFolder, kCurrentDataFileName);
        if (!historyPath || !currentPath) {
            return false;
        }
        const auto texts = workOutDay(*historyPath, *currentPath);
        if (!texts) {
            return false;
        }
        store.Tmin = texts->tmin;
        store.Tmax = texts->tmax;
        store.Pmin = texts->pmin;
        store.Pmax = texts->pmax;
        store.Raintoday = texts->raintoday;
        return true;
    } catch (...) {
        // The check stops at its first error and leaves the five values as they were.
        return false;
    }
}

}  // namespace brezzolo
