#include <string>

#include <gtest/gtest.h>

#include "records/conditions_panel.h"

namespace brezzolo {
namespace {

constexpr Colour kWindowText = rgb(10, 20, 30);

TEST(ConditionsPanel, LabelsShowTheReading) {
    StationReading r;
    r.weekdayName = "lunedì";
    r.day = "05";
    r.monthName = "giugno";
    r.year = "2006";
    r.hour = "14";
    r.minute = "05";
    r.outdoorTemp = 21.5;
    r.outdoorHumidity = 55;
    r.dewPoint = 12.1;
    r.windChill = -2.5;
    r.windSpeedKmh = 7.2;
    r.windDirection = 359;
    r.rainTotal = 123.4;
    r.rain24h = 1.5;
    r.rain1h = 0.3;
    r.rainSinceMidnight = 2.2;
    MainWindowModel w = startupWindowModel(kWindowText);
    fillConditionsPanel(r, w);
    EXPECT_EQ(w.Label2.Caption, "Situazione meteo di  lunedì  05 giugno 2006  alle ore 14:05");
    EXPECT_EQ(w.Label6.Caption, "T ext:   21.5 °C");
    EXPECT_EQ(w.Label7.Caption, "Hrel ext:   55 %");
    EXPECT_EQ(w.Label8.Caption, "Dewpoint:   12.1 °C");
    EXPECT_EQ(w.Label9.Caption, "Windchill:  -2.5 °C");
    EXPECT_EQ(w.Label10.Caption, "Vento:   7.2 km/h");
    EXPECT_EQ(w.Label11.Caption, "Direzione:   359 °");
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
    const struct {
        double temperature;
        const char* caption;
        Colour colour;
    } cases[] = {
        {-0.1, "T ext:  -.1 °C", colours::red},
        {0, "T ext:   0 °C", kWindowText},
        {0.5, "T ext:   .5 °C", kWindowText},
    };
    for (const auto& c : cases) {
        MainWindowModel w = startupWindowModel(kWindowText);
        StationReading r;
        r.outdoorTemp = c.temperature;
        fillConditionsPanel(r, w);
        EXPECT_EQ(w.Label6.Caption, c.caption);
        EXPECT_EQ(w.Label6.ForeColor, c.colour) << c.temperature;
    }
}

TEST(ConditionsPanel, StormAlarmWordColourAndNoBorder) {
    const struct {
        double alarm;
        const char* word;
        Colour colour;
    } cases[] = {
        {-1, "* GUASTO *", colours::red},  {0, "non attivo", colours::black},
        {1, "** ATTIVO **", colours::red}, {2, "* GUASTO *", colours::red},  // never sent
        {0.5, "* GUASTO *", colours::red},
    };
    for (const auto& c : cases) {
        MainWindowModel w = startupWindowModel(kWindowText);  // starts with a border
        StationReading r;
        r.stormAlarm = c.alarm;
        fillConditionsPanel(r, w);
        EXPECT_EQ(w.Label18.Caption, c.word) << c.alarm;
        EXPECT_EQ(w.Label18.ForeColor, c.colour) << c.alarm;
        EXPECT_EQ(w.Label18.BorderStyle, 0) << c.alarm;
        EXPECT_EQ(w.Label17.Caption, "Allarme temporale:  ") << c.alarm;
    }
}

}  // namespace
}  // namespace brezzolo
