// Our packets through an APRS decoder of others: Dire Wolf's decode_aprs (Debian package
// direwolf). Skipped where it is not installed. That the server receives the packet byte for
// byte is the session test's.

#include <string>

#include <gtest/gtest.h>

#include "aprs_is/packet.h"
#include "support/aprs_decoder.h"
#include "support/current_data_builder.h"

namespace brezzolo {
namespace {

TEST(AprsIsDecode, EveryPacketShapeDecodesAsTheWeatherWeMeant) {
    const auto decoder = test::findAprsDecoder();
    if (!decoder) {
        GTEST_SKIP() << "decode_aprs (package direwolf) is not installed";
    }
    const struct {
        const char* name;
        double latitude, longitude;
        const char* comment;
        void (*change)(StationReading&);
        const char* position;
        const char* weather;  // decode_aprs reads the speed as knots and gives it in mph
    } cases[] = {
        {"typical, with a comment", 41.8917, 12.4883, "Roma Monteverde", [](StationReading&) {},
         "N 41 53.5000, E 012 29.3000",
         "wind 4.6 mph, direction 270, temperature 70, rain 0.01 in last hour, rain 0.06 in "
         "last 24 hours, rain 0.06 since midnight, humidity 55, barometer 29.92, \"Roma "
         "Monteverde\""},
        {"south and west, north wind, frost, saturation", -33.8688, -151.2093, "",
         [](StationReading& r) {
             r.windDirection = 0;
             r.windSpeedMph = 10.3;
             r.outdoorTempF = -5.5;
             r.outdoorHumidity = 100;
             r.pressureRel = 998;
         },
         "S 33 52.1300, W 151 12.5600",
         "wind 11.5 mph, direction 360, temperature -6, rain 0.01 in last hour, rain 0.06 in "
         "last 24 hours, rain 0.06 since midnight, humidity 100, barometer 29.47, \"\""},
        {"no humidity, no pressure; a comment that looks like weather data", 45.0, 9.0,
         "h12 sereno",
         [](StationReading& r) {
             r.outdoorHumidity = 0;
             r.pressureRel = 0;
         },
         "N 45 00.0000, E 009 00.0000",
         "wind 4.6 mph, direction 270, temperature 70, rain 0.01 in last hour, rain 0.06 in "
         "last 24 hours, rain 0.06 since midnight, \" h12 sereno\""},
    };
    for (const auto& c : cases) {
        ReportedReading r = test::typicalReading();
        c.change(r.reading);
        const AprsIsSettings settings{.enabled = true,
                                      .callsign = "IZ0ABC-13",
                                      .host = "",
                                      .latitude = c.latitude,
                                      .longitude = c.longitude,
                                      .comment = c.comment};
        const auto packet = aprsIsPacket(r, settings, fixedOffsetTimeZone(120));
        ASSERT_TRUE(packet) << c.name;
        const std::string text = test::decodedAprs(*decoder, *packet);
        EXPECT_NE(text.find("Weather Report, WEATHER Station"), std::string::npos) << text;
        EXPECT_NE(text.find(std::string("\n") + c.position + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find(std::string("\n") + c.weather + "\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("Didn't"), std::string::npos) << text;
        EXPECT_EQ(text.find("nvalid"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace brezzolo
