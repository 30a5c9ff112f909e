#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "common/paths.h"
#include "support/station_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::CurrentDataBuilder;
using test::filesIn;
using test::readFileBytes;

namespace fs = std::filesystem;

using Station = test::CycleStation;

TEST(Cycle, WithoutCurrentDataNothingIsWrittenAndTheTimerKeepsTrying) {
    Station s;
    fs::remove(toFsPath(s.source()));
    s.window.Timer1.Enabled = false;
    const std::string before = s.window.Label2.Caption;

    EXPECT_EQ(s.run(), CycleOutcome::SourceMissing);
    EXPECT_FALSE(fs::exists(toFsPath(s.inHw("currdat.brz"))));
    EXPECT_TRUE(filesIn(s.out).empty());
    EXPECT_EQ(s.window.Label2.Caption, before);
    EXPECT_EQ(s.window.Text1, "");
    EXPECT_EQ(s.store.tend[0], "tend1");  // no tendency stage ran
    EXPECT_EQ(s.window.Timer1.Interval, kCycleIntervalMs);
    EXPECT_TRUE(s.window.Timer1.Enabled);
}

TEST(Cycle, AnEmptyFolderTextNamesNoFolder) {
    Station s;
    test::WorkingFolder cwd(s.hw);  // a relative "currdat.lst" would be found here
    const FixedFolders none("", "history.dat");
    CycleEnvironment env{s.store, s.window, none, s.config};
    EXPECT_EQ(runConversionCycle(env), CycleOutcome::SourceMissing);
    EXPECT_TRUE(filesIn(s.out).empty());
}

TEST(Cycle, AFailedCopyRepeatsTheEarlierReading) {
    Station s;
    CurrentDataBuilder::typical().header("Mon Jun 05 13:00:00 2006").writeTo(s.inHw("currdat.brz"));
    // Heavy Weather holding the file: the copy cannot be made.
    test::blockRewrite(s.inHw("currdat.brz"));

    EXPECT_EQ(s.run(), CycleOutcome::Completed);
    EXPECT_NE(s.window.Label2.Caption.find("alle ore 13:00"), std::string::npos)
        << s.window.Label2.Caption;
    EXPECT_TRUE(s.window.Text1.starts_with("Jun 05 2006 13:00\r\n")) << s.window.Text1;
}

TEST(Cycle, AMissingOutputFolderStillUpdatesTheWindow) {
    Station s;
    fs::remove(toFsPath(s.out));

    EXPECT_EQ(s.run(), CycleOutcome::Completed);
    EXPECT_FALSE(fs::exists(toFsPath(s.out)));
    EXPECT_EQ(s.window.Label6.Caption, "T ext:   21.5 °C");
    EXPECT_EQ(s.window.Label29.Caption, "Nessuna segnalazione attiva");
    EXPECT_FALSE(s.window.Text1.empty());
    EXPECT_EQ(s.store.tend[0], "StatoPress");  // the tendency stage ran; no history, no class
}

TEST(Cycle, EveryCycleMarksTheChartFromTheConfiguration) {
    Station s;
    s.writeConfig(s.configLines("2"));
    s.run();
    EXPECT_FALSE(s.window.Option1);
    EXPECT_TRUE(s.window.Option2);
    s.writeConfig(s.configLines("garbage"));  // corrected to 1 in memory, never written back
    s.run();
    EXPECT_TRUE(s.window.Option1);
    EXPECT_FALSE(s.window.Option2);
    EXPECT_EQ(readFileBytes(s.config), crlf({"1", "1", "garbage", s.hw, s.out, "history.dat"}));
}

}  // namespace
}  // namespace brezzolo
