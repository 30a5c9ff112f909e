#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"
#include "common/settings_codes.h"

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

// The twelve-hour chart has eight columns, oldest first: 12, 8, 4, 2 and 1 hours, 30 and 10
// minutes ago, and now.
inline constexpr std::size_t kChartColumns = 8;

struct ChartModel {
    std::array<double, kChartColumns> values{};
};

// Timer1; the timer rules set it.
struct TimerModel {
    int Interval = 0;  // milliseconds
    bool Enabled = false;
};

// The main window "Brezzolo" as plain data: one field per element that changes while the
// program runs, named as the window names it. The start-up fills it, the cycle and the
// dialogs write it, and a window program only shows it.
struct MainWindowModel {
    // Hidden on a first run until the folder dialog's "ESCI" stores the folders.
    bool Visible = false;
    // The window system's colours; without a window, black text on a light grey background.
    Colour standardTextColour = colours::defaultText;
    Colour backgroundColour = colours::defaultBackground;

    LabelModel Label1;   // the title, fixed
    LabelModel Label2;   // the reading's headline "Situazione meteo di ...": the panel
    LabelModel Label3;   // the release line, fixed
    LabelModel Label4;   // the local situation: the report step
    LabelModel Label5;   // the pressure tendency: the tendency step, at ten-minute marks
    LabelModel Label6;   // outdoor temperature, red below 0: the panel
    LabelModel Label7;   // outdoor humidity: the panel
    LabelModel Label8;   // dew point: the panel
    LabelModel Label9;   // wind chill: the panel
    LabelModel Label10;  // wind speed: the panel
    LabelModel Label11;  // wind direction: the panel
    LabelModel Label12;  // heading "Condizioni - Previsioni - Segnalazioni"
    LabelModel Label13;  // rain total: the panel
    LabelModel Label14;  // rain of the last 24 hours: the panel
    LabelModel Label15;  // rain of the last hour: the panel
    LabelModel Label16;  // relative pressure: the report step
    LabelModel Label17;  // storm alarm caption: the panel
    LabelModel Label18;  // storm alarm state and colour: the panel
    LabelModel Label19;  // the forecast, or the internal error text: the report step
    LabelModel Label20;  // heading "Stringa APRS"
    LabelModel Label21;  // heading "Valori esterni"
    LabelModel Label22;  // heading "Precipitazioni"
    LabelModel Label23;  // heading "Valori minimi e massimi odierni"
    LabelModel Label24;  // the day's lowest temperature: the daily extremes step
    LabelModel Label25;  // the day's highest temperature: the daily extremes step
    LabelModel Label26;  // the day's lowest pressure: the daily extremes step
    LabelModel Label27;  // the day's highest pressure: the daily extremes step
    LabelModel Label28;  // the chart's title: the chart
    LabelModel Label29;  // heat, fog and ice warnings with their colour: the warnings step
    LabelModel Label30;  // heading "Messaggio Utente"
    LabelModel Label31;  // the text of Check1
    LabelModel Label32;  // "Testo", before Text2
    LabelModel Label33;  // absolute pressure: the report step
    LabelModel Label34;  // the chart's time axis, fixed
    LabelModel Label35;  // heading "Seleziona Grafico"
    LabelModel Label36;  // rain since midnight: the panel
    LabelModel Label37;  // emptied by the warnings step

    // The extreme indicators right of Label24 .. Label27, lit by the daily extremes step.
    ShapeModel Shape1, Shape2, Shape3, Shape4;

    std::string Text1;     // the report last written, two lines joined by CR LF: report step
    bool Check1 = false;   // the user message is on: the user
    std::string Text2;     // the user message, at most 20 characters: the user
    bool Option1 = false;  // pressure chart: the chart selector, the cycle, the folder dialog
    bool Option2 = false;  // outdoor temperature chart: the same
    std::string Command1;  // the exit button's caption, set by the start-up
    ChartModel MSChart1;   // the chart's eight values: the chart
    TimerModel Timer1;     // drives the cycles: the timer rules
    // The APRS-IS upload's status line (aprs_is/status_line.h), below the window: after each
    // cycle and when an upload's outcome arrives; empty, and not shown, without aprs-is.brz.
    std::string StatusAprsIs;
    // How the link with the station over its serial cable is doing, below the window as the
    // line above; empty, and not shown, while the files of Heavy Weather are the source.
    std::string StatusStation;
    // The radio's status line (radio/cycle_radio.h), below the upload's, shown like it: empty,
    // and not shown, without tnc.brz.
    std::string StatusRadio;

    // The neutral look of an indicator: the background colour, its border that value plus 1.
    void makeNeutral(ShapeModel& shape) const;
    // Marks the chart selector: Option1 for the pressure chart, Option2 for the outdoor
    // temperature chart, and unmarks the other.
    void markChart(ChartChoice choice);
};

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

}  // namespace brezzolo
