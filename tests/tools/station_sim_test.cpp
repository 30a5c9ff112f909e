#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "input/current_data_reader.h"
#include "input/history_file.h"
#include "station_sim/station_sim.h"
#include "support/platform.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "version.h"

namespace brezzolo {
namespace {

using test::readFileBytes;

TEST(StationSim, CurrentDataReadsBackThroughTheProgramsReader) {
    // A cold, wet leap-day morning; every value differs, so no two lines can swap unseen.
    const sim::CivilTime time{2024, 2, 29, 7, 5, 9};
    const sim::CurrentConditions given{time, 0,     2,      19.5, -3.4, 52,    100,    -4.1, -8.1,
                                       16.1, 359.9, 1234.5, 12.7, 2.5,  978.4, 1001.6, 1};
    test::TempFolder folder;
    ASSERT_TRUE(sim::writeCurrentData(folder.path(), given));
    const StationReading r = readStationReading(folder.file("currdat.lst"), "RainToday");
    EXPECT_EQ(r.weekdayName + r.day + r.monthNumber + r.year + r.hour + r.minute + r.second,
              "giovedì29022024070509");
    // °F as the reader takes it (three characters), mph, inches and whole degrees worked out.
    EXPECT_EQ((std::vector{r.forecast,     r.tendency,       r.indoorTemp,      r.outdoorTemp,
                           r.outdoorTempF, r.indoorHumidity, r.outdoorHumidity, r.dewPoint,
                           r.windChill,    r.windSpeedKmh,   r.windSpeedMph,    r.windDirection,
                           r.rainTotal,    r.rain24h,        r.rain24hInch,     r.rain1h,
                           r.rain1hInch,   r.pressureAbs,    r.pressureRel,     r.stormAlarm}),
              (std::vector{0.0,  2.0,   19.5,   -3.4, 25.0, 52.0, 100.0, -4.1,  -8.1,   16.1,
                           10.0, 359.0, 1234.5, 12.7, 0.5,  2.5,  0.1,   978.4, 1001.6, 1.0}));
}

TEST(StationSim, GeneratedFolderReadsBackThroughTheHistoryFormat) {
    test::TempFolder a, b;
    sim::GenerationOptions options{42, {2024, 3, 10, 0, 0, 0}, 2, 5};
    const auto generated = sim::generateFolder(a.path(), options);
    ASSERT_TRUE(generated);
    // Two days of 5-minute records, the last one being the reading in currdat.lst.
    EXPECT_EQ(generated->latest.time, (sim::CivilTime{2024, 3, 12, 0, 0, 0}));
    EXPECT_EQ(sim::headerTime(sim::civilTimeAt(-1)), "Fri Dec 31 23:59:00 1999");  // before 2000
    const auto layout = readHistoryLayout(a.file("history.dat"));
    ASSERT_TRUE(layout);
    ASSERT_EQ(std::tuple(layout->recordCount, layout->sampleInterval), std::tuple(577.0, 5.0));
    auto history = HistoryReader::open(a.file("history.dat"));
    HistoryRecord last = history->read(1).value();
    for (int k = 2; k <= 577; ++k) {
        const HistoryRecord record = history->read(k).value();
        EXPECT_TRUE(record.time - last.time == 300 && record.rainTotal >= last.rainTotal) << k;
        last = record;
    }
    const StationReading now = readStationReading(a.file("currdat.lst"), "");
    EXPECT_EQ(std::tuple(last.outdoorTemp, last.pressureAbs, last.rainTotal),
              std::tuple(static_cast<float>(now.outdoorTemp), static_cast<float>(now.pressureAbs),
                         static_cast<float>(now.rainTotal)));
    options.seed = 43;  // the same seed gives the same files: see the program's own test
    ASSERT_TRUE(sim::generateFolder(b.path(), options));
    EXPECT_NE(readFileBytes(a.file("history.dat")), readFileBytes(b.file("history.dat")));
    ASSERT_TRUE(sim::appendHistory(a.file("history.dat"), {{0, 1002.5f, 1.5f, 3.0f}}));  // --follow
    EXPECT_EQ(HistoryReader::open(a.file("history.dat"))->read(578).value().pressureAbs, 1002.5f);
}

TEST(StationSim, RainIsCountedAndNeverGoesDown) {
    // A month of minutes: showers come and go, the 1-hour and 24-hour rain follow the total.
    sim::StationSimulator station(3, 0);
    const double first = station.conditions().rainTotal;
    double total = first;
    for (int minute = 0; minute < 30 * 1440; ++minute) {
        station.advance();
        const sim::CurrentConditions c = station.conditions();
        ASSERT_TRUE(c.rainTotal >= total && c.rain1h >= 0 && c.rain1h <= c.rain24h + 1e-9);
        total = c.rainTotal;
    }
    EXPECT_GT(total, first);
}

TEST(StationSim, CommandLine) {
    EXPECT_TRUE(sim::parseSimOptions({"--folder", "hw", "--follow"})->follow);
    EXPECT_TRUE(sim::parseSimOptions({"--version"})->version);
    EXPECT_FALSE(sim::parseSimOptions({}) || sim::parseSimOptions({"--folder"}));
    const std::pair<const char*, const char*> bad[] = {
        {"--folder", ""},    {"--seed", "-1"},      {"--days", "-1"},     {"--days", "nan"},
        {"--interval", "0"}, {"--interval", "2.5"}, {"--frobnicate", "1"}};
    for (const auto& [option, value] : bad) {
        EXPECT_FALSE(sim::parseSimOptions({"--folder", "hw", option, value})) << option << value;
    }
    for (const char* start : {"2023-02-29 10:00", "2024-01-01 24:00", "2024-01-01 10:60",
                              "2024-01-01T10:00", "+024-01-01 10:00", "yesterday"}) {
        EXPECT_FALSE(sim::parseSimOptions({"--folder", "hw", "--start", start})) << start;
    }
}

TEST(StationSim, ProgramWritesWhatTheSameOptionsGiveInProcess) {
    test::TempFolder folder, same;
    const std::string run = "\"" BREZZOLO_STATION_SIM_PATH "\" ";
    const std::string quiet = " > \"" + folder.file("out") + "\" 2> \"" + folder.file("err") + "\"";
    EXPECT_EQ(test::runProgram(run + "--frobnicate" + quiet), 2);
    EXPECT_EQ(test::runProgram(run + "--version" + quiet), 0);
    EXPECT_EQ(readFileBytes(folder.file("out")),
              std::string("brezzolo-station-sim ") + version::dotted + test::consoleLineEnd());
    const std::string options = "--seed 9 --start \"2024-05-31 18:00\" --days 0.25 --interval 10";
    EXPECT_EQ(test::runProgram(run + options + " --folder \"" + folder.path() + "\"" + quiet), 0);
    ASSERT_TRUE(sim::generateFolder(same.path(), {9, {2024, 5, 31, 18, 0, 0}, 0.25, 10}));
    for (const char* file : {"history.dat", "currdat.lst"}) {
        EXPECT_EQ(readFileBytes(folder.file(file)), readFileBytes(same.file(file))) << file;
    }
}

}  // namespace
}  // namespace brezzolo
