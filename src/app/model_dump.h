#pragma once

#include <string>

#include "common/appoggio.h"
#include "common/main_window_model.h"

namespace brezzolo {

// The window model and the scratch store as "name=value" lines (UTF-8, LF-ended), in a fixed
// order: the labels, the colours and borders the cycle sets, the indicators, Text1 (CR and LF
// written as \r and \n), Check1, Text2, Option1, Option2, the chart's eight values, the timer
// and the seventeen scratch values.
std::string dumpModel(const MainWindowModel& window, const Appoggio& store);

}  // namespace brezzolo
