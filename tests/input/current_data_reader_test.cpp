#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/current_data_reader.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::CurrentDataBuilder;
using test::TempFolder;

TEST(CurrentDataReader, HeaderPiecesStayTextAndNamesAreTranslated) {
    const struct {
        const char* header;
        const char* weekday;
        const char* day;
        const char* monthName;
        const char* monthNumber;
        const char* hour;
        const char* minute;
        const char* second;
        const char* year;
    } cases[] = {
        {"Sun Jun  4 14:05:09 2006", "domenica", " 4", "giugno", "06", "14", "05", "09", "2006"},
        {"Mon Dec 07 00:00:00 2026", "lunedì", "07", "dicembre", "12", "00", "00", "00", "2026"},
        {"Wed Jan 31 23:59:59 2025", "mercoledì", "31", "gennaio", "01", "23", "59", "59", "2025"},
        // Names match exactly and case-sensitively, or leave the Italian name empty.
        {"sun jun 04 14:05:09 2006", "", "04", "", "", "14", "05", "09", "2006"},
        {"Xyz Foo 04 14:05:09 2006", "", "04", "", "", "14", "05", "09", "2006"},
    };
    for (const auto& c : cases) {
        const StationReading r = parseCurrentData(CurrentDataBuilder().header(c.header).lines());
        EXPECT_EQ(r.weekdayName, c.weekday) << c.header;
        EXPECT_EQ(r.day, c.day) << c.header;
        EXPECT_EQ(r.monthName, c.monthName) << c.header;
        EXPECT_EQ(r.monthNumber, c.monthNumber) << c.header;
        EXPECT_EQ(r.hour, c.hour) << c.header;
        EXPECT_EQ(r.minute, c.minute) << c.header;
        EXPECT_EQ(r.second, c.second) << c.header;
        EXPECT_EQ(r.year, c.year) << c.header;
        EXPECT_EQ(r.monthAbbrev, std::string(c.header).substr(4, 3));
    }
}

// A line break inside a piece would break the report's time line and the snapshot files.
TEST(CurrentDataReader, ControlCharactersInTheHeaderReadAsQuestionMarks) {
    const StationReading r = parseCurrentData(CurrentDataBuilder()
                                                  .header("Mon Ju\r 0\t 1\x01:05:\x7f"
                                                          "9 2006")
                                                  .lines());
    EXPECT_EQ(r.weekdayName, "lunedì");
    EXPECT_EQ(r.monthAbbrev, "Ju?");
    EXPECT_EQ(r.monthName, "");
    EXPECT_EQ(r.day, "0?");
    EXPECT_EQ(r.hour, "1?");
    EXPECT_EQ(r.minute, "05");
    EXPECT_EQ(r.second, "?9");
    EXPECT_EQ(r.year, "2006");
}

TEST(CurrentDataReader, FieldsAreCutAtTheirColumnsAndWidths) {
    const struct {
        int line, column;
        const char* text;
        double StationReading::*field;
        double value;
    } cases[] = {
        {29, 10, "21.5\" C", &StationReading::outdoorTemp, 21.5},
        {29, 10, "-12.75", &StationReading::outdoorTemp, -12},  // four characters: "-12."
        {30, 10, "-15.2", &StationReading::outdoorTempF, -15},  // °F keeps three characters
        {30, 10, "5.9\"", &StationReading::outdoorTempF, 5.9},
        {30, 10, "100.4", &StationReading::outdoorTempF, 100},
        {36, 12, "100\"", &StationReading::outdoorHumidity, 100},  // not cut to 10
        {36, 12, "85\"", &StationReading::outdoorHumidity, 85},
        {36, 12, "5\"", &StationReading::outdoorHumidity, 5},
        {33, 12, "100\"", &StationReading::indoorHumidity, 100},
        {54, 8, "359.9\"", &StationReading::windDirection, 359},  // rounded down
        {54, 8, "0.4\"", &StationReading::windDirection, 0},
        {58, 7, "1234.5678", &StationReading::rainTotal, 1234.5},  // six characters
        {63, 9, "0.29 in\"", &StationReading::rain24hInch, 0.29},
        {74, 8, "1013.25 hPa", &StationReading::pressureRel, 1013.25},  // to the end of the line
        {79, 10, "-1\"", &StationReading::stormAlarm, -1},
        {17, 10, "no number", &StationReading::forecast, 0},
        {29, 200, "21.5", &StationReading::outdoorTemp, 0},  // column past the end of the line
    };
    for (const auto& c : cases) {
        CurrentDataBuilder b;
        b.put(c.line, 1, "xxxxxxxxxxxxxx").put(c.line, c.column, c.text);
        if (c.column > 100) {
            b.put(c.line, 1, "short");
        }
        EXPECT_DOUBLE_EQ(parseCurrentData(b.lines()).*c.field, c.value)
            << "line " << c.line << ": " << c.text;
    }
}

TEST(CurrentDataReader, ReadsTheCopyWithItsRainSinceMidnight) {
    TempFolder folder;
    const std::string copy = folder.file(kCurrentDataCopyName);
    CurrentDataBuilder::typical().writeTo(copy);
    const StationReading r = readStationReading(copy, " 123");
    EXPECT_EQ(r.weekdayName, "lunedì");
    EXPECT_DOUBLE_EQ(r.pressureRel, 1013.2);
    EXPECT_DOUBLE_EQ(r.rainSinceMidnight, 0.4);  // 123.4 - 123
}

TEST(CurrentDataReader, ShortEmptyLfOnlyAndMissingFilesGoOn) {
    TempFolder folder;
    const std::string path = folder.file("currdat.brz");

    // LF line ends read like CR LF.
    std::string lfOnly = CurrentDataBuilder::typical().text();
    std::erase(lfOnly, '\r');
    test::writeFileBytes(path, lfOnly);
    EXPECT_DOUBLE_EQ(readStationReading(path, "").pressureRel, 1013.2);

    // A file cut after line 40 keeps what it has; the rest reads as 0.
    std::vector<std::string> lines = CurrentDataBuilder::typical().lines();
    lines.resize(40);
    test::writeFileBytes(path, test::crlf(lines));
    StationReading r = readStationReading(path, "");
    EXPECT_DOUBLE_EQ(r.outdoorTemp, 21.5);
    EXPECT_DOUBLE_EQ(r.pressureRel, 0);
    EXPECT_EQ(r.minute, "05");

    for (const std::string bytes : {"", "\r\n\r\n"}) {
        test::writeFileBytes(path, bytes);
        r = readStationReading(path, "");
        EXPECT_EQ(r.year, "");
        EXPECT_DOUBLE_EQ(r.rainTotal, 0);
    }

    r = readStationReading(folder.file("missing"), " 5");
    EXPECT_EQ(r.weekdayName, "");
    EXPECT_DOUBLE_EQ(r.outdoorTemp, 0);
    EXPECT_DOUBLE_EQ(r.rainSinceMidnight, 0);
}

TEST(RainSinceMidnight, CountsFromTheDaysStartWithinTheLast24Hours) {
    const struct {
        double total, last24h;
        const char* raintoday;
        double unrounded, shown;
    } cases[] = {
        {12.0, 1.5, " 10", 1.5, 1.5},  // clamped to the last 24 hours
        {12.0, 5.0, " 10", 2.0, 2.0},
        {12.0, 5.0, "RainToday", 5.0, 5.0},  // before the first history check: counts as 0
        {9.0, 5.0, " 10", 0, 0},             // a total below the baseline gives 0
        {12.25, 5.0, " 10", 2.25, 2.2},      // halves go to the even neighbour
        {12.35, 5.0, " 10", 2.35, 2.4},
    };
    for (const auto& c : cases) {
        StationReading r;
        r.rainTotal = c.total;
        r.rain24h = c.last24h;
        EXPECT_NEAR(rainSinceMidnightMm(r, c.raintoday), c.unrounded, 1e-9) << c.total;
        EXPECT_DOUBLE_EQ(roundRainSinceMidnight(rainSinceMidnightMm(r, c.raintoday)), c.shown)
            << c.total;
    }
}

}  // namespace
}  // namespace brezzolo
