// The APRS-IS dialog and the status line, without a toolkit: loading aprs-is.brz, "OK" with
// bad and good values, "Annulla", the connection test against our own loopback server, and
// the main window's status line as an upload's outcome is polled in.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/aprs_is_dialog_presenter.h"
#include "app/main_window_presenter.h"
#include "app/messages.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "support/aprs_is_test_server.h"
#include "support/current_data_builder.h"
#include "support/fake_shell.h"
#include "support/station_folder.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::AprsIsTestServer;
using test::crlf;
using test::FakeShell;
using test::readFileBytes;
using test::ServerBehaviour;
using test::TempFolder;
using test::writeFileBytes;

// The dialog on a config.brz in a folder of its own, and how often "OK" reported a write.
struct Dialog {
    TempFolder folder;
    std::string settings = folder.file("aprs-is.brz");
    FakeShell shell;
    int saved = 0;
    AprsIsDialogPresenter presenter{shell, folder.file("config.brz"), [this] { ++saved; }};

    const AprsIsDialogModel& model() const { return presenter.model(); }
    // Polls until the connection test has answered (at most ten seconds).
    bool waitForAnswer() {
        return test::pollUntilChanged([this] { return presenter.poll(); });
    }
    void type(const std::vector<std::pair<AprsIsField, std::string>>& edits) {
        for (const auto& [field, text] : edits) {
            presenter.fieldEdited(field, text);
        }
    }
};

// The fields as "enabled|callsign|passcode|server|latitude|longitude|interval|comment".
std::string fields(const AprsIsDialogModel& m) {
    std::string text = m.chkEnabled ? "1" : "0";
    for (const AprsIsFieldTexts& f : aprsIsDialogFields()) {
        text += "|" + m.*f.text;
    }
    return text;
}

const std::vector<std::string> kGoodFile{"# stazione di casa",
                                         "enabled=1",
                                         "callsign=IZ0ABC-13",
                                         "passcode=12345",
                                         "server=rotate.aprs2.net:14580",
                                         "latitude=41.8917",
                                         "longitude=12.4883",
                                         "interval=15",
                                         "comment=Roma",
                                         "antenna=verticale"};

TEST(AprsIsDialog, EachShowingLoadsTheFileAsItStands) {
    const struct {
        const char* name;
        std::vector<std::string> file;  // no file when empty
        const char* shown;
    } cases[] = {
        {.name = "no file: off, with the defaults",
         .file = {},
         .shown = "0|||rotate.aprs2.net:14580|||10|"},
        {.name = "a good file",
         .file = kGoodFile,
         .shown = "1|IZ0ABC-13|12345|rotate.aprs2.net:14580|41.8917|12.4883|15|Roma"},
        // A bad value shows as it stands, so that it can be put right; the last line counts.
        {.name = "bad values, a missing interval",
         .file = {"enabled=1", "callsign=iz0abc-99", "latitude=91", "latitude= 95 ", "comment=a|b"},
         .shown = "1|iz0abc-99||rotate.aprs2.net:14580|95||10|a|b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dialog d;
        if (!c.file.empty()) {
            writeFileBytes(d.settings, crlf(c.file));
        }
        d.presenter.show();
        EXPECT_TRUE(d.model().Visible);
        EXPECT_EQ(fields(d.model()), c.shown);
        EXPECT_TRUE(d.model().cmdTestEnabled);
        EXPECT_EQ(d.model().lblTestResult, "");
    }
}

TEST(AprsIsDialog, OkNamesEveryBadValueAndWritesNothing) {
    Dialog d;
    writeFileBytes(d.settings, crlf(kGoodFile));
    d.presenter.show();
    d.presenter.enabledClicked(false);  // switched off or not, only good values are written
    d.type({{AprsIsField::Callsign, "IZ0ABC-16"},
            {AprsIsField::Latitude, "41,8917"},
            {AprsIsField::Interval, "4"}});
    d.presenter.okClicked();
    ASSERT_EQ(d.shell.messages.size(), 1u);
    const Message& m = d.shell.messages[0];
    EXPECT_EQ(m.title, "ATTENZIONE");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.text, std::string(kAprsIsNotSavedHeading) +
                          "\nNominativo o ID CWOP: " + *callsignProblem("IZ0ABC-16") +
                          "\nLatitudine: " + *latitudeProblem("41,8917") +
                          "\nIntervallo: " + *intervalProblem("4"));
    EXPECT_EQ(readFileBytes(d.settings), crlf(kGoodFile));
    EXPECT_TRUE(d.model().Visible);
    EXPECT_EQ(d.saved, 0);
}

TEST(AprsIsDialog, OkWritesGoodValuesKeepingOtherLinesAndAnnullaWritesNothing) {
    Dialog d;
    writeFileBytes(d.settings, crlf(kGoodFile));
    d.presenter.show();
    d.presenter.enabledClicked(false);
    d.type({{AprsIsField::Callsign, " fw1234 "},
            {AprsIsField::Passcode, "-1"},
            {AprsIsField::Server, "cwop.aprs.net:14580"},
            {AprsIsField::Comment, ""}});
    d.presenter.okClicked();
    EXPECT_TRUE(d.shell.messages.empty());
    EXPECT_FALSE(d.model().Visible);
    EXPECT_EQ(d.saved, 1);
    const std::vector<std::string> written{"# stazione di casa",
                                           "enabled=0",
                                           "callsign=FW1234",
                                           "passcode=-1",
                                           "server=cwop.aprs.net:14580",
                                           "latitude=41.8917",
                                           "longitude=12.4883",
                                           "interval=15",
                                           "comment=",
                                           "antenna=verticale"};
    EXPECT_EQ(readFileBytes(d.settings), crlf(written));

    // "Annulla" drops the edits; the next showing loads the file again.
    d.presenter.show();
    d.type({{AprsIsField::Interval, "30"}});
    d.presenter.cancelClicked();
    EXPECT_FALSE(d.model().Visible);
    EXPECT_EQ(readFileBytes(d.settings), crlf(written));
    d.presenter.show();
    EXPECT_EQ(d.model().txtInterval, "15");

    // A file that cannot be rewritten: the user is told and the dialog stays open.
    test::blockRewrite(d.settings);
    d.presenter.okClicked();
    EXPECT_EQ(d.shell.messages, std::vector<Message>{warning(kAprsIsNotWrittenMessage)});
    EXPECT_TRUE(d.model().Visible);
    EXPECT_EQ(d.saved, 1);
}

TEST(AprsIsDialog, AnUntouchedSwitchedOffDialogLeavesNoFile) {
    Dialog d;
    d.presenter.show();
    d.presenter.okClicked();
    EXPECT_FALSE(d.model().Visible);
    EXPECT_FALSE(fileExists(d.settings));
    EXPECT_TRUE(d.shell.messages.empty());

    // Filled in but left off, it is kept for later.
    d.presenter.show();
    d.type({{AprsIsField::Callsign, "FW1234"},
            {AprsIsField::Passcode, "-1"},
            {AprsIsField::Latitude, "-33.8688"},
            {AprsIsField::Longitude, "151.2093"}});
    d.presenter.okClicked();
    const auto stored = readAprsIsSettings(d.settings);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->problems.empty());
    EXPECT_FALSE(stored->settings.enabled);
    EXPECT_EQ(stored->settings.callsign, "FW1234");
    EXPECT_EQ(stored->settings.longitude, 151.2093);
}

TEST(AprsIsDialog, TheConnectionTestLogsInAndShowsTheAnswer) {
    AprsIsTestServer normal;
    const int closed = AprsIsTestServer::closedPort();
    const struct {
        const char* name;
        int port;
        std::string answer;
    } cases[] = {
        {.name = "verified",
         .port = normal.port(),
         .answer = "Connessione riuscita, risposta del server: # logresp IZ0ABC-13 verified, "
                   "server TESTSRV"},
        {.name = "refused",
         .port = closed,
         .answer = "Connessione non riuscita: connessione rifiutata da 127.0.0.1:" +
                   std::to_string(closed)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dialog d;
        d.presenter.show();
        // Only what the login needs is checked; the position may still be missing.
        d.type({{AprsIsField::Callsign, "IZ0ABC-13"},
                {AprsIsField::Passcode, "12345"},
                {AprsIsField::Server, "127.0.0.1:" + std::to_string(c.port)}});
        d.presenter.testClicked();
        ASSERT_TRUE(d.waitForAnswer());
        EXPECT_EQ(d.model().lblTestResult, c.answer);
        EXPECT_TRUE(d.model().cmdTestEnabled);
        EXPECT_FALSE(d.presenter.testUnderWay());
        EXPECT_TRUE(d.shell.messages.empty());
        EXPECT_FALSE(fileExists(d.settings));
    }
    // The server heard our login and nothing after it.
    ASSERT_TRUE(normal.waitForSessions(1));
    EXPECT_EQ(normal.sessions()[0].lines,
              std::vector<std::string>{"user IZ0ABC-13 pass 12345 vers Brezzolo 1.9.2"});
    EXPECT_TRUE(normal.packets().empty());
}

TEST(AprsIsDialog, ATestUnderWayKeepsItsButtonOff) {
    AprsIsTestServer held(ServerBehaviour::Held);
    Dialog d;
    d.presenter.show();
    d.type({{AprsIsField::Callsign, "IZ0ABC-13"},
            {AprsIsField::Passcode, "12345"},
            {AprsIsField::Server, "127.0.0.1:" + std::to_string(held.port())}});
    d.presenter.testClicked();
    EXPECT_TRUE(d.presenter.testUnderWay());
    EXPECT_FALSE(d.model().cmdTestEnabled);
    EXPECT_EQ(d.model().lblTestResult,
              "Prova in corso: connessione a 127.0.0.1:" + std::to_string(held.port()) + " ...");
    EXPECT_FALSE(d.presenter.poll());

    // Closing and opening the dialog keeps the test on show.
    d.presenter.cancelClicked();
    d.presenter.show();
    EXPECT_FALSE(d.model().cmdTestEnabled);
    held.release();
    ASSERT_TRUE(d.waitForAnswer());
    EXPECT_TRUE(d.model().cmdTestEnabled);
}

// The main window's status line: empty without aprs-is.brz, and following an upload from its
// start to the outcome that a poll brings in.
TEST(AprsIsStatusLine, FollowsTheUploadThroughThePoll) {
    AprsIsTestServer held(ServerBehaviour::Held);
    const test::StationFolder station;
    test::CurrentDataBuilder::typical().writeTo(station.inHw("currdat.lst"));
    station.writeConfig(station.configLines());
    FakeShell shell;
    MainWindowPresenter presenter(shell, station.config);
    ASSERT_EQ(presenter.start(), StartOutcome::Running);
    presenter.timerFired();
    EXPECT_EQ(presenter.model().StatusAprsIs, "");
    EXPECT_FALSE(presenter.backgroundWorkUnderWay());

    // Switched on through the dialog: the status line follows at once.
    AprsIsDialogPresenter& dialog = presenter.aprsIsDialog();
    presenter.aprsIsMenuClicked();
    dialog.enabledClicked(true);
    for (const auto& [field, text] : std::vector<std::pair<AprsIsField, std::string>>{
             {AprsIsField::Callsign, "IZ0ABC-13"},
             {AprsIsField::Passcode, "12345"},
             {AprsIsField::Server, "127.0.0.1:" + std::to_string(held.port())},
             {AprsIsField::Latitude, "41.8917"},
             {AprsIsField::Longitude, "12.4883"}}) {
        dialog.fieldEdited(field, text);
    }
    dialog.okClicked();
    EXPECT_EQ(presenter.model().StatusAprsIs, "APRS-IS: attivo, nessun invio finora");

    presenter.timerFired();
    EXPECT_EQ(presenter.model().StatusAprsIs, "APRS-IS: invio in corso a 127.0.0.1");
    EXPECT_TRUE(presenter.backgroundWorkUnderWay());
    EXPECT_FALSE(presenter.pollBackground());
    held.release();
    ASSERT_TRUE(test::pollUntilChanged([&] { return presenter.pollBackground(); }));
    const std::string& status = presenter.model().StatusAprsIs;
    EXPECT_EQ(status.rfind("APRS-IS: ultimo invio ", 0), 0u) << status;
    EXPECT_TRUE(status.ends_with(" (127.0.0.1)")) << status;
    EXPECT_FALSE(presenter.backgroundWorkUnderWay());
    ASSERT_TRUE(held.waitForSessions(1));
    EXPECT_EQ(held.packets().size(), 1u);
    EXPECT_TRUE(shell.notes.empty());
}

}  // namespace
}  // namespace brezzolo
