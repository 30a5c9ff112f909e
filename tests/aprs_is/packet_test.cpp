#include <string>

#include <gtest/gtest.h>

#include "aprs_is/packet.h"
#include "support/aprs_is_test_server.h"
#include "support/current_data_builder.h"

namespace brezzolo {
namespace {

// The typical reading of the test files (test::typicalReading()): Mon Jun 05 14:05:09 2006,
// 270° at 4.5 mph, 70.7 °F, 0.01 in in the last hour, 0.06 in in 24 hours, 55 %, 970.0 hPa
// absolute, 1013.2 relative; sent as IZ0ABC-13 from Rome with the comment "Roma".
AprsIsSettings station() {
    AprsIsSettings settings = test::loopbackSettings(14580);
    settings.comment = "Roma";
    return settings;
}

TEST(AprsIsPacket, WeatherFields) {
    const struct {
        const char* name;
        void (*change)(ReportedReading&);
        const char* expected;
    } cases[] = {
        {"typical", [](ReportedReading&) {}, "270/004g...t070r001p006P006h55b10132"},
        {"north wind is 360, not the unknown 000",
         [](ReportedReading& r) { r.reading.windDirection = 0; },
         "360/004g...t070r001p006P006h55b10132"},
        {"a direction no vane gives is unknown",
         [](ReportedReading& r) { r.reading.windDirection = 400; },
         ".../004g...t070r001p006P006h55b10132"},
        {"frost, saturation, heavy rain",
         [](ReportedReading& r) {
             r.reading.outdoorTempF = -5.5;
             r.reading.outdoorHumidity = 100;
             r.reading.rain1hInch = 1.23;
             r.reading.rain24hInch = 12.5;
             r.rainSinceMidnightMm = 3.175;  // 12.5 hundredths: halves to even, as my_meteo.txt
         },
         "270/004g...t-06r123p999P012h00b10132"},
        {"the sea-level pressure, whatever config.brz reports",
         [](ReportedReading& r) { r.reading.pressureRel = 998; },
         "270/004g...t070r001p006P006h55b09980"},
        {"no humidity and no pressure are unknown, not zeros",
         [](ReportedReading& r) {
             r.reading.outdoorHumidity = 0;
             r.reading.pressureRel = 0;
         },
         "270/004g...t070r001p006P006h..b....."},
    };
    for (const auto& c : cases) {
        ReportedReading r = test::typicalReading();
        c.change(r);
        EXPECT_EQ(aprsIsWeatherFields(r), c.expected) << c.name;
    }
}

TEST(AprsIsPacket, Position) {
    const struct {
        double latitude;
        double longitude;
        const char* expected;
    } cases[] = {
        {41.8917, 12.4883, "4153.50N/01229.30E"},
        {-33.8688, -151.2093, "3352.13S/15112.56W"},
        {41.99999, 179.99999, "4200.00N/18000.00E"},  // rounding carries into the degrees
        {-0.00001, 0, "0000.00N/00000.00E"},          // rounded to nothing: no hemisphere sign
    };
    for (const auto& c : cases) {
        EXPECT_EQ(aprsLatitude(c.latitude) + "/" + aprsLongitude(c.longitude), c.expected)
            << c.latitude << " " << c.longitude;
    }
}

TEST(AprsIsPacket, TheReadingsLocalTimeGoesOutInUtc) {
    const std::string body = "4153.50N/01229.30E_270/004g...t070r001p006P006h55b10132Roma";
    EXPECT_EQ(aprsIsPacket(test::typicalReading(), station(), fixedOffsetTimeZone(120)),
              "IZ0ABC-13>APZBRZ,TCPIP*:/051205z" + body);

    // Just after midnight on New Year's day in Rome is the old year in UTC.
    const ReportedReading r = test::typicalReading("Mon Jan  1 00:30:00 2024");
    EXPECT_EQ(readingStamp(r.reading), "2024-01-01 00:30:00");
    EXPECT_EQ(aprsIsPacket(r, station(), fixedOffsetTimeZone(60)),
              "IZ0ABC-13>APZBRZ,TCPIP*:/312330z" + body);
}

TEST(AprsIsPacket, TheCommentNeverReadsAsWeatherData) {
    const struct {
        const char* comment;
        const char* tail;
    } cases[] = {
        {"", "b10132"},
        {"Roma", "b10132Roma"},
        {"73 de IZ0ABC", "b1013273 de IZ0ABC"},  // the pressure has its five digits
        {"L123 luce", "b10132 L123 luce"},       // not a luminosity
        {"h12 umido", "b10132 h12 umido"},       // not a second humidity
        {"s.5", "b10132 s.5"},
    };
    for (const auto& c : cases) {
        AprsIsSettings settings = station();
        settings.comment = c.comment;
        const std::string packet =
            *aprsIsPacket(test::typicalReading(), settings, fixedOffsetTimeZone(0));
        EXPECT_EQ(packet.substr(packet.find("b10132")), c.tail) << c.comment;
    }
}

TEST(AprsIsPacket, NoPacketForAReadingWithoutAValidTime) {
    for (const char* header : {"Mon Jun 31 14:05:09 2006", "Mon Jux 05 14:05:09 2006",
                               "Mon Jun 05 24:05:09 2006", "Mon Jun 05 14:0x:09 2006"}) {
        const ReportedReading r = test::typicalReading(header);
        EXPECT_FALSE(aprsIsPacket(r, station(), fixedOffsetTimeZone(0))) << header;
        EXPECT_EQ(readingStamp(r.reading), "") << header;
    }
    EXPECT_FALSE(aprsIsPacket(ReportedReading{}, station(), systemTimeZone()));
}

TEST(AprsIsPacket, TheSystemTimeZoneConvertsBothWays) {
    const TimeZone zone = systemTimeZone();
    const CivilTime noon{2024, 7, 15, 12, 0, 0};
    const auto moment = zone.toUtc(noon);
    ASSERT_TRUE(moment);
    EXPECT_EQ(zone.toLocal(*moment), noon);
    EXPECT_FALSE(zone.toUtc({2023, 2, 29, 12, 0, 0}));
    EXPECT_EQ(utcCivilTime(*utcSeconds({1969, 12, 31, 23, 59, 59})),
              (CivilTime{1969, 12, 31, 23, 59, 59}));
}

}  // namespace
}  // namespace brezzolo
