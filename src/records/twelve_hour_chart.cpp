#include "records/twelve_hour_chart.h"

#include <array>
#include <cmath>
#include <optional>

#include "common/paths.h"
#include "input/history_file.h"

namespace brezzolo {
namespace {

constexpr const char* kPressureTitle = "Andamento relativo della pressione (ultime 12 ore)";
constexpr const char* kTemperatureTitle = "Andamento della temperatura esterna (ultime 12 ore)";

// One bar of the chart: the two values of one history record.
struct ChartPoint {
    double pressure = 0;
    double temperature = 0;
};

// Columns 1 to 8, oldest first; column 8 is the anchor ("now").
using ChartColumnValues = std::array<double, kChartColumns>;
using ChartSeries = std::array<ChartPoint, kChartColumns>;

// The look-back points of columns 1 to 7: minutes back, and the minutes whose record must
// exist. The one-hour point tests 61 minutes back but reads the record 60 minutes back.
struct LookBack {
    double minutesBack;
    double testMinutes;
};
constexpr std::array<LookBack, kChartColumns - 1> kLookBacks{
    {{720, 720}, {480, 480}, {240, 240}, {120, 120}, {60, 61}, {30, 30}, {10, 10}}};

ChartPoint pointOf(const HistoryRecord& record) {
    return {static_cast<double>(record.pressureAbs), static_cast<double>(record.outdoorTemp)};
}

// The eight points. A look-back whose record does not exist takes the next newer point, so a
// file shorter than twelve hours repeats its oldest reachable values to the left.
std::optional<ChartSeries> readSeries(const std::string& path) {
    auto history = HistoryReader::open(path);
    if (!history) {
        return std::nullopt;
    }
    const auto layout = readHistoryLayout(*history);
    if (!layout || !(layout->sampleInterval > 0)) {
        return std::nullopt;
    }
    // The twelve hours in one read, rather than a read for each look-back.
    history->prefetch(recordBeforeAnchor(*layout, kLookBacks.front().minutesBack), layout->anchor);
    ChartSeries series;
    const auto anchor = history->read(layout->anchor);
    if (!anchor) {
        return std::nullopt;
    }
    series[7] = pointOf(*anchor);
    for (std::size_t column = kLookBacks.size(); column-- > 0;) {
        const LookBack& point = kLookBacks[column];
        if (recordExists(recordBeforeAnchor(*layout, point.testMinutes))) {
            const auto record = history->read(recordBeforeAnchor(*layout, point.minutesBack));
            if (!record) {
                return std::nullopt;
            }
            series[column] = pointOf(*record);
        } else {
            series[column] = series[column + 1];
        }
    }
    return series;
}

// The pressures lowered so that the lowest stands 0.25 hPa above zero: the bars show the change
// of pressure rather than its level. A damaged record's value that is no finite number takes no
// part and becomes NaN, which no trend rule accepts.
ChartColumnValues shiftedPressures(const ChartSeries& series) {
    double lowest = 100000;
    for (const ChartPoint& point : series) {
        if (std::isfinite(point.pressure) && point.pressure < lowest) {
            lowest = point.pressure;
        }
    }
    lowest -= 0.25;
    ChartColumnValues shifted{};
    for (std::size_t i = 0; i < series.size(); ++i) {
        shifted[i] = std::isfinite(series[i].pressure) ? series[i].pressure - lowest : std::nan("");
    }
    return shifted;
}

// A bar without a finite value is drawn empty.
double barValue(double value) {
    return std::isfinite(value) ? value : 0.0;
}

struct TrendClass {
    const char* code;
    const char* word;
};

// The pressure trend of the last four to eight hours. The rules run in order and each one that
// applies overwrites the one before, so a level series (both rising and falling) ends with the
// falling rules' result.
TrendClass classifyTrend(const ChartColumnValues& p) {
    const double p480 = p[1], p240 = p[2], p120 = p[3], p60 = p[4], p30 = p[5], p0 = p[7];
    const bool rising4 = p0 >= p30 && p30 >= p60 && p60 >= p120 && p120 >= p240;
    const bool rising8 = rising4 && p240 >= p480;
    const bool falling4 = p0 <= p30 && p30 <= p60 && p60 <= p120 && p120 <= p240;
    const bool falling8 = falling4 && p240 <= p480;

    TrendClass trend{"0", "variabile"};
    if (rising4 && !rising8) {
        trend = p0 - p240 <= 3 ? TrendClass{"1", "lieve aumento"} : TrendClass{"2", "aumento"};
    }
    if (rising8) {
        trend = p0 - p480 <= 3 ? TrendClass{"2", "aumento"} : TrendClass{"3", "forte aumento"};
    }
    if (falling4 && !falling8) {
        trend = p240 - p0 <= 3 ? TrendClass{"-1", "lieve diminuzione"}
                               : TrendClass{"-2", "diminuzione"};
    }
    if (falling8) {
        trend = p480 - p0 <= 3 ? TrendClass{"-2", "diminuzione"}
                               : TrendClass{"-3", "forte diminuzione"};
    }
    return trend;
}

}  // namespace

bool drawTwelveHourChart(const std::string& heavyWeatherFolder, const std::string& historyFileName,
                         MainWindowModel& window, Appoggio& store) {
    try {
        const auto path = joinPath(heavyWeatherFolder, historyFileName);
        if (!path) {
            return false;
        }
        const auto series = readSeries(*path);
        if (!series) {
            return false;
        }
        const ChartColumnValues pressures = shiftedPressures(*series);
        for (std::size_t i = 0; i < series->size(); ++i) {
            window.MSChart1.values[i] =
                barValue(window.Option1 ? pressures[i] : (*series)[i].temperature);
        }
        window.Label28.Caption = window.Option1 ? kPressureTitle : kTemperatureTitle;
        const TrendClass trend = classifyTrend(pressures);
        store.Tendenza = trend.word;
        store.statopress = trend.code;
        return true;
    } catch (...) {
        // Nothing is changed unless the whole series could be read.
        return false;
    }
}

}  // namespace brezzolo
