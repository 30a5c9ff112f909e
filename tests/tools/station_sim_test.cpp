#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/appoggio.h"
#include "app/main_window_model.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "input/current_data_reader.h"
#include "input/history_check.h"
#include "input/history_file.h"
#include "records/twelve_hour_chart.h"
#include "station_sim/station_sim.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::readFileBytes;
using test::TempFolder;

sim::CurrentConditions coldWetMorning() {
    sim::CurrentConditions c;
    c.time = {2024, 2, 29, 7, 5, 9};
    c.forecast = 0;
    c.tendency = 2;
    c.indoorTemp = 19.5;
    c.outdoorTemp = -3.4;
    c.indoorHumidity = 52;
    c.outdoorHumidity = 100;
    c.dewPoint = -3.4;
    c.windChill = -8.1;
    c.windSpeedKmh = 16.1;
    c.windDirection = 359.9;
    c.rainTotal = 1234.5;
    c.rain24h = 12.7;
    c.rain1h = 2.5;
    c.pressureAbs = 978.4;
    c.pressureRel = 1001.6;
    c.stormAlarm = 1;
    return c;
}

sim::CurrentConditions warmAfternoon() {
    sim::CurrentConditions c;
    c.time = {2006, 6, 4, 14, 5, 9};
    c.forecast = 2;
    c.tendency = 1;
    c.indoorTemp = 24.0;
    c.outdoorTemp = 31.2;
    c.indoorHumidity = 40;
    c.outdoorHumidity = 7;
    c.dewPoint = -7.5;
    c.windChill = 31.2;
    c.windSpeedKmh = 0.0;
    c.windDirection = 0.4;
    c.rainTotal = 0.0;
    c.rain24h = 0.0;
    c.rain1h = 0.0;
    c.pressureAbs = 1001.0;
    c.pressureRel = 1024.3;
    c.stormAlarm = 0;
    return c;
}

TEST(StationSim, CurrentDataReadsBackThroughTheProgramsReader) {
    const struct {
        sim::CurrentConditions given;
        const char* weekday;
        const char* day;
        const char* month;
        const char* time;   // hour, minute and second
        double fahrenheit;  // as the reader takes it: three characters
        double mph, rain24hInch, rain1hInch, direction;
    } cases[] = {
        {coldWetMorning(), "giovedì", "29", "02", "070509", 25, 10.0, 0.5, 0.1, 359},
        {warmAfternoon(), "domenica", "04", "06", "140509", 88, 0.0, 0.0, 0.0, 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ASSERT_TRUE(sim::writeCurrentData(folder.path(), c.given));
        const std::string bytes = readFileBytes(folder.file("currdat.lst"));
        // CR LF after every line, and at least the 79 lines the reader needs.
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        const auto lines = readRawLines(folder.file("currdat.lst"));
        ASSERT_TRUE(lines);
        EXPECT_GE(lines->size(), 79u);
        for (const std::string& line : *lines) {
            EXPECT_EQ(line.find('\n'), std::string::npos);
        }

        const StationReading r = readStationReading(folder.file("currdat.lst"), "RainToday");
        const sim::CurrentConditions& g = c.given;
        EXPECT_EQ(r.weekdayName, c.weekday);
        EXPECT_EQ(r.day, c.day);
        EXPECT_EQ(r.monthNumber, c.month);
        EXPECT_EQ(r.hour + r.minute + r.second, c.time);
        EXPECT_EQ(r.year, std::to_string(g.time.year));
        EXPECT_DOUBLE_EQ(r.forecast, g.forecast);
        EXPECT_DOUBLE_EQ(r.tendency, g.tendency);
        EXPECT_DOUBLE_EQ(r.indoorTemp, g.indoorTemp);
        EXPECT_DOUBLE_EQ(r.outdoorTemp, g.outdoorTemp);
        EXPECT_DOUBLE_EQ(r.outdoorTempF, c.fahrenheit);
        EXPECT_DOUBLE_EQ(r.indoorHumidity, g.indoorHumidity);
        EXPECT_DOUBLE_EQ(r.outdoorHumidity, g.outdoorHumidity);
        EXPECT_DOUBLE_EQ(r.dewPoint, g.dewPoint);
        EXPECT_DOUBLE_EQ(r.windChill, g.windChill);
        EXPECT_DOUBLE_EQ(r.windSpeedKmh, g.windSpeedKmh);
        EXPECT_DOUBLE_EQ(r.windSpeedMph, c.mph);
        EXPECT_DOUBLE_EQ(r.windDirection, c.direction);
        EXPECT_DOUBLE_EQ(r.rainTotal, g.rainTotal);
        EXPECT_DOUBLE_EQ(r.rain24h, g.rain24h);
        EXPECT_DOUBLE_EQ(r.rain24hInch, c.rain24hInch);
        EXPECT_DOUBLE_EQ(r.rain1h, g.rain1h);
        EXPECT_DOUBLE_EQ(r.rain1hInch, c.rain1hInch);
        EXPECT_DOUBLE_EQ(r.pressureAbs, g.pressureAbs);
        EXPECT_DOUBLE_EQ(r.pressureRel, g.pressureRel);
        EXPECT_DOUBLE_EQ(r.stormAlarm, g.stormAlarm);
    }
}

TEST(StationSim, HeaderTimeAndCalendar) {
    const struct {
        sim::CivilTime time;
        const char* header;
    } cases[] = {
        {{2006, 6, 5, 14, 5, 9}, "Mon Jun 05 14:05:09 2006"},
        {{2024, 2, 29, 0, 0, 0}, "Thu Feb 29 00:00:00 2024"},
        {{1999, 12, 31, 23, 59, 0}, "Fri Dec 31 23:59:00 1999"},
        {{2000, 1, 1, 0, 0, 0}, "Sat Jan 01 00:00:00 2000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sim::headerTime(c.time), c.header);
        sim::CivilTime back = sim::civilTimeAt(sim::minuteOf(c.time));
        back.second = c.time.second;
        EXPECT_EQ(back, c.time) << c.header;
    }
    EXPECT_EQ(sim::minuteOf({2000, 1, 2, 0, 1, 0}), 1441);
    EXPECT_EQ(sim::minuteOf({1999, 12, 31, 23, 59, 0}), -1);

    EXPECT_EQ(sim::parseCivilTime("2024-02-29 13:45"), (sim::CivilTime{2024, 2, 29, 13, 45, 0}));
    for (const char* bad :
         {"2023-02-29 10:00", "2024-13-01 10:00", "2024-01-01 24:00", "2024-01-01 10:60",
          "2024-1-01 10:00", "2024-01-01T10:00", "2024-01-01 10:00 ", "+024-01-01 10:00", ""}) {
        EXPECT_FALSE(sim::parseCivilTime(bad)) << bad;
    }
}

TEST(StationSim, GeneratedFolderReadsBackThroughTheHistoryFormat) {
    TempFolder folder;
    sim::GenerationOptions options;
    options.seed = 42;
    options.start = {2024, 3, 10, 0, 0, 0};
    options.days = 2;
    options.intervalMinutes = 5;
    const auto generated = sim::generateFolder(folder.path(), options);
    ASSERT_TRUE(generated);
    EXPECT_EQ(generated->recordCount, 2 * 288 + 1);
    EXPECT_EQ(generated->latest.time, (sim::CivilTime{2024, 3, 12, 0, 0, 0}));

    const std::string historyPath = folder.file("history.dat");
    const auto layout = readHistoryLayout(historyPath);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->recordCount, 577);
    EXPECT_EQ(layout->sampleInterval, 5);

    // Every record: times 5 minutes apart, the rain total never going down, plausible values
    // and only the four fields set.
    const std::string bytes = readFileBytes(historyPath);
    ASSERT_EQ(bytes.size(), 577 * kHistoryRecordSize);
    HistoryRecord previous{};
    for (std::size_t k = 0; k < 577; ++k) {
        HistoryRecordBytes one;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(k * kHistoryRecordSize), one.size(),
                    one.begin());
        const HistoryRecord r = decodeHistoryRecord(one);
        EXPECT_EQ(encodeHistoryRecord(r), one) << "record " << k + 1;
        if (k > 0) {
            EXPECT_EQ(r.time - previous.time, 300);
            EXPECT_GE(r.rainTotal, previous.rainTotal);
        }
        EXPECT_GT(r.pressureAbs, 900.0f);
        EXPECT_LT(r.pressureAbs, 1050.0f);
        EXPECT_GT(r.outdoorTemp, -30.0f);
        EXPECT_LT(r.outdoorTemp, 45.0f);
        previous = r;
    }

    // The last record is the reading of currdat.lst, still in progress.
    const StationReading reading = readStationReading(folder.file("currdat.lst"), "");
    EXPECT_EQ(previous.outdoorTemp, static_cast<float>(reading.outdoorTemp));
    EXPECT_EQ(previous.pressureAbs, static_cast<float>(reading.pressureAbs));
    EXPECT_EQ(previous.rainTotal, static_cast<float>(reading.rainTotal));
    EXPECT_EQ(reading.hour + ":" + reading.minute, "00:00");
    EXPECT_LE(reading.rain1h, reading.rain24h);
    EXPECT_LE(reading.outdoorHumidity, 100);
    EXPECT_GE(reading.forecast, 0);
    EXPECT_LE(reading.forecast, 2);

    // The program's stages work on it.
    Appoggio store;
    EXPECT_TRUE(checkHistory(folder.path(), "history.dat", store));
    MainWindowModel window;
    EXPECT_TRUE(drawTwelveHourChart(folder.path(), "history.dat", window, store));
}

TEST(StationSim, TheSameSeedGivesTheSameFiles) {
    sim::GenerationOptions options;
    options.start = {2023, 11, 30, 22, 10, 0};
    options.days = 0.5;
    options.intervalMinutes = 10;
    TempFolder a, b, c;
    options.seed = 7;
    ASSERT_TRUE(sim::generateFolder(a.path(), options));
    ASSERT_TRUE(sim::generateFolder(b.path(), options));
    options.seed = 8;
    ASSERT_TRUE(sim::generateFolder(c.path(), options));
    EXPECT_EQ(readFileBytes(a.file("history.dat")), readFileBytes(b.file("history.dat")));
    EXPECT_EQ(readFileBytes(a.file("currdat.lst")), readFileBytes(b.file("currdat.lst")));
    EXPECT_NE(readFileBytes(a.file("history.dat")), readFileBytes(c.file("history.dat")));
}

TEST(StationSim, RainIsCountedAndNeverGoesDown) {
    // A month of minutes: showers come and go, the 1-hour and 24-hour rain follow the total.
    sim::StationSimulator station(3, sim::minuteOf({2024, 10, 1, 0, 0, 0}));
    double lastTotal = station.conditions().rainTotal;
    bool rained = false;
    for (int minute = 0; minute < 30 * 1440; ++minute) {
        station.advance();
        const sim::CurrentConditions c = station.conditions();
        ASSERT_GE(c.rainTotal, lastTotal);
        ASSERT_GE(c.rain1h, 0);
        ASSERT_LE(c.rain1h, c.rain24h + 1e-9);
        rained = rained || c.rainTotal > lastTotal;
        lastTotal = c.rainTotal;
    }
    EXPECT_TRUE(rained);
}

TEST(StationSim, HistoryRecordsAreAppended) {
    TempFolder folder;
    const std::string path = folder.file("history.dat");
    ASSERT_TRUE(sim::writeHistory(path, {{60, 1000.0f, 1.0f, 2.0f}, {120, 1001.0f, 1.0f, 2.5f}}));
    ASSERT_TRUE(sim::appendHistory(path, {{180, 1002.0f, 1.5f, 3.0f}}));
    const auto layout = readHistoryLayout(path);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->recordCount, 3);
    EXPECT_EQ(layout->sampleInterval, 1);
    auto reader = HistoryReader::open(path);
    EXPECT_EQ(reader->read(3)->pressureAbs, 1002.0f);
}

TEST(StationSim, CommandLine) {
    const auto parsed =
        sim::parseSimOptions({"--folder", "hw", "--seed", "9", "--start", "2024-05-31 18:00",
                              "--days", "3652.5", "--interval", "10", "--follow"});
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->folder, "hw");
    EXPECT_EQ(parsed->seed, 9u);
    EXPECT_EQ(parsed->start, (sim::CivilTime{2024, 5, 31, 18, 0, 0}));
    EXPECT_EQ(parsed->days, 3652.5);
    EXPECT_EQ(parsed->intervalMinutes, 10);
    EXPECT_TRUE(parsed->follow);

    const auto defaults = sim::parseSimOptions({"--folder", "hw"});
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->seed, 1u);
    EXPECT_FALSE(defaults->start);
    EXPECT_EQ(defaults->days, 1);
    EXPECT_EQ(defaults->intervalMinutes, 5);
    EXPECT_TRUE(sim::parseSimOptions({"--help"}));

    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--folder"},
        {"--folder", ""},
        {"--folder", "hw", "--seed", "-1"},
        {"--folder", "hw", "--days", "-1"},
        {"--folder", "hw", "--days", "nan"},
        {"--folder", "hw", "--interval", "0"},
        {"--folder", "hw", "--interval", "2.5"},
        {"--folder", "hw", "--start", "yesterday"},
        {"--folder", "hw", "--frobnicate"},
        {"--folder", "hw", "extra"},
    };
    for (const auto& args : bad) {
        EXPECT_FALSE(sim::parseSimOptions(args)) << (args.empty() ? "" : args.back());
    }
}

TEST(StationSim, ProgramWritesTheFolderAndRejectsBadOptions) {
    TempFolder folder;
    const std::string program = "\"" BREZZOLO_STATION_SIM_PATH "\"";
    const std::string quiet =
        " > \"" + folder.file("out.txt") + "\" 2> \"" + folder.file("err.txt") + "\"";
    EXPECT_EQ(test::runProgram(program + " --frobnicate" + quiet), 2);
    EXPECT_NE(readFileBytes(folder.file("err.txt")).find("usage:"), std::string::npos);
    EXPECT_EQ(test::runProgram(program + " --help" + quiet), 0);

    const std::string hw = folder.file("hw");
    EXPECT_EQ(test::runProgram(program + " --folder \"" + hw + "\" --days 0.25" + quiet), 0);
    const auto layout = readHistoryLayout(*joinPath(hw, "history.dat"));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->recordCount, 73);
    EXPECT_TRUE(fileExists(*joinPath(hw, "currdat.lst")));
}

}  // namespace
}  // namespace brezzolo
