#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "common/paths.h"
#include "input/current_data_reader.h"
#include "records/conditions_panel.h"
#include "station_sim/station_sim.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"
#include "web/web_page.h"
#include "web/web_publish.h"
#include "web/web_settings.h"

namespace brezzolo {
namespace {

// Records `minutesApart` from minute `start` on, each value a whole function of its number, so
// that every system reads the same floats.
std::vector<HistoryRecord> records(int count, int start, int minutesApart) {
    std::vector<HistoryRecord> result;
    for (int k = 0; k < count; ++k) {
        const int minute = start + k * minutesApart;
        result.push_back({minute * 60, 990.0f + static_cast<float>(minute / 60 % 24),
                          static_cast<float>(minute / 30) / 10,
                          static_cast<float>(minute / 10 % 144) / 8});
    }
    return result;
}

struct Cycle {
    StationReading reading;
    MainWindowModel window = startupWindowModel();
};

Cycle typicalCycle(const test::TempFolder& folder) {
    Cycle c;
    test::CurrentDataBuilder::typical().writeTo(folder.file("currdat.lst"));
    c.reading = readStationReading(folder.file("currdat.lst"), " 0");
    fillConditionsPanel(c.reading, c.window);
    c.window.Label16.Caption = "Pressione rel.:   1013.2 hPa";
    c.window.Text1 = "Jun 05 2006 14:05\r\n257/000g000t071r000p000P000b10132h55/WS23xx/192W";
    return c;
}

TEST(WebSettings, OnlyAnUsableFileSwitchesThePageOn) {
    test::TempFolder folder;
    const struct {
        std::vector<std::string> lines;
        bool usable;
        std::size_t problems;
    } cases[] = {
        {{}, false, 0},
        {{"enabled=1", "folder=" + folder.path()}, true, 0},
        {{"enabled=1"}, false, 1},
        {{"enabled=1", "folder=" + folder.file("missing")}, false, 1},
        {{"enabled=0", "folder=" + folder.file("missing")}, false, 0},
        {{"enabled=yes", "folder=" + folder.path()}, false, 1},
    };
    for (const auto& c : cases) {
        const WebSettingsCheck check = parseWebSettings(c.lines);
        EXPECT_EQ(check.usable(), c.usable) << testing::PrintToString(c.lines);
        EXPECT_EQ(check.problems.size(), c.problems) << testing::PrintToString(c.lines);
    }
}

TEST(WebPage, AFolderThatCannotTakeThePageIsNamed) {
    test::TempFolder root;
    const Cycle c = typicalCycle(root);
    const std::string missing = root.file("nowhere");
    const auto problem = publishWebPage({missing, "", "x"}, c.window, c.reading);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("\"" + missing + "\" non esiste"), std::string::npos) << *problem;

    const std::string www = root.file("www");
    std::filesystem::create_directory(toFsPath(www));
    test::blockRewrite(*joinPath(www, "index.html"));  // a folder in the temporary file's place
    EXPECT_TRUE(publishWebPage({www, "", "x"}, c.window, c.reading));
}

TEST(WebPage, IsTheSameOnEverySystem) {
    test::TempFolder root;
    const Cycle c = typicalCycle(root);
    ASSERT_TRUE(sim::writeHistory(root.file("history.dat"), records(3000, 0, 5)));
    const std::string www = root.file("www");
    std::filesystem::create_directory(toFsPath(www));
    ASSERT_FALSE(publishWebPage({www, root.file("history.dat"), "05/06/2006 14:06:10"}, c.window,
                                c.reading));
    const std::string page = test::readFileBytes(*joinPath(www, "index.html"));
    EXPECT_NE(page.find("<p>T ext:   21.5 °C</p>"), std::string::npos);
    EXPECT_EQ(page.find('\r'), std::string::npos);
    // The page kept in the sources was written on Linux; the Windows build must match it.
    if (page != test::readFileBytes(BREZZOLO_WEB_GOLDEN)) {
        test::writeFileBytes("index-actual.html", page);
        ADD_FAILURE() << "the page differs from " << BREZZOLO_WEB_GOLDEN
                      << "; this build's page is in index-actual.html";
    }
}

TEST(WebPage, TenYearsOfHistoryGiveTheSamePageAsAWeek) {
    test::TempFolder root;
    const Cycle c = typicalCycle(root);
    constexpr int kYearsOfHours = 10 * 365 * 24;
    const auto week = records(2200, kYearsOfHours * 60, 5);
    auto years = records(kYearsOfHours, 0, 60);
    years.insert(years.end(), week.begin(), week.end());
    ASSERT_TRUE(sim::writeHistory(root.file("week.dat"), week));
    ASSERT_TRUE(sim::writeHistory(root.file("years.dat"), years));
    const auto weekPage =
        webPage({c.window, c.reading, readWebHistory(root.file("week.dat")), "t"});
    const auto yearsPage =
        webPage({c.window, c.reading, readWebHistory(root.file("years.dat")), "t"});
    EXPECT_EQ(weekPage, yearsPage);
    EXPECT_NE(weekPage.find("<polyline"), std::string::npos);
}

}  // namespace
}  // namespace brezzolo
