#include "records/export_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/paths.h"
#include "common/text_encoding.h"
#include "input/current_data_reader.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using namespace test;

// 5 December 2026, 14:05:09, with negative and sub-one values among the thirteen.
const StationReading kDecember = parseCurrentData(CurrentDataBuilder::typical()
                                                      .header("Sat Dec 05 14:05:09 2026")
                                                      .put(29, 1, "out_temp -0.4\"")
                                                      .put(43, 1, "windchl  -3\"")
                                                      .put(54, 1, "wind_d  0.0\"")
                                                      .lines());

// A point right after the sign position gets a zero before it: " 0.3", "-0.4".
const std::string kValues = "  22.3  45  970  1013.2 -0.4  55  7.2  0  12.1 -3  0.3  1.5  123.4 ";
const std::string kLine = "20261205 14:05:09" + kValues;

TEST(ExportFiles, WritesTheFilesByteForByteAndADayFileGrowsByOneLinePerCycle) {
    TempFolder folder;
    StationReading reading = kDecember;
    writeExportFiles(reading, folder.path());
    EXPECT_EQ(readFileBytes(folder.file("VENTO.TXT")),
              toSystemCodePage(crlf({"Velocità [km/h]", " 7.2", "Direzione [gradi]", " 0"})));
    EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")), crlf({kLine}));
    writeExportFiles(reading, folder.path());
    reading.day = "06";  // a new day starts a new file
    reading.hour = reading.minute = "00";
    writeExportFiles(reading, folder.path());
    const std::string nextLine = "20261206 00:00:09" + kValues;
    EXPECT_EQ(readFileBytes(folder.file("20261205.txt")), crlf({kLine, kLine}));
    EXPECT_EQ(readFileBytes(folder.file("20261206.txt")), crlf({nextLine}));
    EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")), crlf({nextLine}));
}

TEST(ExportFiles, FolderAndDateDecideWhichFilesAreWritten) {
    const std::set<std::string> all = {"VENTO.TXT", "NOW.TXT", "20261205.txt"};
    const struct {
        const char *name, *folder, *day, *year;  // the folder relative to the working folder
        std::set<std::string> files;
    } cases[] = {
        {"dated", ".", "05", "2026", all},
        {"day padded with a blank", ".", " 5", "2026", all},
        {"missing folder", "absent", "05", "2026", {}},
        {"empty folder text", "", "05", "2026", {}},
        {"failed read: empty date texts", ".", "", "", {"VENTO.TXT", "NOW.TXT"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WorkingFolder here(folder.path());
        StationReading reading = kDecember;
        reading.day = c.day;
        reading.year = c.year;
        writeExportFiles(reading, c.folder);

        EXPECT_EQ(test::filesIn(folder.path()),
                  std::vector<std::string>(c.files.begin(), c.files.end()));
        const std::string now = c.year + std::string("12") + c.day + kLine.substr(8);
        EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")),  // the header's pieces as they are
                  c.files.contains("NOW.TXT") ? crlf({now}) : "");
    }
}

TEST(ExportFiles, AFailedFileDoesNotStopTheNextOnes) {
    TempFolder folder;
    std::filesystem::create_directory(toFsPath(folder.file("VENTO.TXT")));  // in the way
    writeExportFiles(kDecember, folder.path());
    EXPECT_EQ(readFileBytes(folder.file("NOW.TXT")), crlf({kLine}));
    EXPECT_EQ(readFileBytes(folder.file("20261205.txt")), crlf({kLine}));
}

}  // namespace
}  // namespace brezzolo
