#include <string>

#include <gtest/gtest.h>

#include "common/appoggio.h"

namespace brezzolo {
namespace {

TEST(Appoggio, StartsWithItsInitialTexts) {
    const Appoggio store;
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"tend1", "tend1"},       {"tend10", "tend10"},       {"statopress", "StatoPress"},
        {"Tendenza", "Tendenza"}, {"Raintoday", "RainToday"}, {"Pmax", "Pmax"},
        {"Pmin", "Pmin"},         {"Tmax", "Tmax"},           {"Tmin", "Tmin"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store.get(c.name), c.text) << c.name;
    }
    EXPECT_EQ(Appoggio::names().size(), 17u);
    EXPECT_FALSE(store.get("tend11"));
    EXPECT_FALSE(store.slotsFilled());
}

TEST(Appoggio, TenShiftsFillTheSlotsOldestLast) {
    Appoggio store;
    for (int cycle = 1; cycle <= 10; ++cycle) {
        store.statopress = std::to_string(cycle - 5);  // "-4" .. "5"
        store.shiftSlots();
        EXPECT_EQ(store.slotsFilled(), cycle == 10) << cycle;
    }
    EXPECT_EQ(store.tend[0], "5");   // tend1, the newest
    EXPECT_EQ(store.tend[9], "-4");  // tend10 holds the first cycle's class

    store.statopress = "0";
    store.shiftSlots();
    EXPECT_EQ(store.tend[9], "-3");  // the oldest is dropped
}

TEST(Appoggio, AnUnsetTrendClassEndsTheUnfilledStateWhenItReachesTheEnd) {
    Appoggio store;  // statopress keeps "StatoPress", whose first letter is not "t"
    for (int cycle = 0; cycle < 10; ++cycle) {
        store.shiftSlots();
    }
    EXPECT_EQ(store.tend[9], "StatoPress");
    EXPECT_TRUE(store.slotsFilled());
}

}  // namespace
}  // namespace brezzolo
