#include "records/export_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/paths.h"
#include "common/text_encoding.h"
#include "records/export_number.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;

TEST(ExportNumber, PutsAZeroBeforeALeadingPoint) {
    const std::pair<double, const char*> cases[] = {
        {-0.4, "-0.4"}, {0.5, " 0.5"},   {-0.5, "-0.5"},     {0.25, " 0.25"},
        {0, " 0"},      {21.5, " 21.5"}, {-12.75, "-12.75"}, {359, " 359"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ExportNumber(value), text) << value;
    }
}

// 5 December 2026, 14:05:09, with negative and sub-one values among the thirteen.
StationReading decemberReading() {
    StationReading r;
    r.day = "05";
    r.monthNumber = "12";
    r.year = "2026";
    r.hour = "14";
    r.minute = "05";
    r.second = "09";
    r.indoorTemp = 21.5;
    r.indoorHumidity = 45;
    r.pressureAbs = 970.3;
    r.pressureRel = 1013.2;
    r.outdoorTemp = -0.4;
    r.outdoorHumidity = 87;
    r.windSpeedKmh = 12.6;
    r.windDirection = 0;
    r.dewPoint = -2.1;
    r.windChill = -3;
    r.rain1h = 0.5;
    r.rain24h = 3.2;
    r.rainTotal = 1234.7;
    return r;
}

const std::string kValues =
    "  21.5  45  970.3  1013.2 -0.4  87  12.6  0 -2.1 -3  0.5  3.2  1234.7 ";
const std::string kLine = "20261205 14:05:09" + kValues;

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(toFsPath(folder))) {
        names.insert(fromFsPath(entry.path().filename()));
    }
    return names;
}

TEST(ExportFiles, WritesTheThreeFilesByteForByte) {
    TempFolder folder;
    writeExportFiles(decemberReading(), folder.path());

    EXPECT_EQ(snapshotLine(decemberReading()), kLine);
    EXPECT_EQ(readFileBytes(folder.file("VENTO.TXT")),
              toSystemCodePage(crlf({"Velocità [km/h]", " 12.6", "Direzione [gradi]", " 0"})));
    if (toSystemCodePage("à") == "à") {  // a UTF-8 code page, as on Linux
        EXPECT_EQ(readFileBytes(folder.file("VENTO.TXT")).substr(0, 9), "Velocit\xC3\xA0");
    }
    EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")), crlf({kLine}));
    EXPECT_EQ(readFileBytes(folder.file("20261205.txt")), crlf({kLine}));
}

TEST(ExportFiles, DayFileGrowsByOneLinePerCycleAndANewDayStartsANewFile) {
    TempFolder folder;
    StationReading reading = decemberReading();
    writeExportFiles(reading, folder.path());
    writeExportFiles(reading, folder.path());
    reading.day = "06";
    reading.hour = reading.minute = "00";
    writeExportFiles(reading, folder.path());

    const std::string nextLine = "20261206 00:00:09" + kValues;
    EXPECT_EQ(readFileBytes(folder.file("20261205.txt")), crlf({kLine, kLine}));
    EXPECT_EQ(readFileBytes(folder.file("20261206.txt")), crlf({nextLine}));
    EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")), crlf({nextLine}));
}

TEST(ExportFiles, FolderAndDateDecideWhichFilesAreWritten) {
    const std::string sep(1, pathSeparator());
    const std::set<std::string> all = {"VENTO.TXT", "NOW.TXT", "20261205.txt"};
    const std::set<std::string> undated = {"VENTO.TXT", "NOW.TXT"};
    const struct {
        const char* name;
        std::string folderSuffix;  // "-" for an empty folder text
        const char* day;
        const char* year;
        std::set<std::string> files;
    } cases[] = {
        {"no final separator", "", "05", "2026", all},
        {"final separator", sep, "05", "2026", all},
        {"day padded with a blank", "", " 5", "2026", all},
        {"missing folder", sep + "absent", "05", "2026", {}},
        {"empty folder text", "-", "05", "2026", {}},
        {"failed read: empty date texts", "", "", "", undated},
        {"day not digits", "", "?5", "2026", undated},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::WorkingFolder here(folder.path());  // where an empty folder text would write
        StationReading reading = decemberReading();
        reading.day = c.day;
        reading.year = c.year;
        writeExportFiles(reading, c.folderSuffix == "-" ? "" : folder.path() + c.folderSuffix);

        EXPECT_EQ(filesIn(folder.path()), c.files);
        if (c.files.contains("NOW.TXT")) {  // the line keeps the header's pieces as they are
            EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")),
                      crlf({c.year + std::string("12") + c.day + kLine.substr(8)}));
        }
    }
}

TEST(ExportFiles, AFailedFileDoesNotStopTheNextOnes) {
    TempFolder folder;
    std::filesystem::create_directory(toFsPath(folder.file("VENTO.TXT")));  // in the way
    writeExportFiles(decemberReading(), folder.path());
    EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")), crlf({kLine}));
    EXPECT_EQ(readFileBytes(folder.file("20261205.txt")), crlf({kLine}));
}

}  // namespace
}  // namespace brezzolo
