// brezzolo-headless on a Heavy Weather folder written by brezzolo-station-sim, as a user runs
// it: config.brz in the working folder names the folders in the system's own form (on Windows
// a drive letter and "\"), the Heavy Weather folder with its final separator, the output folder
// without. Texts are in a Latin-1 code page, where "à" is the single byte 0xE0.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/paths.h"
#include "support/platform.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "version.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

// Files a rewrite left behind: its temporary files end so.
std::vector<std::string> leftoverTemporaryFiles(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(toFsPath(folder))) {
        const std::string name = fromFsPath(entry.path().filename());
        if (name.ends_with(".brz-new")) {
            found.push_back(name);
        }
    }
    return found;
}

class StationRun : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!latin1_.available()) {
            GTEST_SKIP() << "no Latin-1 code page on this system";
        }
        test::WorkingFolder cwd(folder_.path());
        ASSERT_EQ(test::runProgram("\"" BREZZOLO_STATION_SIM_PATH "\" --folder \"" + hw_ +
                                   "\" --seed 7 --start \"2024-06-04 12:00\" --days 1 > sim.txt"),
                  0);
        writeFileBytes(folder_.file("config.brz"),
                       crlf({"1", "1", "1", hw_ + pathSeparator(), out_, "history.dat"}));
        std::filesystem::create_directory(toFsPath(out_));
    }

    // One cycle in the folder; the message is given in the code page's bytes.
    int runCycle(const std::string& message) {
        test::WorkingFolder cwd(folder_.path());
        return test::runProgram(latin1_.commandPrefix() +
                                "\"" BREZZOLO_HEADLESS_PATH
                                "\" --cycles 1 --interval-ms 0 "
                                "--message \"" +
                                message + "\" > out.txt 2> err.txt");
    }

    std::string report(const std::string& comment) const {
        return crlf({"Jun 05 2024 12:00", "148/006g000t065p094r014P076b09568h93/" + comment +
                                              "/WS23xx/" + version::reportTail});
    }

    const test::Latin1CodePage latin1_;
    const TempFolder folder_;
    const std::string hw_ = folder_.file("hw");
    const std::string out_ = folder_.file("out");
};

TEST_F(StationRun, WritesEveryFileInTheCodePage) {
    // 25 characters, cut at 20: "Città àèìòù 73 da IZ3ABC!".
    ASSERT_EQ(runCycle("Citt\xE0 \xE0\xE8\xEC\xF2\xF9 73 da IZ3ABC!"), 0);
    EXPECT_EQ(readFileBytes(folder_.file("err.txt")), "");

    EXPECT_EQ(readFileBytes(*joinPath(out_, "my_meteo.txt")),
              report("Citt\xE0 \xE0\xE8\xEC\xF2\xF9 73 da IZ"));
    EXPECT_EQ(readFileBytes(*joinPath(out_, "VENTO.TXT")),
              crlf({"Velocit\xE0 [km/h]", " 10.8", "Direzione [gradi]", " 148"}));
    EXPECT_EQ(readFileBytes(*joinPath(hw_, "currdat.brz")),
              readFileBytes(*joinPath(hw_, "currdat.lst")));
    for (const char* name : {"MM240605.brz", "NOW.TXT", "20240605.txt"}) {
        EXPECT_NE(readFileBytes(*joinPath(out_, name)), "") << name;
    }
    EXPECT_EQ(leftoverTemporaryFiles(folder_.path()), std::vector<std::string>{});
}

// UI-View, an editor or a virus scanner may hold a file open just when the cycle rewrites it.
// Whatever a reader holds (sharing read and write, as ordinary readers do, but not delete),
// every file rewritten by the cycle gets its new content, and no temporary file stays.
TEST_F(StationRun, RenewsTheFilesThatAnotherProgramHoldsOpen) {
    ASSERT_EQ(runCycle("primo giro"), 0);
    const std::vector<std::string> held = {*joinPath(out_, "my_meteo.txt"),
                                           *joinPath(out_, "VENTO.TXT"), *joinPath(out_, "NOW.TXT"),
                                           *joinPath(hw_, "currdat.brz")};
    std::vector<std::string> renewed;
    for (const std::string& path : held) {
        renewed.push_back(readFileBytes(path));
        writeFileBytes(path, "stale\r\n");
    }
    {
        std::vector<std::unique_ptr<test::OpenReader>> readers;
        for (const std::string& path : held) {
            readers.push_back(std::make_unique<test::OpenReader>(path));
            ASSERT_TRUE(readers.back()->isOpen()) << path;
        }
        ASSERT_EQ(runCycle("secondo giro"), 0);
    }
    renewed[0] = report("secondo giro");
    for (std::size_t i = 0; i < held.size(); ++i) {
        EXPECT_EQ(readFileBytes(held[i]), renewed[i]) << held[i];
    }
    EXPECT_EQ(leftoverTemporaryFiles(folder_.path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace brezzolo
