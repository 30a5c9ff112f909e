#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/folder_lists.h"
#include "app/main_window_presenter.h"
#include "app/messages.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "support/current_data_builder.h"
#include "support/fake_shell.h"
#include "support/station_folder.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::blockRewrite;
using test::crlf;
using test::FakeShell;
using test::lf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

namespace fs = std::filesystem;

using Messages = std::vector<Message>;
const Message kFoldersNotChosen{"ATTENZIONE", "Cartelle non selezionate", MessageIcon::Information};
const Message kNotSaved = warning(kConfigNotSavedMessage);

// A station folder with a three-record history (21.5 °C outdoors) and the program on its
// config.brz.
struct Program : test::StationFolder {
    FakeShell shell;
    MainWindowPresenter presenter{shell, config};

    Program() {
        test::writeHistoryFile(inHw("history.dat"), {{600, 1000.0f, 0.0f, 21.5f},
                                                     {1200, 1000.0f, 0.0f, 21.5f},
                                                     {1800, 1000.0f, 0.0f, 21.5f}});
    }
    FolderDialogPresenter& dialog() { return presenter.folderDialog(); }
    const MainWindowModel& window() const { return presenter.model(); }
    // Timer1 as {interval, enabled}; the chart selector as {Option1, Option2}.
    std::pair<int, bool> timer() const {
        return {window().Timer1.Interval, window().Timer1.Enabled};
    }
    std::pair<bool, bool> chart() const { return {window().Option1, window().Option2}; }
};

const std::pair kStopped{100, false};
const std::pair kStarting{100, true};
const std::pair kPressureChart{true, false};
const std::pair kTemperatureChart{false, true};

TEST(Startup, AFirstRunStoresTheChosenFoldersAtEsciAndStartsTheCycles) {
    Program p;
    ASSERT_EQ(p.presenter.start(), StartOutcome::FirstRun);
    const FolderDialogModel& fields = p.dialog().model();
    EXPECT_TRUE(fields.Visible);
    EXPECT_FALSE(p.window().Visible);
    EXPECT_EQ(p.timer(), kStopped);
    for (const std::string* text : {&fields.Text1, &fields.Text2, &fields.Text3}) {
        EXPECT_EQ(*text, "NON DEFINITO");
    }

    p.dialog().esciClicked();
    EXPECT_EQ(p.shell.messages, Messages{kFoldersNotChosen});
    EXPECT_FALSE(fs::exists(toFsPath(p.config)));
    EXPECT_TRUE(fields.Visible);
    EXPECT_EQ(p.timer(), kStopped);

    p.dialog().heavyWeatherFolderChosen(p.hw);
    p.dialog().outputFolderChosen(p.out);
    p.dialog().historyFileClicked("history.dat");
    blockRewrite(p.config);
    p.dialog().esciClicked();
    EXPECT_EQ(p.shell.messages, (Messages{kFoldersNotChosen, kNotSaved}));
    EXPECT_FALSE(fileExists(p.config));
    EXPECT_FALSE(p.window().Visible);
    EXPECT_EQ(p.timer(), kStopped);  // nothing to run on yet

    fs::remove(toFsPath(p.config + ".brz-new"));
    p.dialog().esciClicked();
    EXPECT_EQ(readFileBytes(p.config), crlf({"1", "1", "1", p.hw, p.out, "history.dat"}));
    EXPECT_EQ(p.shell.messages.size(), 2u);
    EXPECT_FALSE(fields.Visible);
    EXPECT_TRUE(p.window().Visible);
    EXPECT_EQ(p.chart(), kPressureChart);
    EXPECT_EQ(p.timer(), kStarting);
    EXPECT_FALSE(p.shell.ended);
}

TEST(Startup, ClosingTheFolderDialogOnAFirstRunEndsTheProgram) {
    Program p;
    p.presenter.start();
    p.dialog().frameClosed();
    EXPECT_TRUE(p.shell.ended);
    EXPECT_FALSE(fs::exists(toFsPath(p.config)));
}

TEST(Startup, WithAConfigurationTheMainWindowStartsTheCycles) {
    using enum StartOutcome;
    const struct {
        const char* name;
        bool oldLayout = false;
        bool blocked = false;
        StartOutcome outcome;
        const char* message = nullptr;
    } cases[] = {
        {.name = "current", .outcome = Running},
        // A current file needs no rewrite, so a blocked one starts as well.
        {.name = "current, blocked", .blocked = true, .outcome = Running},
        {.name = "old layout",
         .oldLayout = true,
         .outcome = Running,
         .message = kNewReleaseMessage},
        {.name = "old layout, blocked",
         .oldLayout = true,
         .blocked = true,
         .outcome = CannotContinue,
         .message = kConfigNotSavedMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        const std::string before =
            crlf(c.oldLayout ? std::vector<std::string>{"2", "1", p.hw, p.out}
                             : std::vector<std::string>{"2", "1", "2", p.hw, p.out, "h.dat"});
        writeFileBytes(p.config, before);
        if (c.blocked) {
            blockRewrite(p.config);
        }
        EXPECT_EQ(p.presenter.start(), c.outcome);
        EXPECT_EQ(p.shell.messages, c.message ? Messages{warning(c.message)} : Messages{});
        const bool converted = c.oldLayout && c.outcome == Running;
        EXPECT_EQ(readFileBytes(p.config),
                  converted ? crlf({"2", "1", "1", p.hw, p.out, "history.dat"}) : before);
        const bool running = c.outcome == Running;
        EXPECT_EQ(p.window().Visible, running);
        EXPECT_EQ(p.timer(), running ? kStarting : kStopped);
        EXPECT_FALSE(p.dialog().model().Visible);
        if (running) {
            EXPECT_EQ(p.dialog().heavyWeatherFolder(), p.hw);
            EXPECT_EQ(p.chart(), c.oldLayout ? kPressureChart : kTemperatureChart);
        }
    }
}

TEST(FolderDialog, ReadingAFieldLoadsItFromTheConfigurationAndStopsTheTimer) {
    Program p;
    p.writeConfig(p.configLines(" 2"));  // taken by its numeric value
    EXPECT_EQ(p.dialog().historyFileName(), "history.dat");
    EXPECT_FALSE(p.dialog().model().Visible);
    EXPECT_EQ(p.dialog().model().File1, std::vector<std::string>{"history.dat"});
    EXPECT_EQ(p.chart(), kTemperatureChart);

    // The loading stops a running timer (the program's first load comes before any start).
    MainWindowModel running;
    running.Timer1.Enabled = true;
    FolderDialogPresenter(running, p.shell, p.config).historyFileName();
    EXPECT_FALSE(running.Timer1.Enabled);
}

TEST(FolderDialog, EditsReachTheCycleAtOnceAndTheFrameDropsThem) {
    Program p;
    p.writeConfig(p.configLines());
    p.presenter.start();
    const std::string other = p.root.file("other");
    fs::create_directories(toFsPath(*joinPath(other, "folder.dat")));
    for (const char* name : {"b.DAT", "A.dat", "notes.txt", "c.dat.bak"}) {
        writeFileBytes(*joinPath(other, name), "");
    }
    p.presenter.folderMenuClicked();
    EXPECT_TRUE(p.window().Timer1.Enabled);  // showing a loaded dialog leaves the cycles alone

    FolderDialogPresenter& d = p.dialog();
    d.heavyWeatherFolderChosen(other);
    EXPECT_EQ(d.model().File1, (std::vector<std::string>{"A.dat", "b.DAT"}));
    EXPECT_EQ(d.heavyWeatherFolder(), other);
    EXPECT_EQ(d.historyFileName(), "history.dat");  // until a file is clicked
    d.historyFileClicked("b.DAT");
    EXPECT_EQ(d.historyFileName(), "b.DAT");
    EXPECT_EQ(d.model().File1Selected, "b.DAT");
    d.fieldEdited(FolderField::Text3, "typed.dat");
    EXPECT_EQ(d.historyFileName(), "typed.dat");
    EXPECT_EQ(readFileBytes(p.config), crlf(p.configLines()));  // only "ESCI" stores

    d.frameClosed();
    EXPECT_FALSE(d.model().Visible);
    EXPECT_EQ(d.heavyWeatherFolder(), p.hw);
    EXPECT_EQ(d.historyFileName(), "history.dat");
    EXPECT_EQ(d.model().File1, std::vector<std::string>{"history.dat"});
    EXPECT_EQ(d.model().File1Selected, "");
}

TEST(FolderDialog, EsciStoresOnlyTheFoldersAndAFailureLeavesTheCyclesOnTheStoredOnes) {
    Program p;
    const std::vector<std::string> stored{"3 ", "relativa", "2", p.hw, p.out, "history.dat"};
    p.writeConfig(stored);
    p.presenter.start();
    p.presenter.folderMenuClicked();
    FolderDialogPresenter& d = p.dialog();
    d.outputFolderChosen(p.root.path());
    blockRewrite(p.config);
    d.esciClicked();
    EXPECT_EQ(p.shell.messages, Messages{kNotSaved});
    EXPECT_EQ(readFileBytes(p.config), crlf(stored));
    EXPECT_TRUE(d.model().Visible);
    EXPECT_TRUE(p.window().Timer1.Enabled);

    d.fieldEdited(FolderField::Text1, "NON DEFINITO");
    d.esciClicked();
    EXPECT_EQ(p.shell.messages, (Messages{kNotSaved, kFoldersNotChosen}));
    EXPECT_FALSE(p.window().Timer1.Enabled);
    d.frameClosed();
    EXPECT_TRUE(p.window().Timer1.Enabled);
    EXPECT_EQ(d.heavyWeatherFolder(), p.hw);
    EXPECT_EQ(d.model().Text2, p.out);

    // An emptied field is stored as typed; lines 1 to 3 stay exactly as they were.
    fs::remove(toFsPath(p.config + ".brz-new"));
    p.presenter.folderMenuClicked();
    d.fieldEdited(FolderField::Text2, "");
    d.esciClicked();
    EXPECT_EQ(readFileBytes(p.config), crlf({"3 ", "relativa", "2", p.hw, "", "history.dat"}));
    EXPECT_EQ(p.shell.messages.size(), 2u);
    EXPECT_FALSE(d.model().Visible);
    EXPECT_EQ(p.chart(), kTemperatureChart);  // the stored choice stays
    EXPECT_TRUE(p.window().Timer1.Enabled);
    EXPECT_FALSE(p.shell.ended);
}

TEST(SettingsDialogs, LoadingMarksTheStoredValueAndRepairsAnyOtherAtOnce) {
    using Dialog = SettingsDialogPresenter& (MainWindowPresenter::*)();
    const Dialog mode = &MainWindowPresenter::reportModeDialog;
    const Dialog pressure = &MainWindowPresenter::pressureDialog;
    const struct {
        Dialog dialog;
        std::string stored;
        std::vector<bool> marked;
        bool repaired = false;
    } cases[] = {
        {.dialog = mode, .stored = "5", .marked = {true, false, false}, .repaired = true},
        {.dialog = mode, .stored = "3", .marked = {false, false, true}},
        {.dialog = pressure, .stored = "2", .marked = {false, true}},
        {.dialog = pressure, .stored = " 2", .marked = {true, false}, .repaired = true},
        {.dialog = pressure, .stored = "", .marked = {true, false}, .repaired = true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Program p;
        SettingsDialogPresenter& dialog = (p.presenter.*c.dialog)();
        std::vector<std::string> lines = p.configLines("2");
        std::string& line = lines[static_cast<std::size_t>(dialog.texts().line) - 1];
        line = c.stored;
        // LF line ends show whether the file was rewritten.
        const std::string original = lf(lines);
        writeFileBytes(p.config, original);
        dialog.show();
        EXPECT_TRUE(dialog.model().Visible);
        EXPECT_EQ(dialog.model().Options, c.marked);
        line = "1";
        EXPECT_EQ(readFileBytes(p.config), c.repaired ? crlf(lines) : original);
        EXPECT_TRUE(p.shell.messages.empty());
    }
}

TEST(SettingsDialogs, OkStoresItsLineAndAnnullaKeepsAnUnstoredSelection) {
    Program p;
    p.writeConfig(p.configLines("2"));
    SettingsDialogPresenter& pressure = p.presenter.pressureDialog();
    EXPECT_EQ(pressure.chosenValue(), "1");  // nothing marked before it loads
    p.presenter.pressureMenuClicked();
    pressure.optionClicked(2);
    pressure.okClicked();
    EXPECT_FALSE(pressure.model().Visible);
    EXPECT_EQ(readFileBytes(p.config), crlf({"1", "2", "2", p.hw, p.out, "history.dat"}));

    SettingsDialogPresenter& mode = p.presenter.reportModeDialog();
    p.presenter.reportModeMenuClicked();
    mode.optionClicked(2);
    mode.cancelClicked();
    EXPECT_FALSE(mode.model().Visible);
    EXPECT_EQ(readFileBytes(p.config), crlf({"1", "2", "2", p.hw, p.out, "history.dat"}));
    p.presenter.reportModeMenuClicked();
    EXPECT_EQ(mode.model().Options, (std::vector<bool>{false, true, false}));

    blockRewrite(p.config);
    mode.okClicked();
    EXPECT_EQ(p.shell.messages, Messages{kNotSaved});
    EXPECT_TRUE(mode.model().Visible);  // open with the choice, to try again or cancel
}

TEST(MainWindow, TheChartSelectorStoresOnlyAChangeAndRedrawsAtOnce) {
    Program p;
    const std::string original = lf(p.configLines());
    writeFileBytes(p.config, original);
    ASSERT_EQ(p.presenter.start(), StartOutcome::Running);

    p.presenter.chartOptionClicked(ChartChoice::Pressure);
    EXPECT_EQ(readFileBytes(p.config), original);
    EXPECT_EQ(p.chart(), kPressureChart);
    EXPECT_EQ(p.window().MSChart1.values.back(), 0.25);  // pressure above the lowest, + 0.25

    p.presenter.chartOptionClicked(ChartChoice::OutdoorTemperature);
    EXPECT_EQ(readFileBytes(p.config), crlf(p.configLines("2")));
    EXPECT_EQ(p.chart(), kTemperatureChart);
    EXPECT_EQ(p.window().MSChart1.values.back(), 21.5);
    EXPECT_TRUE(p.shell.messages.empty());

    blockRewrite(p.config);
    p.presenter.chartOptionClicked(ChartChoice::Pressure);
    EXPECT_EQ(p.shell.messages, Messages{kNotSaved});
    EXPECT_EQ(readFileBytes(p.config), crlf(p.configLines("2")));
}

TEST(MainWindow, TheUserMessageKeepsItsFirstTwentyCharacters) {
    const std::string accents = "\xc3\xa0\xc3\xa8\xc3\xac\xc3\xb2\xc3\xb9";  // àèìòù in UTF-8
    const struct {
        std::string typed;
        std::string kept;
    } cases[] = {
        {.typed = accents + accents + accents + accents + accents,
         .kept = accents + accents + accents + accents},
        {.typed = "Ciao 1234567890123456", .kept = "Ciao 123456789012345"},
        {.typed = "Ciao " + accents, .kept = "Ciao " + accents},
    };
    FakeShell shell;
    MainWindowPresenter presenter(shell);
    for (const auto& c : cases) {
        presenter.userMessageChanged(c.typed);
        EXPECT_EQ(presenter.model().Text2, c.kept);
    }
}

TEST(AboutBox, TextsNameTheReleaseAndAMissingViewerIsReported) {
    const AboutBoxTexts texts = aboutBoxTexts();
    EXPECT_EQ(texts.caption, "Informazioni su Brezzolo 1.9.2");
    EXPECT_EQ(texts.lblVersion, "Versione 1.9.2");
    EXPECT_EQ(texts.lblTitle, "Brezzolo 1.9.2");
    FakeShell started;
    startSystemInformation(started, [] { return true; });
    EXPECT_TRUE(started.messages.empty());
    FakeShell missing;
    startSystemInformation(missing, [] { return false; });
    const Message unavailable{"Brezzolo 1.9.2",
                              "Le informazioni sul sistema non sono attualmente disponibili.",
                              MessageIcon::None};
    EXPECT_EQ(missing.messages, Messages{unavailable});
}

TEST(FolderLists, AListOpensAtTheNearestExistingFolder) {
    TempFolder root;
    const std::string sep(1, pathSeparator());
    const std::string hw = root.file("hw");
    const std::string work = root.file("work");
    fs::create_directory(toFsPath(hw));
    fs::create_directory(toFsPath(work));
    writeFileBytes(hw + sep + "history.dat", "");
    writeFileBytes(work + sep + "w.dat", "");
    const test::WorkingFolder cwd(work);
    const std::string here = folderText(fromFsPath(fs::current_path()));
    const std::string top = fromFsPath(toFsPath(root.path()).root_path());

    const struct {
        std::string stored;
        std::string opened;
    } cases[] = {
        {.stored = hw, .opened = hw},
        {.stored = hw + sep, .opened = hw},
        {.stored = hw + sep + "gone" + sep + "deeper", .opened = hw},
        {.stored = hw + sep + "history.dat", .opened = hw},  // a file, not a folder
        {.stored = top + "brezzolo-no-such-folder" + sep + "x", .opened = top},
        {.stored = "", .opened = here},
        {.stored = "NON DEFINITO", .opened = here},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nearestExistingFolder(c.stored), c.opened) << c.stored;
    }

    // The system's separators, no "." or ".." steps, no final separator but at a root.
    EXPECT_EQ(folderText(root.path() + "/hw/"), hw);
    EXPECT_EQ(folderText(hw + sep + "." + sep + "x" + sep + ".." + sep), hw);
    EXPECT_EQ(folderText(top), top);

    // Only a folder that exists has candidates, never the current folder for an empty text.
    EXPECT_EQ(historyFileCandidates(hw), std::vector<std::string>{"history.dat"});
    EXPECT_TRUE(historyFileCandidates(hw + sep + "gone").empty());
    EXPECT_TRUE(historyFileCandidates("").empty());
}

}  // namespace
}  // namespace brezzolo
