// brezzolo-headless reading the simulated console over its serial line, as a user without Heavy
// Weather runs it: its report is byte for byte the one that Heavy Weather's files of the same
// weather give, the station's faults are one line each on stderr, and a reading that must not
// be reported never is.

#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "common/paths.h"
#include "support/platform.h"
#include "support/run_program.h"
#include "support/serial_station.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

class StationLinkRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(station_.ready()) << "the simulated station did not start";
        station_.setFaults({});
        for (const std::string& folder : {serial_, serial_ + pathSeparator() + "hw", files_}) {
            std::filesystem::create_directory(toFsPath(folder));
        }
        // The same settings but for where the readings come from.
        writeFileBytes(files_ + pathSeparator() + "config.brz",
                       crlf({"1", "1", "1", station_.heavyWeatherFolder() + pathSeparator(), files_,
                             "history.dat"}));
        writeFileBytes(serial_ + pathSeparator() + "config.brz",
                       crlf({"1", "1", "1", hw_ + pathSeparator(), serial_, "history.dat"}));
        writeFileBytes(serial_ + pathSeparator() + "station.brz",
                       crlf({"source=serial", "port=" + station_.port()}));
    }

    // One cycle with its dump; stdout and stderr are kept in the folder.
    static int runCycle(const std::string& folder) {
        test::WorkingFolder cwd(folder);
        return test::runProgram("\"" BREZZOLO_HEADLESS_PATH
                                "\" --cycles 1 --dump > out.txt 2> err.txt");
    }
    static std::string file(const std::string& folder, const std::string& name) {
        return readFileBytes(folder + pathSeparator() + name);
    }
    std::string errors() const { return test::fromConsoleText(file(serial_, "err.txt")); }

    TempFolder folder_;
    test::SerialStation station_{BREZZOLO_STATION_SIM_PATH, folder_.path()};
    std::string serial_ = folder_.file("serial");
    std::string hw_ = serial_ + pathSeparator() + "hw";
    std::string files_ = folder_.file("files");
};

TEST_F(StationLinkRun, ReportsWhatHeavyWeathersFilesOfTheSameWeatherReport) {
    ASSERT_EQ(runCycle(files_), 0);
    ASSERT_EQ(runCycle(serial_), 0);
    const std::string report = file(files_, "my_meteo.txt");
    ASSERT_NE(report, "");
    EXPECT_EQ(file(serial_, "my_meteo.txt"), report);
    // The history was filled from the console's own memory, record for record.
    const std::string history = file(station_.heavyWeatherFolder(), "history.dat");
    EXPECT_EQ(file(hw_, "history.dat"), history);
    EXPECT_TRUE(errors().starts_with("Stazione: ultima lettura ")) << errors();
    EXPECT_NE(file(serial_, "out.txt").find("Station.state=Reading"), std::string::npos);

    // A second run finds nothing new in the console's history and writes no record twice.
    ASSERT_EQ(runCycle(serial_), 0);
    EXPECT_EQ(file(hw_, "history.dat"), history);
}

TEST_F(StationLinkRun, ItsFaultsAreToldAndAReadingThatMustNotBeReportedNeverIs) {
    // Line trouble that a reset and a new attempt cure: the reading comes through.
    station_.setFaults({"bad-checksum=2", "wrong-ack=1", "garbage=1", "reset-noise=2"});
    ASSERT_EQ(runCycle(serial_), 0);
    const std::string report = file(serial_, "my_meteo.txt");
    EXPECT_NE(report, "");
    EXPECT_TRUE(errors().starts_with("Stazione: ultima lettura ")) << errors();

    // The console lost its outdoor sensors, and the last reading is older than Brezzolo allows:
    // nothing is reported, currdat.lst goes, and the report of before stays as it was.
    const std::string currentData = hw_ + pathSeparator() + "currdat.lst";
    std::filesystem::last_write_time(
        toFsPath(currentData),
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    station_.setFaults({"lost-sensor"});
    ASSERT_EQ(runCycle(serial_), 0);
    EXPECT_EQ(errors(), "Stazione: lettura non valida da " + station_.port() +
                            " - sensore esterno perso" + test::consoleLineEnd());
    EXPECT_FALSE(std::filesystem::exists(toFsPath(currentData)));
    EXPECT_EQ(file(serial_, "my_meteo.txt"), report);

    // A silent console.
    station_.setFaults({"silence=60"});
    ASSERT_EQ(runCycle(serial_), 0);
    EXPECT_TRUE(errors().starts_with("Stazione: nessuna risposta da " + station_.port()))
        << errors();

    // Back to normal, the link carries on by itself.
    station_.setFaults({});
    ASSERT_EQ(runCycle(serial_), 0);
    EXPECT_TRUE(std::filesystem::exists(toFsPath(currentData)));
    EXPECT_TRUE(errors().starts_with("Stazione: ultima lettura ")) << errors();
}

}  // namespace
}  // namespace brezzolo
