#include <string>

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "assessment/warnings.h"

namespace brezzolo {
namespace {

const std::string kNone = "Nessuna segnalazione attiva";
const std::string kFog = "*** Condizioni favorevoli alla formazione di foschia o nebbia ***";
const std::string kHeat = "Indice di calore H =";
const std::string kDanger = "Pericolo!  -  Sospendere attività fisiche";

TEST(Warnings, HeatIndexIsCutDownAndTheDangerBandIncludesItsTop) {
    EXPECT_NEAR(heatIndex(36, 70), 53.4831, 1e-4);
    EXPECT_NEAR(heatIndex(-3, 80), -6.3768, 1e-4);
    EXPECT_DOUBLE_EQ(heatIndexShown(heatIndex(-3, 80)), -6.4);  // towards minus infinity
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

TEST(Warnings, StepShowsTheLineInItsColour) {
    const std::string fogAnd = "*** Condizioni favorevoli alla formazione di foschia o nebbia - ";
    const struct {
        const char* what;
        double t, rh, td, wind;
        std::string text;
        bool red;
        const char* forecast = "Previsione:  sereno";  // Label19
    } cases[] = {
        {"warm", 25, 50, 10, 5, kHeat + " 28.2   Disagio non percepibile", false},
        {"H 29.07", 32, 10, 0, 5, kHeat + " 29   Sensazione di malessere significativa", false},
        {"H 38.55", 30, 60, 0, 5,
         kHeat + " 38.5   Sensazione di malessere intensa - No attività gravose", false},
        {"H 41.38", 33, 50, 0, 5,
         kHeat + " 41.3   Grave malessere generalizzato - Evitare sforzi fisici", false},
        {"53 < H <= 54 keeps the danger", 36, 70, 0, 5, kHeat + " 53.4   " + kDanger, false},
        {"H 54.46", 38, 60, 0, 5, kHeat + " 54.4   Colpo di calore imminente - Pericolo di vita",
         false},
        {"28.05 shows as 28: not above", 25, 49, 10, 5, kNone, false},
        {"calm and humid", 10, 85, 8, 0, kFog, true},
        {"a breeze of 1 km/h", 10, 85, 8, 1, kNone, false},
        {"fog in the heat", 30, 90, 28, 0, kHeat + " 45.6   " + kDanger, true},
        {"ice", -0.5, 50, -10, 5, "*** Attenzione ghiaccio ***", true},
        {"risk of ice", 0, 50, -10, 5, "*** Condizioni favorevoli alla formazione di ghiaccio ***",
         true},
        {"1 °C is no risk", 1, 50, -10, 5, kNone, false},
        {"fog, risk of ice", 0.5, 90, -1, 0, fogAnd + "Possibilità di ghiaccio ***", true},
        {"fog and ice", -2, 90, -4, 0.5, fogAnd + "Ghiaccio ***", true},
        // The spread between temperature and dew point that means fog, by humidity.
        {"81 %, 3.9", 10, 81, 6.1, 0, kFog, true},
        {"81 %, 4", 10, 81, 6, 0, kNone, false},
        {"80 %, 3.4", 10, 80, 6.6, 0, kFog, true},
        {"75 %, 3.5", 10.1, 75, 6.6, 0, kNone, false},
        {"74 %, 2.9", 10, 74, 7.1, 0, kFog, true},
        {"74 %, 3", 10, 74, 7, 0, kNone, false},
        {"4.1 - 0.1 is 3.9999999999999996", 4.1, 90, 0.1, 0, kNone, false},
        {"no forecast", 25, 50, 10, 5, "Errore interno di programma", true,
         "Errore interno di programma"},
    };
    for (const auto& c : cases) {
        MainWindowModel window = startupWindowModel(rgb(10, 20, 30));  // not black text
        window.Label19.Caption = c.forecast;
        window.Label37.Caption = "old";
        showWarnings(weather(c.t, c.rh, c.td, c.wind), window);
        EXPECT_EQ(window.Label29.Caption, c.text) << c.what;
        EXPECT_EQ(window.Label29.ForeColor, c.red ? colours::red : colours::black) << c.what;
        EXPECT_EQ(window.Label37.Caption, "");
    }
}

}  // namespace
}  // namespace brezzolo
