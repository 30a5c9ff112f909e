#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "common/num_text.h"
#include "common/paths.h"
#include "input/current_data_reader.h"
#include "records/conditions_panel.h"
#include "station_sim/station_sim.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "web/web_publish.h"

namespace brezzolo {
namespace {

// Headless Chromium as root on a machine without network: no sandbox, nothing fetched, and a
// profile of its own.
std::string chromium(const test::TempFolder& root, const std::string& action) {
    return "chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
           "--disable-background-networking --disable-component-update --disable-sync "
           "--user-data-dir='" +
           root.file("profile") + "' --enable-logging=stderr --v=0 " + action;
}

TEST(WebBrowser, ThePageLoadsWithoutErrorsAndShowsTheReading) {
    if (test::runProgram("command -v chromium >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "chromium is not installed (scripts/install-deps installs it)";
    }
    test::TempFolder root;
    const auto station =
        sim::generateFolder(root.file("hw"), {7, *sim::parseCivilTime("2024-03-04 08:00"), 8, 5});
    ASSERT_TRUE(station);
    const StationReading reading = readStationReading(root.file("hw") + "/currdat.lst", " 0");
    MainWindowModel window = startupWindowModel();
    fillConditionsPanel(reading, window);
    const std::string www = root.file("www");
    std::filesystem::create_directory(toFsPath(www));
    ASSERT_FALSE(publishWebPage({www, root.file("hw") + "/history.dat", "12/03/2024 08:00:30"},
                                window, reading));

    const std::string page = "file://" + www + "/index.html";
    const std::string dom = root.file("dom.html");
    const std::string log = root.file("chromium.log");
    ASSERT_EQ(test::runProgram(
                  chromium(root, "--dump-dom '" + page + "' >'" + dom + "' 2>'" + log + "'")),
              0)
        << test::readFileBytes(log);
    const std::string text = test::readFileBytes(dom);
    for (const std::string& expected :
         {"T ext:  " + numText(reading.outdoorTemp) + " °C",
          "Hrel ext:  " + numText(reading.outdoorHumidity) + " %",
          "Vento:  " + numText(reading.windSpeedKmh) + " km/h", std::string("Ultimi 7 giorni")}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    // The browser reports what a page's console receives; this page must give it nothing.
    const std::string messages = test::readFileBytes(log);
    EXPECT_EQ(messages.find("CONSOLE"), std::string::npos) << messages;
    EXPECT_EQ(messages.find("Uncaught"), std::string::npos) << messages;

    const std::string picture = root.file("page.png");
    ASSERT_EQ(test::runProgram(chromium(root,
                                        "--hide-scrollbars --window-size=1000,1900 "
                                        "--screenshot='" +
                                            picture + "' '" + page + "' >/dev/null 2>&1")),
              0);
    EXPECT_GT(std::filesystem::file_size(picture), 10000u);
    if (const char* keep = std::getenv("BREZZOLO_WEB_SCREENSHOT")) {
        std::filesystem::copy_file(picture, keep,
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

}  // namespace
}  // namespace brezzolo
