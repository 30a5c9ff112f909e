#include "web/web_charts.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "aprs_is/time_zone.h"

namespace brezzolo {
namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 24 * kHour;

std::optional<int> wholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::string twoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
           static_cast<char>('0' + value % 10);
}

// Ticks every `every` seconds of the reading's clock (whole hours or midnights), labelled by
// `label`; without a clock, every `every` seconds back from the end, labelled "-3h" or "-1g".
template <typename Label>
std::vector<TimeTick> ticks(const ChartReference& ref, double spanMinutes, std::int64_t every,
                            Label label, const char* unit, std::int64_t unitSeconds) {
    std::vector<TimeTick> result;
    const auto span = static_cast<std::int64_t>(spanMinutes * 60);
    if (!ref.clock) {
        for (std::int64_t back = 0; back <= span; back += every) {
            result.push_back({-static_cast<double>(back) / 60.0,
                              back == 0 ? "" : "-" + std::to_string(back / unitSeconds) + unit});
        }
        return result;
    }
    for (std::int64_t at = floorDiv(*ref.clock, every) * every; at >= *ref.clock - span;
         at -= every) {
        result.push_back({static_cast<double>(at - *ref.clock) / 60.0, label(at)});
    }
    return result;
}

std::string hourLabel(std::int64_t at) {
    return twoDigits(utcCivilTime(at).hour) + ":00";
}

std::string dayLabel(std::int64_t at) {
    static constexpr const char* kWeekdays[] = {"lun", "mar", "mer", "gio", "ven", "sab", "dom"};
    const CivilTime date = utcCivilTime(at);
    // 1970-01-01 was a Thursday.
    const auto weekday = static_cast<std::size_t>((floorDiv(at, kDay) % 7 + 7 + 3) % 7);
    return std::string(kWeekdays[weekday]) + " " + twoDigits(date.day) + "/" +
           twoDigits(date.month);
}

// Runs of samples whose value is a number, split where neighbours lie too far apart.
// Samples moved off the left end by the offset take no part.
std::vector<std::vector<PlotPoint>> runs(const HistorySeries& series, double offset,
                                         double ChartSample::*field, double shift) {
    std::vector<std::vector<PlotPoint>> result;
    const ChartSample* previous = nullptr;
    for (const ChartSample& sample : series.samples) {
        const double value = sample.*field;
        if (sample.minutes + offset < -series.window.spanMinutes) {
            continue;
        }
        if (!std::isfinite(value)) {
            previous = nullptr;
            continue;
        }
        if (!previous || sample.minutes - previous->minutes > series.joinLimit()) {
            result.emplace_back();
        }
        result.back().push_back({sample.minutes + offset, value + shift});
        previous = &sample;
    }
    return result;
}

std::vector<PlotBar> hourlyRain(const HistorySeries& series, double offset) {
    std::vector<PlotBar> bars;
    const ChartSample* newer = nullptr;
    for (auto it = series.samples.rbegin(); it != series.samples.rend(); ++it) {
        if (std::fmod(it->nominalMinutesBack, 60.0) != 0) {
            continue;
        }
        const ChartSample* older = &*it;
        if (newer && older->nominalMinutesBack - newer->nominalMinutesBack == 60) {
            const double minutes = newer->minutes - older->minutes;
            const double rain = newer->rainTotal - older->rainTotal;
            const bool inside = older->minutes + offset >= -series.window.spanMinutes;
            if (inside && minutes <= 60 + series.sampleInterval && rain >= 0) {
                bars.push_back({older->minutes + offset, newer->minutes + offset, rain});
            }
        }
        newer = older;
    }
    return bars;
}

}  // namespace

std::optional<std::int64_t> readingClock(const StationReading& reading) {
    const auto year = wholeNumber(reading.year);
    const auto month = wholeNumber(reading.monthNumber);
    const auto day = wholeNumber(reading.day);
    const auto hour = wholeNumber(reading.hour);
    const auto minute = wholeNumber(reading.minute);
    if (!year || !month || !day || !hour || !minute) {
        return std::nullopt;
    }
    CivilTime time;
    time.year = *year;
    time.month = *month;
    time.day = *day;
    time.hour = *hour;
    time.minute = *minute;
    return utcSeconds(time);
}

WindowCharts windowCharts(const HistorySeries& series, const ChartReference& reference) {
    const double span = series.window.spanMinutes;
    // The anchor stands one record before the reading's time, when that time is known.
    const double offset = reference.clock ? -series.sampleInterval : 0;
    const bool week = span > kDayWindow.spanMinutes;
    const std::vector<TimeTick> axis =
        week ? ticks(reference, span, kDay, dayLabel, "g", kDay)
             : ticks(reference, span, 3 * kHour, hourLabel, "h", kHour);
    const std::string shift = (reference.pressureShift < 0 ? " - " : " + ") +
                              fixedText(std::fabs(reference.pressureShift), 1);

    WindowCharts charts;
    charts.temperature = {"Temperatura esterna (°C)",
                          span,
                          axis,
                          PlotKind::Line,
                          runs(series, offset, &ChartSample::outdoorTemp, 0),
                          {},
                          "#c0392b"};
    charts.pressure = {
        "Pressione relativa (hPa): pressione assoluta dello storico" + shift + " hPa",
        span,
        axis,
        PlotKind::Line,
        runs(series, offset, &ChartSample::pressureAbs, reference.pressureShift),
        {},
        "#1f5fa8"};
    charts.rain = {"Pioggia per ora (mm)",     span,     axis, PlotKind::Bars, {},
                   hourlyRain(series, offset), "#2e8b57"};
    return charts;
}

}  // namespace brezzolo
