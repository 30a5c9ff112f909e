#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"

namespace brezzolo {

// A label of the main window: its caption, text colour and border (0 none, 1 single line).
struct LabelModel {
    std::string Caption;
    Colour ForeColor = colours::defaultText;
    int BorderStyle = 0;
};

// One of the four round extreme indicators.
struct ShapeModel {
    Colour BorderColor = colours::defaultBackground + 1;
    Colour FillColor = colours::defaultBackground;
};

// The twelve-hour chart: one series of eight columns, oldest first.
struct ChartModel {
    std::array<double, 8> values{};
};

struct TimerModel {
    int Interval = 100;  // milliseconds
    bool Enabled = true;
};

// The main window as plain data: one field per element the cycle or the start-up writes or
// reads, named as the window names them. The cycle writes here and never into widgets; the
// window program shows this model after every cycle.
struct MainWindowModel {
    // The window system's colours; without a window, black text on a light grey background.
    Colour standardTextColour = colours::defaultText;
    Colour backgroundColour = colours::defaultBackground;

    LabelModel Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10;
    LabelModel Label11, Label12, Label13, Label14, Label15, Label16, Label17, Label18, Label19;
    LabelModel Label20, Label21, Label22, Label23, Label24, Label25, Label26, Label27, Label28;
    LabelModel Label29, Label30, Label31, Label32, Label33, Label34, Label35, Label36, Label37;

    ShapeModel Shape1, Shape2, Shape3, Shape4;

    std::string Text1;     // the report last written, two lines joined by CR LF
    bool Check1 = false;   // the user message is enabled
    std::string Text2;     // the user message, at most 20 characters
    bool Option1 = false;  // pressure chart
    bool Option2 = false;  // outdoor temperature chart
    ChartModel MSChart1;
    TimerModel Timer1;

    // The neutral look of an indicator: the background colour, its border that value plus 1.
    void makeNeutral(ShapeModel& shape) const;
    // Marks the chart selector: 1 pressure (Option1), 2 outdoor temperature (Option2).
    void markChart(int choice);
};

// The window as the start-up leaves it: the start texts, the release line, the four
// indicators neutral, the timer at 100 ms.
MainWindowModel startupWindowModel(Colour standardText = colours::defaultText,
                                   Colour background = colours::defaultBackground);

// The labels in number order with their names ("Label1" ..), for showing and dumping.
struct NamedLabel {
    std::string_view name;
    LabelModel MainWindowModel::*label;
};
const std::vector<NamedLabel>& mainWindowLabels();

struct NamedShape {
    std::string_view name;
    ShapeModel MainWindowModel::*shape;
};
const std::vector<NamedShape>& mainWindowShapes();

// The most characters the user message keeps.
inline constexpr std::size_t kUserMessageLimit = 20;

// The user message cut to its first 20 characters (characters, not bytes: "à" is one).
std::string limitUserMessage(const std::string& utf8Text);

// The captions of the start-up, kept here so the window and the tests share them.
namespace startTexts {
inline constexpr std::string_view authorCredit = "  -  a cura degli sviluppatori di Brezzolo";
inline constexpr std::string_view chartAxis =
    "-12h          -8h          -4h           -2h           -1h         -30min    -10min    "
    "adesso";
}  // namespace startTexts

}  // namespace brezzolo
