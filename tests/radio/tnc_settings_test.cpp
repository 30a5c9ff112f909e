#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "radio/tnc_settings.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using Texts = std::map<std::string, std::string>;

const Texts kIdentity = {{"callsign", "IZ0ABC-13"},
                         {"latitude", "41.8917"},
                         {"longitude", "12.4883"},
                         {"comment", "Roma"}};

TEST(TncSettings, GoodFilesAndTheirDefaults) {
    const struct {
        std::vector<std::string> lines;
        TncSettings expected;
    } cases[] = {
        {{"enabled=1"}, TncSettings{.enabled = true}},
        {{"enabled=1", "tnc=serial", "serial_port=COM3", "speed=1200", "path=", "interval=10"},
         TncSettings{.enabled = true,
                     .kind = TncKind::Serial,
                     .serialPort = "COM3",
                     .speed = 1200,
                     .path = {},
                     .intervalMinutes = 10}},
        {{"enabled = 1", "address=[::1]:8002", "serial_port=", "path=wide1-1,WIDE2-1"},
         TncSettings{
             .enabled = true, .host = "::1", .port = 8002, .path = {{"WIDE1", 1}, {"WIDE2", 1}}}},
    };
    for (const auto& c : cases) {
        const RadioSettingsCheck check = parseRadioSettings(c.lines, kIdentity);
        EXPECT_TRUE(check.usable()) << c.lines[0] << " " << check.problems.size();
        EXPECT_EQ(check.settings.tnc, c.expected) << c.lines.back();
        EXPECT_EQ(check.settings.identity.callsign, "IZ0ABC-13");
        EXPECT_EQ(check.settings.identity.comment, "Roma");
    }
}

TEST(TncSettings, BadValuesAreNamedAndKeepTheRadioOff) {
    const struct {
        std::vector<std::string> lines;
        std::optional<Texts> identity;
        const char* problem;  // the start of the first problem
    } cases[] = {
        {{"enabled=si"}, kIdentity, "tnc.brz: enabled \"si\" non valido"},
        {{"enabled=1", "tnc=usb"}, kIdentity, "tnc.brz: tnc \"usb\" non valido"},
        {{"enabled=1", "address=127.0.0.1"}, kIdentity, "tnc.brz: address \"127.0.0.1\""},
        {{"enabled=1", "address=localhost:0"}, kIdentity, "tnc.brz: address \"localhost:0\""},
        {{"enabled=1", "tnc=serial"}, kIdentity, "tnc.brz: manca la riga serial_port="},
        {{"enabled=1", "tnc=serial", "serial_port="},
         kIdentity,
         "tnc.brz: manca la riga serial_port="},
        {{"enabled=1", "speed=9601"}, kIdentity, "tnc.brz: speed \"9601\" non valido"},
        {{"enabled=1", "path=WIDE1-1,WIDE2-1,WIDE3-1"}, kIdentity, "tnc.brz: path \""},
        {{"enabled=1", "path=WIDE2-16"}, kIdentity, "tnc.brz: path \"WIDE2-16\""},
        {{"enabled=1", "interval=5"}, kIdentity, "tnc.brz: interval \"5\" non valido"},
        {{"enabled=1"}, std::nullopt, "aprs-is.brz: manca la riga callsign="},
        {{"enabled=1"},
         Texts{{"callsign", "IZ0ABC-13"}, {"latitude", "41"}},
         "aprs-is.brz: manca la riga longitude="},
        {{"enabled=1"},
         Texts{{"callsign", "IZ0ABC-99"}, {"latitude", "41"}, {"longitude", "12"}},
         "aprs-is.brz: callsign \"IZ0ABC-99\" non valido"},
    };
    for (const auto& c : cases) {
        const RadioSettingsCheck check = parseRadioSettings(c.lines, c.identity);
        EXPECT_FALSE(check.usable()) << c.problem;
        ASSERT_FALSE(check.problems.empty()) << c.problem;
        EXPECT_TRUE(check.problems.front().starts_with(c.problem)) << check.problems.front();
    }
}

TEST(TncSettings, ASwitchedOffFileDisturbsNobody) {
    const RadioSettingsCheck off = parseRadioSettings({"enabled=0", "speed=7"}, std::nullopt);
    EXPECT_TRUE(off.problems.empty());
    EXPECT_FALSE(off.usable());
}

TEST(TncSettings, WrittenFileReadsBackAndKeepsOtherLines) {
    test::TempFolder folder;
    const std::string config = folder.file("config.brz");
    test::writeFileBytes(folder.file("tnc.brz"), "# mia radio\nspeed=4800\n");
    test::writeFileBytes(folder.file("aprs-is.brz"),
                         "enabled=0\ncallsign=iz0abc-13\nlatitude=41.8917\nlongitude=12.4883\n");
    const TncSettings written{.enabled = true,
                              .kind = TncKind::Serial,
                              .serialPort = "/dev/ttyUSB0",
                              .path = {{"WIDE1", 1}, {"WIDE2", 1}}};
    ASSERT_TRUE(writeTncSettings(written, folder.file("tnc.brz")));
    const auto check = readRadioSettings(config);
    ASSERT_TRUE(check);
    EXPECT_TRUE(check->usable());
    EXPECT_EQ(check->settings.tnc, written);
    EXPECT_EQ(check->settings.identity.callsign, "IZ0ABC-13");
    EXPECT_TRUE(test::readFileBytes(folder.file("tnc.brz")).starts_with("# mia radio"));
    EXPECT_FALSE(readRadioSettings(folder.file("other/config.brz")));
}

}  // namespace
}  // namespace brezzolo
