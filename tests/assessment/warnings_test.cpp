#include <string>

#include <gtest/gtest.h>

#include "assessment/warnings.h"

namespace brezzolo {
namespace {

const std::string kNone = "Nessuna segnalazione attiva";
const std::string kFog = "*** Condizioni favorevoli alla formazione di foschia o nebbia ***";
const std::string kHeat = "Indice di calore H =";
const std::string kDanger = "Pericolo!  -  Sospendere attività fisiche";

TEST(Warnings, HeatIndexComfortAndCut) {
    const struct {
        double t, rh, heatIndex, shown;
        const char* comfort;
    } cases[] = {
        {25, 50, 28.2267, 28.2, "Disagio non percepibile"},
        {32, 10, 29.0798, 29.0, "Sensazione di malessere significativa"},
        {30, 60, 38.5545, 38.5, "Sensazione di malessere intensa - No attività gravose"},
        {33, 50, 41.3809, 41.3, "Grave malessere generalizzato - Evitare sforzi fisici"},
        {35, 50, 45.0202, 45.0, "Pericolo!  -  Sospendere attività fisiche"},
        {36, 70, 53.4831, 53.4, "Pericolo!  -  Sospendere attività fisiche"},  // 53 < H <= 54
        {38, 60, 54.4616, 54.4, "Colpo di calore imminente - Pericolo di vita"},
        {-3, 80, -6.3768, -6.4, "Disagio non percepibile"},  // cut towards minus infinity
    };
    for (const auto& c : cases) {
        const double h = heatIndex(c.t, c.rh);
        EXPECT_NEAR(h, c.heatIndex, 1e-4) << c.t << " " << c.rh;
        EXPECT_DOUBLE_EQ(heatIndexShown(h), c.shown) << c.t << " " << c.rh;
        EXPECT_EQ(comfortText(h), c.comfort) << c.t << " " << c.rh;
    }
    EXPECT_EQ(comfortText(54), kDanger);
}

StationReading weather(double t, double rh, double td, double wind) {
    StationReading r;
    r.outdoorTemp = t;
    r.outdoorHumidity = rh;
    r.dewPoint = td;
    r.windSpeedKmh = wind;
    return r;
}

TEST(Warnings, WarningLineTextAndColour) {
    const struct {
        const char* what;
        double t, rh, td, wind;
        std::string text;
        Colour colour;
    } cases[] = {
        {"warm", 25, 50, 10, 5, kHeat + " 28.2   Disagio non percepibile", colours::black},
        {"45.02 shows as 45", 35, 50, 20, 5, kHeat + " 45   " + kDanger, colours::black},
        {"not above 28", 20, 90, 10, 5, kNone, colours::black},
        {"calm and humid", 10, 85, 8, 0, kFog, colours::red},
        {"a breeze of 1 km/h", 10, 85, 8, 1, kNone, colours::black},
        {"fog in the heat", 30, 90, 28, 0, kHeat + " 45.6   " + kDanger, colours::red},
        {"ice", -0.5, 50, -10, 5, "*** Attenzione ghiaccio ***", colours::red},
        {"risk of ice", 0, 50, -10, 5, "*** Condizioni favorevoli alla formazione di ghiaccio ***",
         colours::red},
        {"1 °C is no risk", 1, 50, -10, 5, kNone, colours::black},
        {"fog, risk of ice", 0.5, 90, -1, 0,
         "*** Condizioni favorevoli alla formazione di foschia o nebbia - Possibilità di "
         "ghiaccio ***",
         colours::red},
        {"fog and ice", -2, 90, -4, 0.5,
         "*** Condizioni favorevoli alla formazione di foschia o nebbia - Ghiaccio ***",
         colours::red},
        // The spread between temperature and dew point that means fog, by humidity.
        {"81 %, 3.9", 10, 81, 6.1, 0, kFog, colours::red},
        {"81 %, 4", 10, 81, 6, 0, kNone, colours::black},
        {"80 %, 3.4", 10, 80, 6.6, 0, kFog, colours::red},
        {"75 %, 3.5", 10.1, 75, 6.6, 0, kNone, colours::black},
        {"74 %, 2.9", 10, 74, 7.1, 0, kFog, colours::red},
        {"74 %, 3", 10, 74, 7, 0, kNone, colours::black},
        {"4.1 - 0.1 is 3.9999999999999996", 4.1, 90, 0.1, 0, kNone, colours::black},
    };
    for (const auto& c : cases) {
        const WarningLine line =
            warningLine(weather(c.t, c.rh, c.td, c.wind), "Previsione:  sereno");
        EXPECT_EQ(line.text, c.text) << c.what;
        EXPECT_EQ(line.colour, c.colour) << c.what;
    }
}

TEST(Warnings, StepShowsTheLineOrTheMissingForecast) {
    MainWindowModel window = startupWindowModel(rgb(10, 20, 30));
    window.Label37.Caption = "old";
    window.Label19.Caption = "Previsione:  sereno";
    const StationReading r = weather(38, 60, 20, 5);
    showWarnings(r, window);
    EXPECT_EQ(window.Label29.Caption,
              kHeat + " 54.4   Colpo di calore imminente - Pericolo di vita");
    EXPECT_EQ(window.Label29.ForeColor, colours::black);  // black itself, not the window's text
    EXPECT_EQ(window.Label37.Caption, "");

    window.Label19.Caption = "Errore interno di programma";
    showWarnings(r, window);
    EXPECT_EQ(window.Label29.Caption, "Errore interno di programma");
    EXPECT_EQ(window.Label29.ForeColor, colours::red);
}

}  // namespace
}  // namespace brezzolo
