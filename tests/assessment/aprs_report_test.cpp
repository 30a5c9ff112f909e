#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "assessment/aprs_report.h"
#include "common/paths.h"
#include "common/text_encoding.h"
#include "support/temp_folder.h"
#include "version.h"

namespace brezzolo {
namespace {

using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

// One report of a sunny Jun 05 2006 14:05 with a fresh breeze, changed where a case says so.
struct Case {
    const char* what;
    int mode = 1;
    int pressureType = 1;
    bool check1 = false;
    const char* text2 = "";
    double stormAlarm = 0;
    double forecast = 2;
    const char* tail = "09700h85/Prev. sereno";  // of line 2, from the pressure to the comment
};

struct Report {
    MainWindowModel window = startupWindowModel();
    std::string lines;  // the two lines as expected, without a final line end
};

Report writeReport(const Case& c, const std::string& outputFolder) {
    StationReading r;
    r.monthAbbrev = "Jun";
    r.day = std::string("05");  // not the bare literal: GCC 12 -O3 warns falsely on it
    r.year = "2006";
    r.hour = "14";
    r.minute = "05";
    r.forecast = c.forecast;
    r.stormAlarm = c.stormAlarm;
    r.outdoorTempF = 50;
    r.outdoorHumidity = 85;
    r.windDirection = 270;
    r.windSpeedMph = 5.8;
    r.windSpeedKmh = 9.3;
    r.rain24hInch = 0.12;
    r.rainTotal = 11;  // 1 mm over the baseline of 10, less than the 1.5 mm of the last 24 hours
    r.rain24h = 1.5;
    r.pressureAbs = 970;
    r.pressureRel = 1013.2;
    Appoggio store;
    store.Raintoday = " 10";
    Report report;
    report.window.Check1 = c.check1;
    report.window.Text2 = c.text2;
    const CycleSettings settings{static_cast<ReportMode>(c.mode),
                                 static_cast<PressureType>(c.pressureType), ChartChoice::Pressure,
                                 outputFolder};
    writeAprsReport(r, settings, c.forecast == -1 ? "" : "Prev. sereno", store, report.window);
    report.lines = std::string("Jun 05 2006 14:05\r\n270/005g000t050p012r000P004b") + c.tail +
                   "/WS23xx/" + version::reportTail;
    return report;
}

TEST(AprsReport, FileHoldsTheTwoLinesByteForByte) {
    const Case cases[] = {
        {"forecast, absolute pressure"},
        {"relative pressure", 1, 2, false, "", 0, 2, "10132h85/Prev. sereno"},
        {"local situation", 2, 1, false, "", 0, 2, "09700h85/sereno-vento"},
        {"no weather comment", 3, 1, false, "", 0, 2, "09700h85/"},
        {"message", 3, 1, true, "73 de IZ1ABC", 0, 2, "09700h85/73 de IZ1ABC"},
        {"20 characters, not bytes", 1, 1, true, "Città: sì, però è così", 0, 2,
         "09700h85/Città: sì, però è co"},
        {"pasted line break", 1, 1, true, "uno\r\ndue", 0, 2, "09700h85/uno  due"},
        {"message switched off", 1, 1, false, "Ciao"},
        {"empty message", 2, 1, true, "", 0, 2, "09700h85/sereno-vento"},
        {"storm alarm", 3, 1, true, "Ciao", 1, 2, "09700h85/STORM ALARM!!!"},
        {"station fault is no alarm", 1, 1, false, "", -1},
        {"no forecast", 1, 1, false, "", 1, -1, "09700h85/***"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const Report report = writeReport(c, folder.path());
        EXPECT_EQ(readFileBytes(folder.file(kReportFileName)),
                  toSystemCodePage(report.lines + "\r\n"))
            << c.what;
        EXPECT_EQ(report.window.Text1, report.lines) << c.what;
    }
}

TEST(AprsReport, ShowsPressuresSituationAndForecast) {
    const MainWindowModel w = writeReport({"sunny"}, "").window;
    EXPECT_EQ(w.Label16.Caption, "Pressione rel.:   1013.2 hPa");
    EXPECT_EQ(w.Label33.Caption, "Pressione ass.:   970 hPa");
    EXPECT_EQ(w.Label4.Caption, "Condizioni attuali:  sereno-vento");
    EXPECT_EQ(w.Label19.Caption, "Previsione:  sereno");
    const MainWindowModel none = writeReport({"none", 1, 1, false, "", 0, -1}, "").window;
    EXPECT_EQ(none.Label4.Caption, "Condizioni attuali:  ");
    EXPECT_EQ(none.Label19.Caption, "Errore interno di programma");
}

TEST(AprsReport, UnwritableFolderLeavesTheFileAndUpdatesTheWindow) {
    TempFolder folder;
    const std::string path = folder.file(kReportFileName);
    writeFileBytes(path, "earlier\r\n");
    writeFileBytes(folder.file("plain.txt"), "x");
    // A folder on the temporary file's name stops the rewrite beside the earlier report.
    test::blockRewrite(path);
    for (const std::string& output :
         {folder.path(), folder.file("missing"), folder.file("plain.txt")}) {
        const Report report = writeReport({"blocked"}, output);
        EXPECT_EQ(readFileBytes(path), "earlier\r\n") << output;
        EXPECT_FALSE(std::filesystem::exists(toFsPath(folder.file("missing")))) << output;
        EXPECT_EQ(report.window.Text1, report.lines) << output;
    }
}

TEST(AprsReport, NoOutputFolderWritesNothing) {
    TempFolder here;
    test::WorkingFolder cwd(here.path());
    const Report report = writeReport({"no folder"}, "");
    EXPECT_TRUE(std::filesystem::is_empty(toFsPath(here.path())));
    EXPECT_EQ(report.window.Text1, report.lines);
}

}  // namespace
}  // namespace brezzolo
