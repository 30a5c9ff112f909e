#include "web/svg_chart.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace brezzolo {
namespace {

// The drawing area inside the SVG's own coordinates; the page scales the whole.
constexpr double kWidth = 720;
constexpr double kHeight = 210;
constexpr double kLeft = 56;
constexpr double kRight = 714;
constexpr double kTop = 30;
constexpr double kBottom = 182;

// Coordinates to a tenth of a unit: plenty for the screen, and short.
std::string coordinate(double value) {
    return fixedText(value, 1);
}

struct Frame {
    double spanMinutes;
    ValueScale scale;

    double x(double minutes) const { return kRight + (kRight - kLeft) * minutes / spanMinutes; }
    double y(double value) const {
        return kBottom - (kBottom - kTop) * (value - scale.low) / (scale.high - scale.low);
    }
};

int decimalsOf(double step) {
    return step < 1 ? 1 : 0;
}

void valueAxis(std::string& svg, const Frame& frame) {
    const ValueScale& s = frame.scale;
    const auto steps = static_cast<int>(std::lround((s.high - s.low) / s.step));
    for (int i = 0; i <= steps; ++i) {
        const double value = s.low + i * s.step;
        const std::string y = coordinate(frame.y(value));
        svg += "<line class=\"grid\" x1=\"" + coordinate(kLeft) + "\" y1=\"" + y + "\" x2=\"" +
               coordinate(kRight) + "\" y2=\"" + y + "\"/>";
        svg += "<text class=\"value\" x=\"" + coordinate(kLeft - 6) + "\" y=\"" +
               coordinate(frame.y(value) + 4) + "\" text-anchor=\"end\">" +
               fixedText(value, decimalsOf(s.step)) + "</text>";
    }
}

void timeAxis(std::string& svg, const Frame& frame, const std::vector<TimeTick>& ticks) {
    for (const TimeTick& tick : ticks) {
        if (tick.minutes > 0 || tick.minutes < -frame.spanMinutes) {
            continue;
        }
        const std::string x = coordinate(frame.x(tick.minutes));
        svg += "<line class=\"tick\" x1=\"" + x + "\" y1=\"" + coordinate(kTop) + "\" x2=\"" + x +
               "\" y2=\"" + coordinate(kBottom + 5) + "\"/>";
        // A label needs room on the right of its line: about 7 units a character.
        const double labelWidth = 7.0 * static_cast<double>(tick.label.size());
        if (!tick.label.empty() && frame.x(tick.minutes) + 3 + labelWidth < kRight) {
            svg += "<text class=\"time\" x=\"" + coordinate(frame.x(tick.minutes) + 3) + "\" y=\"" +
                   coordinate(kBottom + 16) + "\">" + escapedHtml(tick.label) + "</text>";
        }
    }
}

void lines(std::string& svg, const Frame& frame, const ChartPlot& plot) {
    for (const auto& run : plot.runs) {
        if (run.size() == 1) {
            svg += "<circle cx=\"" + coordinate(frame.x(run[0].minutes)) + "\" cy=\"" +
                   coordinate(frame.y(run[0].value)) + "\" r=\"2\" fill=\"" + plot.colour + "\"/>";
            continue;
        }
        svg +=
            "<polyline fill=\"none\" stroke=\"" + plot.colour + "\" stroke-width=\"2\" points=\"";
        for (std::size_t i = 0; i < run.size(); ++i) {
            svg += (i ? " " : "") + coordinate(frame.x(run[i].minutes)) + "," +
                   coordinate(frame.y(run[i].value));
        }
        svg += "\"/>";
    }
}

void bars(std::string& svg, const Frame& frame, const ChartPlot& plot) {
    for (const PlotBar& bar : plot.bars) {
        if (!(bar.value > 0)) {
            continue;  // no rain: nothing to draw, and the baseline shows it
        }
        const double left = frame.x(bar.fromMinutes);
        const double right = frame.x(bar.toMinutes);
        const double top = frame.y(bar.value);
        svg += "<rect x=\"" + coordinate(left) + "\" y=\"" + coordinate(top) + "\" width=\"" +
               coordinate(std::max(right - left - 0.5, 0.5)) + "\" height=\"" +
               coordinate(kBottom - top) + "\" fill=\"" + plot.colour + "\"/>";
    }
}

}  // namespace

std::string fixedText(double value, int decimals) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0,
                                      std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    // A value that rounds to zero is written without its sign.
    if (text.starts_with("-") && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string escapedHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

ValueScale valueScale(double lowest, double highest, bool fromZero, double minimumStep) {
    if (fromZero) {
        lowest = std::min(lowest, 0.0);
        highest = std::max(highest, 0.0);
    }
    // Steps of 1, 2 and 5 times a power of ten, found by counting up from the smallest, so no
    // logarithm's last digit can differ between systems.
    static constexpr double kFactors[] = {1, 2, 5};
    for (double power = minimumStep;; power *= 10) {
        for (const double factor : kFactors) {
            const double step = power * factor;
            double low = std::floor(lowest / step) * step;
            double high = std::ceil(highest / step) * step;
            if (high == low) {
                if (!fromZero) {
                    low -= step;
                }
                high += step;
            }
            if ((high - low) / step <= 5.0 + 1e-9 || step > 1e6) {
                return {low, high, step};
            }
        }
    }
}

std::string svgChart(const ChartPlot& plot) {
    double lowest = INFINITY;
    double highest = -INFINITY;
    for (const auto& run : plot.runs) {
        for (const PlotPoint& p : run) {
            lowest = std::min(lowest, p.value);
            highest = std::max(highest, p.value);
        }
    }
    for (const PlotBar& bar : plot.bars) {
        lowest = std::min(lowest, bar.value);
        highest = std::max(highest, bar.value);
    }
    const bool isBars = plot.kind == PlotKind::Bars;
    std::string svg = "<svg class=\"chart\" viewBox=\"0 0 " + coordinate(kWidth) + " " +
                      coordinate(kHeight) + "\" role=\"img\" aria-label=\"" +
                      escapedHtml(plot.title) + "\">";
    svg += "<text class=\"title\" x=\"" + coordinate(kLeft) + "\" y=\"18\">" +
           escapedHtml(plot.title) + "</text>";
    const bool empty = !std::isfinite(lowest);
    const Frame frame{
        plot.spanMinutes,
        empty ? ValueScale{} : valueScale(lowest, highest, isBars, isBars ? 0.1 : 1.0)};
    if (empty) {
        svg += "<text class=\"empty\" x=\"" + coordinate((kLeft + kRight) / 2) + "\" y=\"" +
               coordinate((kTop + kBottom) / 2) +
               "\" text-anchor=\"middle\">Nessun dato nello storico</text>";
    } else {
        valueAxis(svg, frame);
    }
    timeAxis(svg, frame, plot.ticks);
    svg += "<rect class=\"frame\" x=\"" + coordinate(kLeft) + "\" y=\"" + coordinate(kTop) +
           "\" width=\"" + coordinate(kRight - kLeft) + "\" height=\"" +
           coordinate(kBottom - kTop) + "\"/>";
    if (!empty) {
        isBars ? bars(svg, frame, plot) : lines(svg, frame, plot);
    }
    svg += "</svg>";
    return svg;
}

}  // namespace brezzolo
