#include "records/daily_extremes.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "common/paths.h"
#include "input/current_data_reader.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using namespace test;
using Four = std::array<std::string, 4>;  // Tmin, Tmax, Pmin, Pmax as texts

constexpr Colour kBackground = rgb(200, 210, 220);
const Four kStored = {" 8.4", " 15.2", " 1008.1", " 1013.6"};
const Four kOther = {"-2.5", " 11", " 998.5", " 1021"};
const Four kFlat = {" 15", " 15", " 1010", " 1010"};
const Four kLower = {"-.4", " 15.2", " 1000.5", " 1013.6"};  // kStored after -0.4 °C, 1000.5 hPa
const Four kWarmer = {" 8.4", " 20", " 1008.1", " 1013.6"};  // kStored after 20 °C
const Four kInitial = {"Tmin", "Tmax", "Pmin", "Pmax"};
const Four kFromZero = {" 0", " .5", " 0", " 1012"};  // kInitial after 0.5 °C, 1012 hPa
constexpr const char* kMidnight = "Sat Dec 05 00:00:00 2026";
// kStored and kOther as day files this program would not write (no blank before a number).
const std::string kStoredFile = crlf({"8.4", "15.2", "1008.1", "1013.6"});
const std::string kOtherFile = crlf({"-2.5", "11", "998.5", "1021"});

// Runs the step on a reading whose header line ends with this time ("" for the empty date texts
// of a failed read) and these stored extremes, on a window whose indicators are untouched.
MainWindowModel runStep(const std::string& time, const Four& stored, const std::string& folder,
                        double t = 3.5, double p = 1012) {
    StationReading r = parseCurrentData(CurrentDataBuilder().put(11, 35, time).lines());
    r.outdoorTemp = t;
    r.pressureRel = p;
    MainWindowModel w;
    w.backgroundColour = kBackground;
    w.Shape1 = w.Shape2 = w.Shape3 = w.Shape4 = ShapeModel{1, 2};
    updateDailyExtremes(
        r, {.Pmax = stored[3], .Pmin = stored[2], .Tmax = stored[1], .Tmin = stored[0]}, folder, w);
    return w;
}

// Indicators as "+" new maximum, "-" new minimum, "." neutral, "u" untouched by the step.
std::string looks(const MainWindowModel& w) {
    std::string text;
    for (const ShapeModel* s : {&w.Shape1, &w.Shape2, &w.Shape3, &w.Shape4}) {
        auto is = [&](Colour b, Colour f) { return s->BorderColor == b && s->FillColor == f; };
        text += is(1, 2)                                 ? 'u'
                : is(kBackground + 1, kBackground)       ? '.'
                : is(colours::darkGreen, colours::green) ? '+'
                : is(colours::darkRed, colours::red)     ? '-'
                                                         : '?';
    }
    return text;
}

TEST(DailyExtremes, StepsOnTheDayFileLabelsAndIndicators) {
    const struct {
        const char* name;
        Four stored;
        std::string fileBefore;  // "" for none
        double t, p;
        bool rewritten;
        Four shown;  // the working extremes: labels, and the file when rewritten
        const char *looks, *when = "Sat Dec 05 14:05:09 2026", *folder = ".";  // in the working one
    } cases[] = {
        {"first cycle of the day", kStored, "", 12, 1010, true, kStored, "...."},
        {"new minimums", kStored, kStoredFile, -0.4, 1000.5, true, kLower, ".-.-"},
        {"the store stands, not the file", kStored, kOtherFile, 12, 1010, false, kStored, "...."},
        {"equal to Tmax and Pmin", kStored, kStoredFile, 15.2, 1008.1, true, kStored, "+..-"},
        {"pressure 0 shows the file", kStored, kOtherFile, 30, 0, false, kOther, "uuuu"},
        {"pressure 0 at 00:00", kStored, kOtherFile, 30, 0, true, kOther, "uuuu", kMidnight},
        {"a flat day ends neutral", kFlat, "", 15, 1010, true, kFlat, "...."},
        {"initial texts read as 0", kInitial, "", 0.5, 1012, true, kFromZero, "+.+."},
        // No usable folder or date: no file at all, while the window still updates.
        {"missing folder", kStored, "", 20, 1010, false, kWarmer, "+...", kMidnight, "absent"},
        {"empty folder text", kStored, "", 20, 1010, false, kWarmer, "+...", kMidnight, ""},
        {"failed read", kStored, "", 20, 1010, false, kWarmer, "+...", ""},
        {"month Xyz", kStored, "", 20, 1010, false, kWarmer, "+...", "Sat Xyz 05 00:00:00 2026"},
        {"29 Feb 2026", kStored, "", 20, 1010, false, kWarmer, "+...", "Sun Feb 29 00:00:00 2026"},
        {"cut short", kStored, "", 20, 1010, false, kWarmer, "+...", "Sat Dec 05 00:00:00 26"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WorkingFolder here(folder.path());
        const std::string dayFile = folder.file("MM261205.brz");
        if (!c.fileBefore.empty()) {
            writeFileBytes(dayFile, c.fileBefore);
        }
        const MainWindowModel window = runStep(c.when, c.stored, c.folder, c.t, c.p);
        EXPECT_EQ(readFileBytes(dayFile),
                  c.rewritten ? crlf({c.shown.begin(), c.shown.end()}) : c.fileBefore);
        EXPECT_EQ(std::filesystem::is_empty(toFsPath(folder.path())),
                  !c.rewritten && c.fileBefore.empty());
        EXPECT_EQ(window.Label24.Caption, "T ext MAX = " + c.shown[1] + " °C");
        EXPECT_EQ(window.Label25.Caption, "T ext min = " + c.shown[0] + " °C");
        EXPECT_EQ(window.Label26.Caption, "Press. MAX = " + c.shown[3] + " hPa");
        EXPECT_EQ(window.Label27.Caption, "Press. min = " + c.shown[2] + " hPa");
        EXPECT_EQ(looks(window), c.looks);
    }
}

TEST(DailyExtremes, MonthlyLogAt0000) {
    const std::string ended = crlf({"-1.5", " 9.2", " 1001.2", " 1020"});
    const std::string shortRecord = crlf({"-1.5", " 9.2"});
    const struct {
        const char *when, *logName, *after;   // after: Header, Older row, new Row; "" no log
        std::string endedDayFile, endedFile;  // a day's record
        bool logExists;                       // with the header and an older row
    } cases[] = {
        // New log, appended row, day 01 restarting, the ended day across month, century and year
        // ends, padded day, no or a short record of the ended day, and 00:01.
        {"Sun Dec 06 00:00:00 2026", "MM202612.TXT", "HR", "MM261205.brz", ended, false},
        {"Wed Dec 16 00:00:00 2026", "MM202612.TXT", "HOR", "MM261215.brz", ended, true},
        {"Fri Mar 01 00:00:00 2024", "MM202403.TXT", "HR", "MM240229.brz", ended, true},
        {"Mon Mar 01 00:00:00 2100", "MM210003.TXT", "HR", "MM000228.brz", ended, false},
        {"Fri Jan 01 00:00:00 2027", "MM202701.TXT", "HR", "MM261231.brz", ended, false},
        {"Sun Dec  6 00:00:00 2026", "MM202612.TXT", "HR", "MM261205.brz", ended, false},
        {"Sun Dec 06 00:00:00 2026", "MM202612.TXT", "H", "MM261204.brz", ended, false},
        {"Wed Dec 16 00:00:00 2026", "MM202612.TXT", "HO", "MM261215.brz", shortRecord, true},
        {"Sun Dec 06 00:01:00 2026", "MM202612.TXT", "", "MM261205.brz", ended, false},
    };
    const std::string header(kMonthlyLogHeader);
    const std::string older = "15/Dec/2026 ;  2 ;  8 ;  1000 ;  1010";
    for (const auto& c : cases) {
        TempFolder folder;
        writeFileBytes(folder.file(c.endedDayFile), c.endedFile);
        if (c.logExists) {
            writeFileBytes(folder.file(c.logName), crlf({header, older}));
        }
        runStep(c.when, kStored, folder.path());
        const std::string w = c.when;
        const std::string row = w.substr(8, 2) + "/" + w.substr(4, 3) + "/" + w.substr(20) +
                                " ; -1.5 ;  9.2 ;  1001.2 ;  1020";
        std::string expected;
        for (const char line : std::string(c.after)) {
            expected += (line == 'H' ? header : line == 'O' ? older : row) + "\r\n";
        }
        EXPECT_EQ(readFileBytes(folder.file(c.logName)), expected) << c.when << " " << c.after;
    }
}

}  // namespace
}  // namespace brezzolo
