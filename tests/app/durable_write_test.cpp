// Which files reach the disk before they are renamed over their targets: the settings and the
// day's record of extremes do, the files every cycle rewrites do not.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/durable_file.h"
#include "common/paths.h"
#include "config/config_file.h"
#include "support/station_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

namespace fs = std::filesystem;

// One call of a flush, with what the flushed file held at that moment.
struct Flush {
    std::string path;
    std::string content;
};

std::vector<Flush> flushes;
bool fileFlushFails = false;

}  // namespace

// The flushes of this test program, in place of the system's: these definitions come before the
// core libraries in the link, so durable_file_posix.cpp (or _win.cpp) is not taken from them.
bool flushFileToDisk(const std::string& path) {
    flushes.push_back({path, readFileBytes(path)});
    return !fileFlushFails;
}

bool flushFolderToDisk(const std::string& folder) {
    flushes.push_back({folder, "<folder>"});
    return true;
}

namespace {

class DurableWrite : public ::testing::Test {
  protected:
    void SetUp() override {
        flushes.clear();
        fileFlushFails = false;
    }
    TempFolder folder;
    std::string config = folder.file("config.brz");
};

TEST_F(DurableWrite, EverySavingOfTheSettingsFlushesTheNewFileBeforeTheRename) {
    const std::string current = crlf({"1", "1", "1", "hw", "out", "history.dat"});
    const struct {
        const char* what;
        std::string before;
        bool (*save)(const std::string& path);
        std::string after;
    } cases[] = {
        {"written whole", current,
         [](const std::string& path) {
             return writeConfig({"2", "2", "2", "a", "b", "c.dat"}, path);
         },
         crlf({"2", "2", "2", "a", "b", "c.dat"})},
        {"one line replaced", current,
         [](const std::string& path) {
             return replaceConfigLine(ConfigLine::PressureType, "2", path);
         },
         crlf({"1", "2", "1", "hw", "out", "history.dat"})},
        {"chart choice", current,
         [](const std::string& path) {
             return storeChartChoice(ChartChoice::OutdoorTemperature, path);
         },
         crlf({"1", "1", "2", "hw", "out", "history.dat"})},
        {"old layout converted", crlf({"3", "2", "hw", "out"}),
         [](const std::string& path) {
             return checkConfigAtStartup(path) == StartupConfig::Converted;
         },
         crlf({"3", "2", "1", "hw", "out", "history.dat"})},
    };
    for (const auto& c : cases) {
        writeFileBytes(config, c.before);
        flushes.clear();
        ASSERT_TRUE(c.save(config)) << c.what;
        ASSERT_EQ(flushes.size(), 2u) << c.what;
        // The new content was on the disk under the temporary name while the old file stood,
        // and the folder was flushed after the rename.
        EXPECT_EQ(flushes[0].path, config + ".brz-new") << c.what;
        EXPECT_EQ(flushes[0].content, c.after) << c.what;
        EXPECT_EQ(flushes[1].path, folder.path()) << c.what;
        EXPECT_EQ(readFileBytes(config), c.after) << c.what;
    }
}

TEST_F(DurableWrite, SettingsThatCannotReachTheDiskAreNotSaved) {
    const std::string before = crlf({"1", "1", "1", "hw", "out", "history.dat"});
    writeFileBytes(config, before);
    fileFlushFails = true;
    EXPECT_FALSE(replaceConfigLine(ConfigLine::ReportMode, "2", config));
    EXPECT_EQ(readFileBytes(config), before);
    EXPECT_FALSE(fs::exists(toFsPath(config + ".brz-new")));
    EXPECT_EQ(flushes.size(), 1u);  // no rename, so no folder to flush
}

TEST_F(DurableWrite, OfACycleOnlyTheDaysRecordIsFlushed) {
    test::CycleStation s;
    ASSERT_EQ(s.run(), CycleOutcome::Completed);

    // The cycle wrote currdat.brz, the report and the export files too, all unflushed.
    ASSERT_TRUE(fs::exists(toFsPath(s.inOut("my_meteo.txt"))));
    ASSERT_EQ(flushes.size(), 2u);
    const std::string dayRecord = s.inOut("MM060605.brz");  // the reading's day
    EXPECT_EQ(flushes[0].path, dayRecord + ".brz-new");
    EXPECT_EQ(flushes[0].content, readFileBytes(dayRecord));
    EXPECT_EQ(flushes[1].path, s.out);
}

}  // namespace
}  // namespace brezzolo
