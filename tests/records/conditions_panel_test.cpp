#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "input/current_data_reader.h"
#include "records/conditions_panel.h"
#include "support/current_data_builder.h"

namespace brezzolo {
namespace {

constexpr Colour kWindowText = rgb(10, 20, 30);

TEST(ConditionsPanel, LabelsShowTheReading) {
    StationReading r =
        parseCurrentData(test::CurrentDataBuilder::typical().put(43, 1, "windchl  -2.5\"").lines());
    r.rainSinceMidnight = 2.2;
    MainWindowModel w = startupWindowModel(kWindowText);
    fillConditionsPanel(r, w);
    EXPECT_EQ(w.Label2.Caption, "Situazione meteo di  lunedì  05 giugno 2006  alle ore 14:05");
    EXPECT_EQ(w.Label6.Caption, "T ext:   21.5 °C");
    EXPECT_EQ(w.Label7.Caption, "Hrel ext:   55 %");
    EXPECT_EQ(w.Label8.Caption, "Dewpoint:   12.1 °C");
    EXPECT_EQ(w.Label9.Caption, "Windchill:  -2.5 °C");
    EXPECT_EQ(w.Label10.Caption, "Vento:   7.2 km/h");
    EXPECT_EQ(w.Label11.Caption, "Direzione:   270 °");
    EXPECT_EQ(w.Label13.Caption, "Totali:   123.4 mm");
    EXPECT_EQ(w.Label14.Caption, "Ultime 24h:   1.5 mm");
    EXPECT_EQ(w.Label15.Caption, "Ultima ora:   .3 mm");
    EXPECT_EQ(w.Label36.Caption, "Dalle 00:00 :   2.2 mm");

    // A reading that could not be read: zeros, and the blanks around the empty names stay.
    fillConditionsPanel(StationReading{}, w);
    EXPECT_EQ(w.Label2.Caption, "Situazione meteo di        alle ore :");
    EXPECT_EQ(w.Label13.Caption, "Totali:   0 mm");
}

TEST(ConditionsPanel, OutdoorTemperatureIsRedOnlyBelowZero) {
    for (const auto& [temperature, caption, colour] :
         {std::tuple{-0.1, "T ext:  -.1 °C", colours::red}, {0.0, "T ext:   0 °C", kWindowText}}) {
        MainWindowModel w = startupWindowModel(kWindowText);
        StationReading r;
        r.outdoorTemp = temperature;
        fillConditionsPanel(r, w);
        EXPECT_EQ(w.Label6.Caption, caption);
        EXPECT_EQ(w.Label6.ForeColor, colour) << temperature;
    }
}

// -1 fault, 0 off, 1 active; any other value is no state the station knows: a fault too.
TEST(ConditionsPanel, StormAlarmWordColourAndNoBorder) {
    for (const auto& [alarm, word, colour] : {std::tuple{-1.0, "* GUASTO *", colours::red},
                                              {0.0, "non attivo", colours::black},
                                              {1.0, "** ATTIVO **", colours::red},
                                              {2.0, "* GUASTO *", colours::red}}) {
        MainWindowModel w = startupWindowModel(kWindowText);  // starts with a border
        StationReading r;
        r.stormAlarm = alarm;
        fillConditionsPanel(r, w);
        EXPECT_EQ(w.Label18.Caption, word) << alarm;
        EXPECT_EQ(w.Label18.ForeColor, colour) << alarm;
        EXPECT_EQ(w.Label18.BorderStyle, 0) << alarm;
        EXPECT_EQ(w.Label17.Caption, "Allarme temporale:  ") << alarm;
    }
}

}  // namespace
}  // namespace brezzolo
