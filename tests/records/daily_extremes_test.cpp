#include "records/daily_extremes.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "common/paths.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;
using Four = std::array<std::string, 4>;  // Tmin, Tmax, Pmin, Pmax as texts

constexpr Colour kBackground = rgb(200, 210, 220);
const Four kStored = {" 8.4", " 15.2", " 1008.1", " 1013.6"};
const Four kOther = {"-2.5", " 11", " 998.5", " 1021"};
const Four kFlatT = {" 15", " 15", " 1008.1", " 1013.6"};
const Four kFlatP = {" 1", " 5", " 1010", " 1010"};

// A reading on a date given as "dd Mon mm yyyy"; an empty date leaves the date texts empty.
StationReading readingOn(const std::string& date, const std::string& hhmm, double t = 3.5,
                         double p = 1012) {
    StationReading r;
    if (!date.empty()) {
        r.day = date.substr(0, 2);
        r.monthAbbrev = date.substr(3, 3);
        r.monthNumber = date.substr(7, 2);
        r.year = date.substr(10);
    }
    r.hour = hhmm.substr(0, 2);
    r.minute = hhmm.substr(2, 2);
    r.outdoorTemp = t;
    r.pressureRel = p;
    return r;
}

Appoggio storeOf(const Four& v) {
    Appoggio s;
    s.Tmin = v[0];
    s.Tmax = v[1];
    s.Pmin = v[2];
    s.Pmax = v[3];
    return s;
}

// Indicators as "+" new maximum, "-" new minimum, "." neutral, "u" untouched by the step.
MainWindowModel untouchedWindow() {
    MainWindowModel w;
    w.backgroundColour = kBackground;
    w.Shape1 = w.Shape2 = w.Shape3 = w.Shape4 = ShapeModel{1, 2};
    return w;
}

std::string looks(const MainWindowModel& w) {
    std::string text;
    for (const ShapeModel* s : {&w.Shape1, &w.Shape2, &w.Shape3, &w.Shape4}) {
        const auto is = [&](Colour border, Colour fill) {
            return s->BorderColor == border && s->FillColor == fill;
        };
        text += is(1, 2)                             ? 'u'
                : is(kBackground + 1, kBackground)   ? '.'
                : is(rgb(0, 128, 0), rgb(0, 255, 0)) ? '+'
                : is(rgb(128, 0, 0), rgb(255, 0, 0)) ? '-'
                                                     : '?';
    }
    return text;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(toFsPath(folder))) {
        names.insert(fromFsPath(entry.path().filename()));
    }
    return names;
}

std::string bare(const Four& v) {  // the values as a file this program would not write
    return crlf({v[0].substr(v[0][0] == ' '), v[1].substr(1), v[2].substr(1), v[3].substr(1)});
}

TEST(DailyExtremes, StepsOnTheDayFileLabelsAndIndicators) {
    const struct {
        const char* name;
        Four stored;
        std::optional<Four> fileBefore;  // written in the bare form
        const char* hhmm;
        double t, p;
        bool rewritten;
        Four shown;  // the working extremes: labels, and the file when rewritten
        const char* looks;
    } cases[] = {
        // clang-format off
        {"first cycle of the day", kStored, {}, "1405", 12, 1010, true, kStored, "...."},
        {"first cycle, new maximums", kStored, {}, "1405", 16.5, 1014, true,
            Four{" 8.4", " 16.5", " 1008.1", " 1014"}, "+.+."},
        {"new minimums", kStored, kStored, "1405", -0.4, 1000.5, true,
            Four{"-.4", " 15.2", " 1000.5", " 1013.6"}, ".-.-"},
        {"inside the extremes", kStored, kStored, "1405", 12, 1010, false, kStored, "...."},
        {"the store's extremes stand, not the file's", kStored, kOther, "1405", 12, 1010, false,
            kStored, "...."},
        {"T equal to Tmax", kStored, kStored, "1405", 15.2, 1010, true, kStored, "+..."},
        {"P equal to Pmin", kStored, kStored, "1405", 12, 1008.1, true, kStored, "...-"},
        {"pressure 0 shows the file", kStored, kOther, "1405", 30, 0, false, kOther, "uuuu"},
        {"pressure 0 at 00:00", kStored, kOther, "0000", 30, 0, true, kOther, "uuuu"},
        {"equal T extremes end neutral", kFlatT, {}, "1405", 15, 1010, true, kFlatT, "...."},
        {"equal P extremes, pressure 0", kStored, kFlatP, "1405", 3, 0, false, kFlatP, "uu.."},
        {"initial texts read as 0; a half", Four{"Tmin", "Tmax", "Pmin", "Pmax"}, {}, "1405",
            0.5, 1012, true, Four{" 0", " .5", " 0", " 1012"}, "+.+."},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string dayFile = folder.file("MM261205.brz");
        if (c.fileBefore) {
            writeFileBytes(dayFile, bare(*c.fileBefore));
        }
        MainWindowModel window = untouchedWindow();
        updateDailyExtremes(readingOn("05 Dec 12 2026", c.hhmm, c.t, c.p), storeOf(c.stored),
                            folder.path(), window);

        const Four& s = c.shown;
        EXPECT_EQ(readFileBytes(dayFile),
                  c.rewritten ? crlf({s[0], s[1], s[2], s[3]}) : bare(*c.fileBefore));
        EXPECT_EQ(window.Label24.Caption, "T ext MAX = " + s[1] + " °C");
        EXPECT_EQ(window.Label25.Caption, "T ext min = " + s[0] + " °C");
        EXPECT_EQ(window.Label26.Caption, "Press. MAX = " + s[3] + " hPa");
        EXPECT_EQ(window.Label27.Caption, "Press. min = " + s[2] + " hPa");
        EXPECT_EQ(looks(window), c.looks);
    }
}

TEST(DailyExtremes, MonthlyLogAt0000) {
    const std::string header(kMonthlyLogHeader);
    const std::string older = "15/Dec/2026 ;  2 ;  8 ;  1000 ;  1010";
    enum Log { None, HeaderOnly, HeaderRow, Older, OlderRow };
    const struct {
        const char* date;
        const char* hhmm;
        const char* endedDayFile;  // "" none; "short:" + name for a two-line file
        bool logExists;            // holds the header and an older row
        const char* logName;
        Log after;
    } cases[] = {
        // A new log, an appended row, day 01 restarting (the ended day 29 February), the ended
        // day across month and year ends, a day padded with a blank, no record or a short
        // record of the ended day, and cycles that are not at 00:00.
        {"06 Dec 12 2026", "0000", "MM261205.brz", false, "MM202612.TXT", HeaderRow},
        {"16 Dec 12 2026", "0000", "MM261215.brz", true, "MM202612.TXT", OlderRow},
        {"01 Mar 03 2024", "0000", "MM240229.brz", true, "MM202403.TXT", HeaderRow},
        {"01 Mar 03 2023", "0000", "MM230228.brz", false, "MM202303.TXT", HeaderRow},
        {"01 Mar 03 2100", "0000", "MM000228.brz", false, "MM210003.TXT", HeaderRow},
        {"01 Jan 01 2027", "0000", "MM261231.brz", false, "MM202701.TXT", HeaderRow},
        {" 6 Dec 12 2026", "0000", "MM261205.brz", false, "MM202612.TXT", HeaderRow},
        {"06 Dec 12 2026", "0000", "", false, "MM202612.TXT", HeaderOnly},
        {"16 Dec 12 2026", "0000", "", true, "MM202612.TXT", Older},
        {"16 Dec 12 2026", "0000", "short:MM261215.brz", true, "MM202612.TXT", Older},
        {"06 Dec 12 2026", "0001", "MM261205.brz", false, "MM202612.TXT", None},
        {"06 Dec 12 2026", "1200", "MM261205.brz", false, "MM202612.TXT", None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.hhmm + " " + c.endedDayFile);
        TempFolder folder;
        const std::string ended = c.endedDayFile;
        if (ended.starts_with("short:")) {
            writeFileBytes(folder.file(ended.substr(6)), crlf({"-1.5", " 9.2"}));
        } else if (!ended.empty()) {
            writeFileBytes(folder.file(ended), crlf({"-1.5", " 9.2", " 1001.2", " 1020"}));
        }
        const std::string log = folder.file(c.logName);
        if (c.logExists) {
            writeFileBytes(log, crlf({header, older}));
        }
        const StationReading reading = readingOn(c.date, c.hhmm);
        MainWindowModel window;
        updateDailyExtremes(reading, storeOf(kStored), folder.path(), window);

        const std::string row = std::string(c.date).substr(0, 2) + "/" + reading.monthAbbrev + "/" +
                                reading.year + " ; -1.5 ;  9.2 ;  1001.2 ;  1020";
        const std::string expected[] = {"", crlf({header}), crlf({header, row}),
                                        crlf({header, older}), crlf({header, older, row})};
        EXPECT_EQ(readFileBytes(log), expected[c.after]);
        EXPECT_EQ(std::filesystem::exists(toFsPath(log)), c.after != None);
    }
}

TEST(DailyExtremes, EveryCycleReading0000AddsARow) {
    TempFolder folder;
    writeFileBytes(folder.file("MM261205.brz"), crlf({" 1", " 2", " 3", " 4"}));
    MainWindowModel window;
    for (int cycle = 0; cycle < 2; ++cycle) {
        updateDailyExtremes(readingOn("06 Dec 12 2026", "0000"), storeOf(kStored), folder.path(),
                            window);
    }
    const std::string row = "06/Dec/2026 ;  1 ;  2 ;  3 ;  4";
    EXPECT_EQ(readFileBytes(folder.file("MM202612.TXT")),
              crlf({std::string(kMonthlyLogHeader), row, row}));
}

TEST(DailyExtremes, FilesDependOnFolderAndDateWhileTheWindowAlwaysUpdates) {
    const std::string sep(1, pathSeparator());
    const std::set<std::string> both = {"MM261206.brz", "MM202612.TXT"}, none = {};
    const struct {
        const char* name;
        std::string folderSuffix;  // "-" for an empty folder text
        const char* date;
        std::set<std::string> files;
    } cases[] = {
        {"no final separator", "", "06 Dec 12 2026", both},
        {"final separator", sep, "06 Dec 12 2026", both},
        {"missing folder", sep + "absent", "06 Dec 12 2026", none},
        {"empty folder text", "-", "06 Dec 12 2026", none},
        {"failed read: empty date texts", "", "", none},
        {"day not digits", "", "x6 Dec 12 2026", none},
        {"month matching no name", "", "06 Xyz    2026", none},
        {"short year", "", "06 Dec 12 26", none},
        {"29 February outside leap years", "", "29 Feb 02 2026", none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::WorkingFolder here(folder.path());  // where an empty folder text would write
        const StationReading reading = readingOn(c.date, "0000", 20);
        MainWindowModel window = untouchedWindow();
        const std::string out = c.folderSuffix == "-" ? "" : folder.path() + c.folderSuffix;
        updateDailyExtremes(reading, storeOf(kStored), out, window);

        EXPECT_EQ(filesIn(folder.path()), c.files);
        EXPECT_EQ(window.Label24.Caption, "T ext MAX =  20 °C");
        EXPECT_EQ(looks(window), "+...");
    }
}

}  // namespace
}  // namespace brezzolo
