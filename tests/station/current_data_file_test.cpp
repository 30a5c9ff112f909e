#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/current_data_reader.h"
#include "station/current_data_file.h"
#include "station/station_reading_values.h"

namespace brezzolo {
namespace {

const CivilTime kPcNow{2026, 1, 20, 14, 5, 9};

StationValues values(double outdoor, int humidity, double windMs, double direction,
                     double rainTotal) {
    StationValues v;
    v.clock = CivilTime{2024, 2, 29, 7, 5, 9};
    v.forecast = 2;
    v.tendency = 1;
    v.indoorTemp = 21.35;
    v.outdoorTemp = outdoor;
    v.dewPoint = outdoor - 2.5;
    v.windChill = outdoor - 1;
    v.indoorHumidity = 40;
    v.outdoorHumidity = humidity;
    v.windSpeed = windMs;
    v.windDirection = direction;
    v.rain1h = 0.52;
    v.rain24h = 1.04;
    v.rainTotal = rainTotal;
    v.pressureAbs = 1016.2;
    v.pressureRel = 1018.4;
    return v;
}

struct Row {
    const char* name;
    StationValues station;
    // outdoor temp, °F, humidity, dew point, wind km/h, mph, direction, rain total
    std::vector<double> expected;
};

TEST(CurrentDataFile, StationValuesReadBackThroughTheProgramsReader) {
    const Row rows[] = {
        // 4 characters: -7.45 is written -7.5 (one decimal), -12.3 is cut to "-12." by the reader
        {"frost", values(-7.45, 85, 1.2, 22.5, 0), {-7.5, 18, 85, -9.9, 4.3, 2.7, 22, 0}},
        {"deep frost", values(-12.3, 71, 3.5, 135, 5.7), {-12, 9.9, 71, -14, 12.6, 7.8, 135, 5.7}},
        {"calm from the north, saturated",
         values(4.0, 100, 0, 0, 144.52),
         {4, 39, 100, 1.5, 0, 0, 0, 144.5}},
        {"gale from north-northwest",
         values(18.4, 55, 25.1, 337.5, 9999.99),
         {18.4, 65, 55, 15.9, 90.4, 56.1, 337, 10000}},
    };
    for (const Row& row : rows) {
        const CurrentDataConversion c = currentDataValues(row.station, kPcNow);
        ASSERT_TRUE(c.values) << row.name;
        const StationReading r = parseCurrentData(currentDataLines(*c.values, "test"));
        EXPECT_EQ((std::vector{r.outdoorTemp, r.outdoorTempF, r.outdoorHumidity, r.dewPoint,
                               r.windSpeedKmh, r.windSpeedMph, r.windDirection, r.rainTotal}),
                  row.expected)
            << row.name;
        EXPECT_EQ((std::vector{r.forecast, r.tendency, r.indoorTemp, r.indoorHumidity, r.rain1h,
                               r.rain24h, r.pressureAbs, r.pressureRel, r.stormAlarm}),
                  (std::vector{2.0, 1.0, 21.4, 40.0, 0.5, 1.0, 1016.2, 1018.4, 0.0}))
            << row.name;
    }
}

TEST(CurrentDataFile, HeaderTimeIsTheConsolesClockElseThePcsAndTheStormAlarmIsUnknownWhenOn) {
    StationValues station = values(10, 50, 1, 90, 0);
    station.stormWarningEnabled = true;
    StationReading r =
        parseCurrentData(currentDataLines(*currentDataValues(station, kPcNow).values, "test"));
    EXPECT_EQ(r.weekdayName + r.day + r.monthNumber + r.year + r.hour + r.minute + r.second,
              "giovedì29022024070509");
    EXPECT_EQ(r.stormAlarm, -1);

    station.clock.reset();
    r = parseCurrentData(currentDataLines(*currentDataValues(station, kPcNow).values, "test"));
    EXPECT_EQ(r.day + r.monthNumber + r.year + r.hour + r.minute + r.second, "20012026140509");
}

TEST(CurrentDataFile, AReadingWithAMissingValueGivesNoFileValues) {
    StationValues station = values(10, 50, 1, 90, 0);
    station.outdoorHumidity.reset();
    station.windSpeed.reset();
    const CurrentDataConversion c = currentDataValues(station, kPcNow);
    EXPECT_FALSE(c.values);
    EXPECT_EQ(c.missing, "manca: umidità esterna, velocità del vento");
}

}  // namespace
}  // namespace brezzolo
