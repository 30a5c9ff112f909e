// The dialog "Stazione" without a toolkit: loading station.brz, "OK" with bad and good values,
// the reading on demand through an injected reader, and the main window's station status line.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_window_presenter.h"
#include "app/station_dialog_presenter.h"
#include "support/fake_shell.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::FakeShell;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

// The dialog on a config.brz in a folder of its own, two listed ports and a reader that gives
// `answer` and records the ports it was asked for.
struct Dialog {
    TempFolder folder;
    std::string settings = folder.file("station.brz");
    FakeShell shell;
    int saved = 0;
    StationProbeResult answer;
    std::vector<std::string> portsRead;
    std::vector<std::string> released;
    StationDialogPresenter presenter{
        shell, folder.file("config.brz"),
        StationDialogActions{.listPorts =
                                 [] {
                                     return std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyS0"};
                                 },
                             .readOnce =
                                 [this](const std::string& port) {
                                     portsRead.push_back(port);
                                     return answer;
                                 },
                             .saved = [this] { ++saved; },
                             .beforeRead =
                                 [this](const std::string& port) {
                                     released.push_back(port);
                                     EXPECT_TRUE(portsRead.empty());  // freed before the read
                                 }}};

    const StationDialogModel& model() const { return presenter.model(); }
};

TEST(StationDialog, AnUntouchedDialogWritesNothing) {
    Dialog d;
    d.presenter.show();
    EXPECT_FALSE(d.model().optSerial);
    EXPECT_EQ(d.model().cboPort, "");
    EXPECT_EQ(d.model().txtPoll, "15");
    EXPECT_EQ(d.model().cboPortList, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyS0"}));
    d.presenter.okClicked();
    EXPECT_FALSE(d.model().Visible);
    EXPECT_EQ(readFileBytes(d.settings), "");
    EXPECT_EQ(d.saved, 0);
}

TEST(StationDialog, OkChecksEveryFieldAndWritesTheGoodOnes) {
    Dialog d;
    writeFileBytes(d.settings, crlf({"# cavo", "source=serial", "port= COM9 ", "poll=5"}));
    d.presenter.show();
    EXPECT_TRUE(d.model().optSerial);
    EXPECT_EQ(d.model().cboPort, "COM9");
    EXPECT_EQ(d.model().txtPoll, "5");  // a bad value shows as it stands

    d.presenter.portEdited("");
    d.presenter.okClicked();
    ASSERT_EQ(d.shell.messages.size(), 1u);
    EXPECT_EQ(d.shell.messages[0].text,
              "Impostazioni della stazione non salvate:\n"
              "Porta seriale: port \"\" non valida: il nome della porta seriale, senza spazi "
              "all'inizio e alla fine (COM3, /dev/ttyUSB0)\n"
              "Lettura ogni: poll \"5\" non valido: secondi interi da 10 a 300");
    EXPECT_TRUE(d.model().Visible);

    d.presenter.sourceChosen(StationSource::Files);
    d.presenter.sourceChosen(StationSource::Serial);  // an empty port takes the list's first
    EXPECT_EQ(d.model().cboPort, "/dev/ttyUSB0");
    d.presenter.pollEdited(" 30");
    d.presenter.okClicked();
    EXPECT_FALSE(d.model().Visible);
    EXPECT_EQ(d.saved, 1);
    EXPECT_EQ(readFileBytes(d.settings),
              crlf({"# cavo", "source=serial", "port=/dev/ttyUSB0", "poll=30"}));

    // Back to the files: the port may stay, or go.
    d.presenter.show();
    d.presenter.sourceChosen(StationSource::Files);
    d.presenter.portEdited("");
    d.presenter.okClicked();
    EXPECT_EQ(readFileBytes(d.settings), crlf({"# cavo", "source=files", "port=", "poll=30"}));
    EXPECT_FALSE(readStationSettings(d.settings).usable());
}

TEST(StationDialog, AFileThatCannotBeWrittenKeepsTheDialogOpen) {
    Dialog d;
    test::blockRewrite(d.settings);
    d.presenter.show();
    d.presenter.sourceChosen(StationSource::Serial);
    d.presenter.okClicked();
    ASSERT_EQ(d.shell.messages.size(), 1u);
    EXPECT_EQ(d.shell.messages[0].text, kStationNotWrittenMessage);
    EXPECT_TRUE(d.model().Visible);
    EXPECT_EQ(d.saved, 0);
}

TEST(StationDialog, ReadingNowShowsWhatTheStationSaid) {
    const struct {
        StationProbeResult answer;
        std::string shown;
    } cases[] = {
        {{12.34, CivilTime{2026, 12, 7, 14, 5, 9}, ""},
         "Temperatura esterna 12.3 °C, ora della stazione 14:05:09 del 07/12/2026"},
        {{-0.04, std::nullopt, ""},
         "Temperatura esterna 0.0 °C, ora della stazione non disponibile"},
        {{std::nullopt, std::nullopt, "nessuna risposta dalla stazione su COM3"},
         "Lettura non riuscita: nessuna risposta dalla stazione su COM3"},
    };
    for (const auto& c : cases) {
        Dialog d;
        d.answer = c.answer;
        d.presenter.show();
        d.presenter.portEdited(" COM3 ");
        d.presenter.readClicked();
        EXPECT_FALSE(d.model().cmdReadEnabled);
        EXPECT_EQ(d.model().lblReadResult, "Lettura in corso sulla porta COM3 ...");
        ASSERT_TRUE(test::pollUntilChanged([&] { return d.presenter.poll(); }));
        EXPECT_EQ(d.portsRead, std::vector<std::string>{"COM3"});
        EXPECT_EQ(d.released, std::vector<std::string>{"COM3"});
        EXPECT_TRUE(d.model().cmdReadEnabled);
        EXPECT_EQ(d.model().lblReadResult, c.shown);
    }
}

TEST(StationDialog, ReadingNeedsAPort) {
    Dialog d;
    d.presenter.show();
    d.presenter.readClicked();
    ASSERT_EQ(d.shell.messages.size(), 1u);
    EXPECT_TRUE(d.shell.messages[0].text.starts_with("Lettura non avviata:\nPorta seriale: port"));
    EXPECT_TRUE(d.portsRead.empty());
    EXPECT_TRUE(d.released.empty());
    EXPECT_TRUE(d.model().cmdReadEnabled);
}

// The main window starts the link that station.brz asks for and shows its status line; going
// back to Heavy Weather's files stops it and takes the line away.
TEST(StationDialog, TheMainWindowRunsTheLinkAndShowsItsStatus) {
    TempFolder folder;
    writeFileBytes(folder.file("config.brz"),
                   crlf({"1", "1", "1", folder.path(), folder.path(), "history.dat"}));
    writeFileBytes(folder.file("station.brz"), crlf({"source=serial", "port=COM99"}));
    FakeShell shell;
    MainWindowPresenter window(shell, folder.file("config.brz"));
    ASSERT_EQ(window.start(), StartOutcome::Running);
    window.stationMenuClicked();
    EXPECT_TRUE(window.stationDialog().model().Visible);

    const std::string missing = "Stazione: porta COM99 non disponibile - la porta non esiste";
    test::pollUntilChanged([&] {
        window.pollBackground();
        return window.model().StatusStation == missing;
    });
    EXPECT_EQ(window.model().StatusStation, missing);
    EXPECT_TRUE(window.backgroundWorkUnderWay());

    writeFileBytes(folder.file("station.brz"), crlf({"source=files"}));
    window.timerFired();
    EXPECT_EQ(window.model().StatusStation, "");
    EXPECT_FALSE(window.backgroundWorkUnderWay());
}

}  // namespace
}  // namespace brezzolo
