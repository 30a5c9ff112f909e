#include <gtest/gtest.h>

#include "assessment/local_situation.h"

namespace brezzolo {
namespace {

TEST(LocalSituation, SkyOrRainThenWind) {
    const struct {
        double forecast, rain1h, windKmh;
        const char* expected;
    } cases[] = {
        {2, 0, 5, "sereno-brezza"},
        {2, 0, 0, "sereno"},
        {1, 0, 0, "nuvoloso"},
        {0, 0, 10, "nuvoloso-vento"},
        {1, 0.5, 0, "pioviggine"},
        {2, 2.9, 7.4, "pioviggine-brezza"},
        {0, 3, 7.5, "pioggia-vento"},
        {1, 14.9, 14.9, "pioggia-vento"},
        {1, 15, 15, "pioggia intensa-vento forte"},
        {2, 20, 40, "pioggia intensa-vento forte"},
        {2, 0, -1, "sereno"},               // a negative wind counts as calm
        {1, -0.3, 0.1, "nuvoloso-brezza"},  // and a negative rain as dry
        {-1, 20, 40, ""},
        {3, 0, 5, ""},
        {0.5, 0, 5, ""},
    };
    for (const auto& c : cases) {
        StationReading r;
        r.forecast = c.forecast;
        r.rain1h = c.rain1h;
        r.windSpeedKmh = c.windKmh;
        EXPECT_EQ(localSituation(r), c.expected)
            << c.forecast << " " << c.rain1h << " " << c.windKmh;
    }
}

TEST(LocalSituation, Caption) {
    EXPECT_EQ(localSituationCaption("pioggia-vento"), "Condizioni attuali:  pioggia-vento");
    EXPECT_EQ(localSituationCaption(""), "Condizioni attuali:  ");
}

}  // namespace
}  // namespace brezzolo
