#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/settings_file.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::blockRewrite;
using test::crlf;
using test::lf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

TEST(SettingsFile, TheLastLineOfAKeyCountsTrimmed) {
    const auto texts = settingTexts(
        {"# note", " port = COM3 ", "poll=15", "other=x", "port=\tCOM4", "no equals sign", "poll="},
        {"port", "poll", "source"});
    EXPECT_EQ(texts, (std::map<std::string, std::string>{{"port", "COM4"}, {"poll", ""}}));
}

TEST(SettingsFile, KnownKeysAreReplacedWhereTheyStand) {
    const struct {
        std::vector<std::string> lines;
        std::vector<std::string> expected;
    } cases[] = {
        // Nothing there: every key appended in the order given.
        {.lines = {}, .expected = {"a=1", "b=2"}},
        // Unknown keys and other lines keep their place; a missing key goes at the end.
        {.lines = {"# mine", "x = y", " b = old", "", "z"},
         .expected = {"# mine", "x = y", "b=2", "", "z", "a=1"}},
        // A repeated key keeps only its first line.
        {.lines = {"a=0", "c=3", "a=9", "b=0", "b=8"}, .expected = {"a=1", "c=3", "b=2"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withSettings(c.lines, {{"a", "1"}, {"b", "2"}}), c.expected);
    }
}

TEST(SettingsFile, WritesTheFileOrLeavesItAlone) {
    TempFolder folder;
    const std::string path = folder.file("station.brz");
    EXPECT_FALSE(readSettingTexts(path, {"a"}));

    ASSERT_TRUE(writeSettings(path, {{"a", "1"}}));
    EXPECT_EQ(readFileBytes(path), crlf({"a=1"}));
    EXPECT_EQ(readSettingTexts(path, {"a"})->at("a"), "1");

    writeFileBytes(path, lf({"a=1", "keep=me"}));
    blockRewrite(path);
    EXPECT_FALSE(writeSettings(path, {{"a", "2"}}));
    EXPECT_EQ(readFileBytes(path), lf({"a=1", "keep=me"}));
}

TEST(SettingsFile, LivesBesideConfigBrz) {
    EXPECT_EQ(besideConfigFile("config.brz", "aprs-is.brz"), "aprs-is.brz");
    TempFolder folder;
    EXPECT_EQ(besideConfigFile(folder.file("config.brz"), "aprs-is.state"),
              folder.file("aprs-is.state"));
}

}  // namespace
}  // namespace brezzolo
