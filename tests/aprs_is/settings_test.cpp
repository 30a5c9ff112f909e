#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "aprs_is/settings.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

const std::vector<std::string> kGoodFile = {
    "enabled=1",
    "callsign=iz0abc-13",
    "passcode=12345",
    "server=rotate.aprs2.net:14580",
    "latitude=41.8917",
    "longitude=-12.4883",
    "comment=Stazione di prova",
};

// The good file with one line replaced (or removed, with an empty replacement).
std::vector<std::string> withLine(const std::string& key, const std::string& line) {
    std::vector<std::string> lines;
    for (const std::string& l : kGoodFile) {
        if (l.rfind(key + "=", 0) != 0) {
            lines.push_back(l);
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

TEST(AprsIsSettings, AGoodFileGivesItsValues) {
    const auto check = parseAprsIsSettings(kGoodFile);
    EXPECT_TRUE(check.problems.empty());
    EXPECT_TRUE(check.usable());
    EXPECT_EQ(check.settings, (AprsIsSettings{.enabled = true,
                                              .callsign = "IZ0ABC-13",
                                              .passcode = 12345,
                                              .host = "rotate.aprs2.net",
                                              .port = 14580,
                                              .latitude = 41.8917,
                                              .longitude = -12.4883,
                                              .intervalMinutes = 10,
                                              .comment = "Stazione di prova"}));

    // A CWOP id, the longest comment, blanks around keys and values, an IPv6 server.
    const auto cwop = parseAprsIsSettings({" enabled = 1", "callsign=FW1234", "passcode=-1",
                                           "server=[::1]:14580", "latitude=+45", "longitude=0",
                                           "interval=5", "comment=" + std::string(40, 'x')});
    EXPECT_TRUE(cwop.usable()) << (cwop.problems.empty() ? "" : cwop.problems.front());
    EXPECT_EQ(cwop.settings.host, "::1");
    EXPECT_EQ(cwop.settings.passcode, -1);
    EXPECT_EQ(cwop.settings.latitude, 45);
}

TEST(AprsIsSettings, EachBadValueIsNamedAndKeepsTheUploadOff) {
    const struct {
        std::string key;
        std::string line;
        std::string named;  // what the message must quote
    } cases[] = {
        {.key = "enabled", .line = "enabled=si", .named = "enabled \"si\""},
        {.key = "callsign", .line = "callsign=IZ0ABC-16", .named = "callsign \"IZ0ABC-16\""},
        {.key = "callsign", .line = "callsign=IZ0ABCD", .named = "callsign \"IZ0ABCD\""},
        {.key = "callsign", .line = "callsign=IZ0/ABC", .named = "callsign \"IZ0/ABC\""},
        {.key = "callsign", .line = "callsign=IZ0ABC-05", .named = "callsign \"IZ0ABC-05\""},
        {.key = "callsign", .line = "", .named = "manca la riga callsign=..."},
        {.key = "passcode", .line = "passcode=12a", .named = "passcode \"12a\""},
        {.key = "passcode", .line = "passcode=-2", .named = "passcode \"-2\""},
        {.key = "server", .line = "server=rotate.aprs2.net", .named = "server \"rotate.aprs2"},
        {.key = "server", .line = "server=rotate.aprs2.net:porta", .named = ":porta\""},
        {.key = "server", .line = "server=rotate.aprs2.net:0", .named = "net:0\""},
        {.key = "server", .line = "server=rotate.aprs2.net:65536", .named = "net:65536\""},
        {.key = "server", .line = "server=rotate aprs2.net:14580", .named = "server \"rotate "},
        {.key = "latitude",
         .line = "latitude=90.5",
         .named = "latitude \"90.5\" non valida: gradi decimali da -90 a 90 con il punto, nord "
                  "positivo (41.8917)"},
        {.key = "latitude", .line = "latitude=41,89", .named = "latitude \"41,89\""},
        {.key = "latitude", .line = "latitude=nan", .named = "latitude \"nan\""},
        {.key = "latitude", .line = "latitude=+-45", .named = "latitude \"+-45\""},
        // A lone CR inside the line went raw into the message and the status line.
        {.key = "interval", .line = "interval=10\r5\x1b", .named = "interval \"10?5?\""},
        {.key = "longitude",
         .line = "longitude=-180.01",
         .named = "longitude \"-180.01\" non valida: gradi decimali da -180 a 180 con il punto, "
                  "est positivo (12.4883)"},
        {.key = "interval", .line = "interval=4", .named = "interval \"4\""},
        {.key = "interval", .line = "interval=10.5", .named = "interval \"10.5\""},
        {.key = "comment", .line = "comment=Più sole", .named = "comment \"Più sole\""},
        {.key = "comment", .line = "comment=a|b", .named = "comment \"a|b\""},
        {.key = "comment", .line = "comment=" + std::string(41, 'x'), .named = "al massimo 40"},
    };
    for (const auto& c : cases) {
        const auto check = parseAprsIsSettings(withLine(c.key, c.line));
        EXPECT_FALSE(check.usable()) << c.line;
        ASSERT_EQ(check.problems.size(), 1u) << c.line;
        EXPECT_NE(check.problems[0].find(c.named), std::string::npos) << check.problems[0];
    }
}

TEST(AprsIsSettings, ASwitchedOffFileDisturbsNobody) {
    auto lines = withLine("enabled", "enabled=0");
    lines.push_back("latitude=999");
    const auto check = parseAprsIsSettings(lines);
    EXPECT_TRUE(check.problems.empty());
    EXPECT_FALSE(check.usable());

    EXPECT_TRUE(parseAprsIsSettings({}).problems.empty());  // no "enabled" line: off
}

TEST(AprsIsSettings, RewritingKeepsWhatItDoesNotKnow) {
    TempFolder folder;
    const std::string path = folder.file("aprs-is.brz");
    EXPECT_FALSE(readAprsIsSettings(path));

    writeFileBytes(path, crlf({"# my station", "callsign=IZ0ABC", "beacon=yes", "interval=15",
                               "callsign=IZ0XYZ", "enabled=1"}));
    AprsIsSettings settings = parseAprsIsSettings(kGoodFile).settings;
    settings.intervalMinutes = 20;
    ASSERT_TRUE(writeAprsIsSettings(settings, path));
    EXPECT_EQ(readFileBytes(path),
              crlf({"# my station", "callsign=IZ0ABC-13", "beacon=yes", "interval=20", "enabled=1",
                    "passcode=12345", "server=rotate.aprs2.net:14580", "latitude=41.8917",
                    "longitude=-12.4883", "comment=Stazione di prova"}));
    EXPECT_EQ(readAprsIsSettings(path)->settings, settings);
}

}  // namespace
}  // namespace brezzolo
