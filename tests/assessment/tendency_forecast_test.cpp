#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "assessment/tendency_forecast.h"

namespace brezzolo {
namespace {

// A store whose ten slots hold these blank-separated texts, tend1 first.
Appoggio storeWith(const std::string& slots) {
    Appoggio store;
    std::istringstream in(slots);
    for (std::string& slot : store.tend) {
        in >> slot;
    }
    return store;
}

TEST(TendencyForecast, ClassAndTextAtTheirBoundaries) {
    const struct {
        const char* slots;
        double average;
        TendencyClass tendency;
        const char* text;
    } cases[] = {
        {"1 1 1 1 0 0 0 0 0 0", 0.4, kSteady, "pressione costante"},
        {"1 1 1 1 1 0 0 0 0 0", 0.5, kRising, "pressione in leggero aumento"},
        {"1 1 1 1 1 1 0 0 0 0", 0.6, kRising, "pressione in leggero aumento"},
        {"3 3 3 0 0 0 0 0 0 0", 0.9, kRising, "pressione in leggero aumento"},
        {"1 1 1 1 1 1 1 1 1 1", 1.0, kRising, "pressione in aumento"},
        {"3 3 3 3 3 3 3 3 0 0", 2.4, kRising, "pressione in aumento"},
        {"3 3 3 3 3 3 3 3 1 0", 2.5, kRising, "pressione in forte aumento"},
        {"-1 -1 -1 -1 0 0 0 0 0 0", -0.4, kSteady, "pressione costante"},
        {"-1 -1 -1 -1 -1 0 0 0 0 0", -0.5, kFalling, "pressione in leggera diminuzione"},
        {"-2 -2 -2 0 0 0 0 0 0 0", -0.6, kFalling, "pressione in leggera diminuzione"},
        {"-2 -2 -2 -2 -2 0 0 0 0 0", -1.0, kFalling, "pressione in diminuzione"},
        {"-3 -3 -3 -3 -3 -3 -3 -3 -1 0", -2.5, kFalling, "pressione in forte diminuzione"},
        {"3 StatoPress tend2 tend3 tend4 tend5 tend6 tend7 tend8 tend9", 0.3, kSteady,
         "pressione costante"},  // names read as 0
    };
    for (const auto& c : cases) {
        const double a = tendencyAverage(storeWith(c.slots));
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
        const char* statopress;
        const char* minute;
        TendencyClass tendency;
        const char* label;
    } steps[] = {
        {1, "3", "40", kSteady, "in fase di aggiornamento"},  // 0.3, the others read as 0
        {8, "3", "00", kRising, "in fase di aggiornamento"},  // tend10 holds "tend1"
        {1, "3", "05", kRising, "in fase di aggiornamento"},  // filled, but no mark
        {1, "3", "10", kRising, "pressione in forte aumento"},
        {1, "-3", "11", kRising, "pressione in forte aumento"},   // 2.4, kept until a mark
        {1, "-3", "20", kRising, "pressione in aumento"},         // 1.8
        {1, "-3", "", kRising, "pressione in aumento"},           // no minute, no mark
        {1, "0", "30", kRising, "pressione in leggero aumento"},  // 0.9
        {2, "-3", "50", kSteady, "pressione costante"},           // -0.3
        {1, "-3", "00", kFalling, "pressione in leggera diminuzione"},
    };
    for (const auto& s : steps) {
        store.statopress = s.statopress;
        reading.minute = s.minute;
        std::string forecast;
        for (int i = 0; i < s.cycles; ++i) {
            forecast = applyTendencyAndForecast(reading, store, window);
        }
        EXPECT_EQ(store.tend[0], s.statopress);
        EXPECT_EQ(reading.tendency, s.tendency) << s.minute;
        EXPECT_EQ(window.Label5.Caption, std::string("Tendenza:    ") + s.label) << s.minute;
        EXPECT_EQ(forecast, forecastText(2, s.tendency));
    }
}

TEST(TendencyForecast, ForecastTextAndLabel) {
    const struct {
        double forecast;
        TendencyClass tendency;
        const char* text;
        const char* label;
    } cases[] = {
        {0, kSteady, "Prev. pioggia", "Previsione:  pioggia"},
        {0, kRising, "Prev. molto nuvoloso", "Previsione:  molto nuvoloso"},
        {0, kFalling, "Prev. pioggia", "Previsione:  pioggia"},
        {1, kSteady, "Prev. nuvoloso", "Previsione:  nuvoloso"},
        {1, kRising, "Prev. poco nuvoloso", "Previsione:  poco nuvoloso"},
        {1, kFalling, "Prev. molto nuvoloso", "Previsione:  molto nuvoloso"},
        {2, kSteady, "Prev. sereno", "Previsione:  sereno"},
        {2, kRising, "Prev. sereno", "Previsione:  sereno"},
        {2, kFalling, "Prev. variabile", "Previsione:  variabile"},
        {-1, kSteady, "", "Errore interno di programma"},
        {3, kRising, "", "Errore interno di programma"},
        {1.5, kFalling, "", "Errore interno di programma"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(forecastText(c.forecast, c.tendency), c.text) << c.forecast << c.tendency;
        EXPECT_EQ(forecastLabel(c.text), c.label);
    }
}

}  // namespace
}  // namespace brezzolo
