#include <filesystem>
#include <string>

#include <gtest/gtest.h>

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

// One report: a sunny Jun 05 2006 14:05 with a fresh breeze, changed where a case says so.
struct Case {
    const char* what;
    int mode = 1;
    int pressureType = 1;
    bool check1 = false;
    const char* text2 = "";
    double forecast = 2;
    double stormAlarm = 0;
    double tempF = 50;
    double humidity = 85;
    double rain24hInch = 0.12;
    double rain1hInch = 0;
    double rainTotal = 12;  // less the baseline of 10, held at the 1.5 mm of the last 24 hours
    double rain24h = 1.5;
    double pressureRel = 1013.2;
    const char* raintoday = " 10";
    std::string line2 = "270/005g000t050p012r000P006b09700h85/Prev. sereno";
};

struct Report {
    MainWindowModel window = startupWindowModel();
    std::string line2;  // with its tail
};

Report writeReport(const Case& c, const std::string& outputFolder) {
    StationReading r;
    r.monthAbbrev = "Jun";
    r.day = "05";
    r.year = "2006";
    r.hour = "14";
    r.minute = "05";
    r.forecast = c.forecast;
    r.stormAlarm = c.stormAlarm;
    r.outdoorTempF = c.tempF;
    r.outdoorHumidity = c.humidity;
    r.windDirection = 270;
    r.windSpeedMph = 5.8;
    r.windSpeedKmh = 9.3;
    r.rainTotal = c.rainTotal;
    r.rain24h = c.rain24h;
    r.rain24hInch = c.rain24hInch;
    r.rain1hInch = c.rain1hInch;
    r.pressureAbs = 970;
    r.pressureRel = c.pressureRel;
    Appoggio store;
    store.Raintoday = c.raintoday;
    Report report;
    report.window.Check1 = c.check1;
    report.window.Text2 = c.text2;
    const CycleSettings settings{c.mode, c.pressureType, 1, outputFolder};
    writeAprsReport(r, settings, c.forecast == -1 ? "" : "Prev. sereno", store, report.window);
    report.line2 = c.line2 + "/WS23xx/" + version::reportTail;
    return report;
}

TEST(AprsReport, FileHoldsTheTwoLinesByteForByte) {
    const std::string b = "270/005g000t050p012r000P006b";
    const Case cases[] = {
        {.what = "forecast, absolute pressure"},
        {.what = "relative", .pressureType = 2, .line2 = b + "10132h85/Prev. sereno"},
        {.what = "local situation", .mode = 2, .line2 = b + "09700h85/sereno-vento"},
        {.what = "no weather comment", .mode = 3, .line2 = b + "09700h85/"},
        {.what = "unknown mode", .mode = 7},
        {.what = "message",
         .mode = 3,
         .check1 = true,
         .text2 = "73 de IZ1ABC",
         .line2 = b + "09700h85/73 de IZ1ABC"},
        {.what = "20 characters, not bytes",
         .check1 = true,
         .text2 = "Città: sì, però è così",
         .line2 = b + "09700h85/Città: sì, però è co"},
        {.what = "pasted line break",
         .check1 = true,
         .text2 = "uno\r\ndue",
         .line2 = b + "09700h85/uno  due"},
        {.what = "message switched off", .text2 = "Ciao"},
        {.what = "empty message", .mode = 2, .check1 = true, .line2 = b + "09700h85/sereno-vento"},
        {.what = "storm alarm",
         .mode = 3,
         .check1 = true,
         .text2 = "Ciao",
         .stormAlarm = 1,
         .line2 = b + "09700h85/STORM ALARM!!!"},
        {.what = "station fault is no alarm", .stormAlarm = -1},
        {.what = "no forecast", .forecast = -1, .stormAlarm = 1, .line2 = b + "09700h85/***"},
        {.what = "-5 °F",
         .tempF = -5,
         .line2 = "270/005g000t-05p012r000P006b09700h85/Prev. sereno"},
        {.what = "100 %", .humidity = 100, .line2 = b + "09700h00/Prev. sereno"},
        {.what = "rain held at 999",
         .rain24hInch = 12.34,
         .rain1hInch = 10,
         .rainTotal = 400,
         .rain24h = 400,
         .line2 = "270/005g000t050p999r999P999b09700h85/Prev. sereno"},
        {.what = "rounded",
         .pressureType = 2,
         .rain24hInch = 0.29,
         .rain1hInch = 0.57,
         .pressureRel = 1013.26,
         .line2 = "270/005g000t050p029r057P006b10133h85/Prev. sereno"},
        {.what = "no baseline yet",
         .rainTotal = 1,
         .raintoday = "RainToday",
         .line2 = "270/005g000t050p012r000P004b09700h85/Prev. sereno"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const Report report = writeReport(c, folder.path());
        const std::string lines = "Jun 05 2006 14:05\r\n" + report.line2;
        EXPECT_EQ(readFileBytes(folder.file(kReportFileName)), toSystemCodePage(lines + "\r\n"))
            << c.what;
        EXPECT_EQ(report.window.Text1, lines) << c.what;
    }
}

TEST(AprsReport, ShowsPressuresSituationAndForecast) {
    const MainWindowModel w = writeReport({.what = "sunny", .pressureType = 2}, "").window;
    EXPECT_EQ(w.Label16.Caption, "Pressione rel.:   1013.2 hPa");
    EXPECT_EQ(w.Label33.Caption, "Pressione ass.:   970 hPa");
    EXPECT_EQ(w.Label4.Caption, "Condizioni attuali:  sereno-vento");
    EXPECT_EQ(w.Label19.Caption, "Previsione:  sereno");
    const MainWindowModel none = writeReport({.what = "none", .forecast = -1}, "").window;
    EXPECT_EQ(none.Label4.Caption, "Condizioni attuali:  ");
    EXPECT_EQ(none.Label19.Caption, "Errore interno di programma");
}

TEST(AprsReport, OutputFolderWithAndWithoutFinalSeparator) {
    TempFolder folder;
    for (const std::string& output : {folder.path(), folder.path() + pathSeparator()}) {
        std::filesystem::remove(toFsPath(folder.file(kReportFileName)));
        const Report report = writeReport({.what = "plain"}, output);
        EXPECT_EQ(readFileBytes(folder.file(kReportFileName)),
                  "Jun 05 2006 14:05\r\n" + report.line2 + "\r\n");
    }
}

TEST(AprsReport, UnwritableFolderLeavesTheFileAndUpdatesTheWindow) {
    TempFolder folder;
    const std::string path = folder.file(kReportFileName);
    writeFileBytes(path, "earlier\r\n");
    writeFileBytes(folder.file("plain.txt"), "x");
    // A folder on the temporary file's name stops the rewrite beside the earlier report.
    std::filesystem::create_directory(toFsPath(path + ".brz-new"));
    for (const std::string& output :
         {folder.path(), folder.file("missing"), folder.file("plain.txt")}) {
        const Report report = writeReport({.what = "blocked"}, output);
        EXPECT_EQ(readFileBytes(path), "earlier\r\n") << output;
        EXPECT_FALSE(std::filesystem::exists(toFsPath(folder.file("missing")))) << output;
        EXPECT_EQ(report.window.Text1, "Jun 05 2006 14:05\r\n" + report.line2) << output;
    }
}

TEST(AprsReport, NoOutputFolderWritesNothing) {
    TempFolder here;
    test::WorkingFolder cwd(here.path());
    const Report report = writeReport({.what = "no folder"}, "");
    EXPECT_TRUE(std::filesystem::is_empty(toFsPath(here.path())));
    EXPECT_EQ(report.window.Text1, "Jun 05 2006 14:05\r\n" + report.line2);
}

}  // namespace
}  // namespace brezzolo
