#include "app/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace brezzolo {
namespace {

constexpr int kMostValueSteps = 5;

}  // namespace

ValueScale valueScale(double lowest, double highest) {
    const double low = std::min(0.0, lowest);
    const double high = std::max(0.0, highest);
    if (!(high > low)) {
        return {0, 1, 5};
    }
    // At most five steps of 1, 2, 2.5 or 5 times a power of ten.
    const double rawStep = (high - low) / kMostValueSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    double step = 10 * magnitude;
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * magnitude >= rawStep) {
            step = factor * magnitude;
            break;
        }
    }
    const double min = std::floor(low / step) * step;
    const double max = std::ceil(high / step) * step;
    return {min, max, static_cast<int>(std::lround((max - min) / step)) + 1};
}

std::array<double, kChartColumns> barValues(const ChartModel& chart) {
    std::array<double, kChartColumns> values = chart.values;
    std::replace_if(
        values.begin(), values.end(), [](double v) { return !std::isfinite(v); }, 0.0);
    return values;
}

ChartColumnLayout chartColumnLayout(std::string_view axisText, double left, double width) {
    ChartColumnLayout layout;
    const double slot = width / static_cast<double>(kChartColumns);
    layout.barWidth = slot * kBarWidthInSlot;
    for (std::size_t k = 0; k < kChartColumns; ++k) {
        layout.centres[k] = left + (static_cast<double>(k) + 0.5) * slot;
    }
    // The captions in order; words past the eighth are not shown.
    std::size_t k = 0;
    std::size_t i = 0;
    while (i < axisText.size() && k < kChartColumns) {
        if (axisText[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t end = std::min(axisText.find(' ', i), axisText.size());
        layout.captions[k++] = std::string(axisText.substr(i, end - i));
        i = end;
    }
    return layout;
}

}  // namespace brezzolo
