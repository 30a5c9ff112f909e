#include "win32/chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/chart_layout.h"
#include "win32/text.h"
#include "win32/window.h"

namespace brezzolo::win32 {
namespace {

const COLORREF kBarColour = RGB(40, 90, 170);
const COLORREF kBarBorder = RGB(31, 69, 131);
const COLORREF kGridColour = RGB(225, 225, 225);
const COLORREF kAxisColour = RGB(110, 110, 110);
const COLORREF kNumberColour = RGB(60, 60, 60);
// In layout units (window.h), as the chart's other sizes.
constexpr int kTopMargin = 8;
constexpr int kTickLength = 4;

std::wstring numberText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", std::abs(value) < 1e-9 ? 0.0 : value);
    return wide(buffer);
}

// A solid pen and brush selected into the DC for one drawing, put back afterwards.
class Pen {
  public:
    Pen(HDC dc, COLORREF colour, int width = 1)
        : dc_(dc), pen_(CreatePen(PS_SOLID, width, colour)), old_(SelectObject(dc, pen_)) {}
    ~Pen() {
        SelectObject(dc_, old_);
        DeleteObject(pen_);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

  private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

void fill(HDC dc, const RECT& area, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

int valueAxisRoom() {
    return textWidth(fonts().normal, L"-1000.0") + 2 * kTickLength;
}

RECT chartPlotArea(const RECT& chart) {
    const int half = scaled(fonts().line) / 2;
    return {chart.left + scaled(valueAxisRoom()), chart.top + scaled(kTopMargin) + half / 2,
            chart.right - half, chart.bottom - half};
}

void paintChart(HDC dc, const RECT& chart, const ChartModel& model) {
    fill(dc, chart, RGB(255, 255, 255));
    const RECT plot = chartPlotArea(chart);
    if (plot.right <= plot.left || plot.bottom <= plot.top) {
        return;
    }
    const auto values = barValues(model);
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const ValueScale scale = valueScale(*lowest, *highest);
    const double height = plot.bottom - plot.top;
    const auto yOf = [&](double value) {
        return static_cast<int>(plot.bottom) -
               static_cast<int>(
                   std::lround((value - scale.min) / (scale.max - scale.min) * height));
    };

    // The value axis: grid lines and numbers at every tick.
    const HGDIOBJ oldFont = SelectObject(dc, fonts().normal);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kNumberColour);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    for (int tick = 0; tick < scale.ticks; ++tick) {
        const double value = scale.min + (scale.max - scale.min) * tick / (scale.ticks - 1);
        const int y = yOf(value);
        {
            Pen grid(dc, kGridColour);
            line(dc, plot.left, y, plot.right, y);
        }
        {
            Pen axis(dc, kAxisColour);
            line(dc, plot.left - scaled(kTickLength), y, plot.left, y);
        }
        const std::wstring text = numberText(value);
        RECT box = {chart.left, y - metrics.tmHeight / 2, plot.left - scaled(kTickLength + 3),
                    y + metrics.tmHeight / 2 + 1};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);

    // The bars, from 0 up (or down, for frost), where the core's layout places them.
    const ChartColumnLayout layout =
        chartColumnLayout({}, plot.left, static_cast<double>(plot.right - plot.left));
    const int zero = yOf(0.0);
    const HBRUSH barBrush = CreateSolidBrush(kBarColour);
    const HGDIOBJ oldBrush = SelectObject(dc, barBrush);
    {
        Pen border(dc, kBarBorder);
        for (std::size_t k = 0; k < kChartColumns; ++k) {
            const int left = static_cast<int>(std::lround(layout.centres[k] - layout.barWidth / 2));
            const int right =
                static_cast<int>(std::lround(layout.centres[k] + layout.barWidth / 2));
            const int top = std::min(zero, yOf(values[k]));
            const int bottom = std::max(zero, yOf(values[k]));
            if (bottom > top) {
                Rectangle(dc, left, top, right + 1, bottom + 1);
            }
        }
    }
    SelectObject(dc, oldBrush);
    DeleteObject(barBrush);

    Pen axis(dc, kAxisColour);
    line(dc, plot.left, plot.top, plot.left, plot.bottom + 1);
    line(dc, plot.left, zero, plot.right, zero);
}

void paintAxisCaptions(HDC dc, const RECT& label, std::string_view axisText, Colour text,
                       Colour background) {
    fill(dc, label, background);
    const RECT plot = chartPlotArea(label);
    const ChartColumnLayout layout =
        chartColumnLayout(axisText, plot.left, static_cast<double>(plot.right - plot.left));
    const HGDIOBJ oldFont = SelectObject(dc, fonts().normal);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    for (std::size_t k = 0; k < kChartColumns; ++k) {
        const std::wstring caption = wide(layout.captions[k]);
        const int x = static_cast<int>(std::lround(layout.centres[k])) -
                      scaled(textWidth(fonts().normal, caption)) / 2;
        TextOutW(dc, x, label.top + scaled(2), caption.c_str(), static_cast<int>(caption.size()));
    }
    SelectObject(dc, oldFont);
}

void paintShape(HDC dc, const RECT& area, const ShapeModel& shape, Colour background) {
    fill(dc, area, background);
    const int side = std::min(area.right - area.left, area.bottom - area.top) - scaled(2);
    const int left = area.left + (area.right - area.left - side) / 2;
    const int top = area.top + (area.bottom - area.top - side) / 2;
    // The model's colours are 0x00BBGGRR, as a COLORREF.
    const HBRUSH brush = CreateSolidBrush(shape.FillColor);
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    {
        Pen border(dc, shape.BorderColor, scaled(2));
        Ellipse(dc, left, top, left + side, top + side);
    }
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

std::string chartValuesText(const ChartModel& model) {
    std::string text;
    for (const double value : barValues(model)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        text += (text.empty() ? "" : " ") + std::string(buffer);
    }
    return text;
}

}  // namespace brezzolo::win32
