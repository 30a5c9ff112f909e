#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "station/station_settings.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

TEST(StationSettings, WithoutFileOrSourceTheFilesOfHeavyWeatherStay) {
    TempFolder folder;
    const auto missing = readStationSettings(folder.file(kStationSettingsFileName));
    EXPECT_EQ(missing.settings, StationSettings{});
    EXPECT_TRUE(missing.problems.empty());
    EXPECT_FALSE(missing.usable());
    EXPECT_FALSE(readStationSettingTexts(folder.file(kStationSettingsFileName)));

    // A port or poll left behind disturbs nobody while the files are the source.
    const auto files = parseStationSettings({"port=", "poll=1"});
    EXPECT_EQ(files.settings.source, StationSource::Files);
    EXPECT_TRUE(files.problems.empty());
}

TEST(StationSettings, EachValueIsCheckedAsTheFileGivesIt) {
    const struct {
        std::vector<std::string> lines;
        StationSettings settings;
    } good[] = {
        {{"source=serial", "port=COM3"}, {StationSource::Serial, "COM3", 15}},
        {{"source = serial ", "port=\\\\.\\COM12", "poll=10"},
         {StationSource::Serial, "\\\\.\\COM12", 10}},
        {{"source=serial", "port=/dev/serial/by-id/usb-FTDI_A1-if00-port0", "poll=300"},
         {StationSource::Serial, "/dev/serial/by-id/usb-FTDI_A1-if00-port0", 300}},
        {{"source=files", "port=COM1"}, {StationSource::Files, "COM1", 15}},
    };
    for (const auto& c : good) {
        const auto check = parseStationSettings(c.lines);
        EXPECT_TRUE(check.problems.empty()) << c.lines.back();
        EXPECT_EQ(check.settings, c.settings) << c.lines.back();
        EXPECT_EQ(check.usable(), c.settings.source == StationSource::Serial);
    }
    const struct {
        std::vector<std::string> lines;
        std::string problem;  // what the only message must contain
    } bad[] = {
        {{"source=Serial", "port=COM3"}, "source \"Serial\" non valido"},
        {{"source=serial"}, "manca la riga port=..."},
        {{"source=serial", "port="}, "port \"\" non valida"},
        {{"source=serial", "port=CO\x01M3"}, "port \"CO?M3\""},
        {{"source=serial", "port=COM3", "poll=9"},
         "poll \"9\" non valido: secondi interi da 10 a 300"},
        {{"source=serial", "port=COM3", "poll=301"}, "poll \"301\""},
        {{"source=serial", "port=COM3", "poll=15s"}, "poll \"15s\""},
    };
    for (const auto& c : bad) {
        const auto check = parseStationSettings(c.lines);
        EXPECT_FALSE(check.usable()) << c.lines.back();
        ASSERT_EQ(check.problems.size(), 1u) << c.lines.back();
        EXPECT_NE(check.problems[0].find(c.problem), std::string::npos) << check.problems[0];
    }
    // The dialog's own texts: blanks at either end of a typed port name are refused.
    EXPECT_TRUE(stationPortProblem(" COM3"));
    EXPECT_TRUE(stationPortProblem("COM3 "));
    EXPECT_FALSE(stationPortProblem("COM 3"));
}

TEST(StationSettings, RewritingKeepsWhatItDoesNotKnow) {
    TempFolder folder;
    const std::string path = folder.file(kStationSettingsFileName);
    writeFileBytes(path, crlf({"# cavo nel solaio", "port=COM1", "baud=2400", "port=COM2"}));
    const StationSettings settings{StationSource::Serial, "/dev/ttyUSB0", 20};
    ASSERT_TRUE(writeStationSettings(settings, path));
    EXPECT_EQ(readFileBytes(path), crlf({"# cavo nel solaio", "port=/dev/ttyUSB0", "baud=2400",
                                         "source=serial", "poll=20"}));
    EXPECT_EQ(readStationSettings(path).settings, settings);
    EXPECT_EQ(readStationSettingTexts(path)->at("port"), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace brezzolo
