#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "assessment/tendency_forecast.h"

namespace brezzolo {
namespace {

TEST(TendencyForecast, ClassAndTextAtTheirBoundaries) {
    const struct {
        const char* slots;  // tend1 first; the slots not given keep their initial names
        double average;
        TendencyClass tendency;
        const char* text;
    } cases[] = {
        {"1 1 1 1 1 0 0 0 0 0", 0.5, kRising, "pressione in leggero aumento"},
        {"3 3 3 0 0 0 0 0 0 0", 0.9, kRising, "pressione in leggero aumento"},
        {"1 1 1 1 1 1 1 1 1 1", 1.0, kRising, "pressione in aumento"},
        {"3 3 3 3 3 3 3 3 1 0", 2.5, kRising, "pressione in forte aumento"},
        {"-1 -1 -1 -1 -1 0 0 0 0 0", -0.5, kFalling, "pressione in leggera diminuzione"},
        {"-2 -2 -2 -2 -2 0 0 0 0 0", -1.0, kFalling, "pressione in diminuzione"},
        {"-3 -3 -3 -3 -3 -3 -3 -3 -1 0", -2.5, kFalling, "pressione in forte diminuzione"},
        {"3 StatoPress", 0.3, kSteady, "pressione costante"},  // names read as 0
    };
    for (const auto& c : cases) {
        Appoggio store;
        std::istringstream in(c.slots);
        for (std::string& slot : store.tend) {
            in >> slot;
        }
        const double a = tendencyAverage(store);
        EXPECT_EQ(a, c.average) << c.slots;  // exactly: the whole sum is divided once
        EXPECT_EQ(tendencyClass(a), c.tendency) << c.slots;
        EXPECT_EQ(tendencyText(c.tendency, a), c.text) << c.slots;
    }
}

TEST(TendencyForecast, LabelChangesAtTenMinuteMarksOnceTheSlotsAreFilled) {
    Appoggio store;
    MainWindowModel window = startupWindowModel();
    StationReading reading;
    reading.forecast = 2;
    const struct {
        int cycles;
        const char *statopress, *minute;
        TendencyClass tendency;
        const char* label;
    } steps[] = {
        {1, "3", "40", kSteady, "in fase di aggiornamento"},  // 0.3, the others read as 0
        {8, "3", "00", kRising, "in fase di aggiornamento"},  // tend10 holds "tend1"
        {1, "3", "05", kRising, "in fase di aggiornamento"},  // filled, but no mark
        {1, "3", "10", kRising, "pressione in forte aumento"},
        {1, "-3", "11", kRising, "pressione in forte aumento"},         // 2.4, kept until a mark
        {1, "-3", "", kRising, "pressione in forte aumento"},           // 1.8, no minute, no mark
        {4, "-3", "50", kFalling, "pressione in leggera diminuzione"},  // -0.6
    };
    for (const auto& s : steps) {
        store.statopress = s.statopress;
        reading.minute = s.minute;
        for (int i = 0; i < s.cycles; ++i) {
            applyTendencyAndForecast(reading, store, window);
        }
        EXPECT_EQ(reading.tendency, s.tendency) << s.minute;
        EXPECT_EQ(window.Label5.Caption, std::string("Tendenza:    ") + s.label) << s.minute;
    }
}

TEST(TendencyForecast, ForecastTextAndLabel) {
    EXPECT_EQ(forecastText(StationForecast::Cloudy, kRising), "Prev. poco nuvoloso");
    EXPECT_EQ(forecastText(StationForecast::Sunny, kFalling), "Prev. variabile");
    EXPECT_EQ(forecastText(forecastCode(-1), kSteady), "");  // no forecast from the station
    EXPECT_EQ(forecastText(forecastCode(1.5), kFalling), "");
    EXPECT_EQ(forecastLabel("Prev. molto nuvoloso"), "Previsione:  molto nuvoloso");
    EXPECT_EQ(forecastLabel(""), "Errore interno di programma");
}

}  // namespace
}  // namespace brezzolo
