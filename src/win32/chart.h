#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/colour.h"
#include "common/main_window_model.h"

namespace brezzolo::win32 {

// The twelve-hour chart with GDI, placed and scaled by the core's chart layout: MSChart1 draws
// the value axis and the eight bars, Label34 (as wide as MSChart1, right under it) draws its
// captions, each centred under its bar.

// Room left of the plot for the value axis's numbers, in layout units (window.h).
int valueAxisRoom();

// The plot area inside a chart of this size, in pixels: the bars stand between its left and
// right edges.
RECT chartPlotArea(const RECT& chart);

void paintChart(HDC dc, const RECT& chart, const ChartModel& model);
void paintAxisCaptions(HDC dc, const RECT& label, std::string_view axisText, Colour text,
                       Colour background);
// The indicator: a circle in the model's colours, in the middle of the control.
void paintShape(HDC dc, const RECT& area, const ShapeModel& shape, Colour background);

// The chart's values as a text ("1.35 0.75 ..."): the window text of MSChart1, which screen
// readers and the tests read.
std::string chartValuesText(const ChartModel& model);

}  // namespace brezzolo::win32
