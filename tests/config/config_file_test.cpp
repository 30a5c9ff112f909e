#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "config/config_file.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

TEST(ConfigFile, ShortFilesReadAsEmptyLinesAndMissingAsNothing) {
    TempFolder folder;
    const std::string path = folder.file("config.brz");
    EXPECT_FALSE(readConfig(path));
    writeFileBytes(path, "2\r\n1\r\n");
    EXPECT_EQ(readConfig(path), (ConfigLines{"2", "1", "", "", "", ""}));
    writeFileBytes(path, "1\n2\n1\nC:\\HW\n\nhistory.dat\nextra\n");
    EXPECT_EQ(readConfig(path), (ConfigLines{"1", "2", "1", "C:\\HW", "", "history.dat"}));
}

TEST(ConfigFile, ReplacingOneLineKeepsTheOthersByteForByte) {
    TempFolder folder;
    const std::string path = folder.file("config.brz");
    writeFileBytes(path, crlf({"1", "1", "1", "C:\\Programmi\\Heavy Weather", "", "history.dat"}));
    ASSERT_TRUE(replaceConfigLine(ConfigLine::PressureType, "2", path));
    EXPECT_EQ(readFileBytes(path),
              crlf({"1", "2", "1", "C:\\Programmi\\Heavy Weather", "", "history.dat"}));
    EXPECT_FALSE(replaceConfigLine(ConfigLine::PressureType, "2", folder.file("missing.brz")));
}

TEST(ConfigFile, StartupConvertsTheOldFourLineLayout) {
    TempFolder folder;
    const std::string path = folder.file("config.brz");
    EXPECT_EQ(checkConfigAtStartup(path), StartupConfig::Missing);

    const struct {
        std::string before;
        StartupConfig outcome;
        std::string after;
    } cases[] = {
        {crlf({"2", "1", "C:\\HW", "C:\\UIVIEW"}), StartupConfig::Converted,
         crlf({"2", "1", "1", "C:\\HW", "C:\\UIVIEW", "history.dat"})},
        // Line 3 "3" is no chart choice: it is taken for a folder and moves to line 4.
        {crlf({"1", "2", "3", "C:\\OUT"}), StartupConfig::Converted,
         crlf({"1", "2", "1", "3", "C:\\OUT", "history.dat"})},
        {crlf({"3", "2", "2", "/hw", "/out", "h.dat"}), StartupConfig::Current,
         crlf({"3", "2", "2", "/hw", "/out", "h.dat"})},
    };
    for (const auto& c : cases) {
        writeFileBytes(path, c.before);
        EXPECT_EQ(checkConfigAtStartup(path), c.outcome) << c.before;
        EXPECT_EQ(readFileBytes(path), c.after) << c.before;
        // A converted file is current at the next start.
        EXPECT_EQ(checkConfigAtStartup(path), StartupConfig::Current);
    }
}

TEST(ConfigFile, CycleSettingsFallBackToOne) {
    const struct {
        ConfigLines lines;
        int mode, pressure, chart;
    } cases[] = {
        {{"2", "2", "2", "", "/out", ""}, 2, 2, 2},
        {{"3", "1", "1", "", "/out", ""}, 3, 1, 1},
        {{"7", "3", "0", "", "/out", ""}, 1, 1, 1},
        {{" 2", "2 ", "x", "", "/out", ""}, 1, 1, 1},  // whole-line, exact comparison
    };
    for (const auto& c : cases) {
        const CycleSettings s = cycleSettings(c.lines);
        EXPECT_EQ(static_cast<int>(s.reportMode), c.mode) << c.lines.lines[0];
        EXPECT_EQ(static_cast<int>(s.pressureType), c.pressure) << c.lines.lines[1];
        EXPECT_EQ(static_cast<int>(s.chartChoice), c.chart) << c.lines.lines[2];
        EXPECT_EQ(s.outputFolder, "/out");
    }
    const CycleSettings none = cycleSettings(std::nullopt);
    EXPECT_EQ(none.reportMode, ReportMode::Forecast);
    EXPECT_EQ(none.outputFolder, "");
}

TEST(ConfigFile, FolderDialogReadsTheChartChoiceNumerically) {
    const struct {
        const char* line3;
        std::optional<ChartChoice> choice;
    } cases[] = {
        {"1", ChartChoice::Pressure},
        {"x", ChartChoice::Pressure},
        {" 2", ChartChoice::OutdoorTemperature},
        {"1.5", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chartChoiceFromNumericLine(c.line3), c.choice) << c.line3;
    }
}

}  // namespace
}  // namespace brezzolo
