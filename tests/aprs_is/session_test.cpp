#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "aprs_is/session.h"
#include "support/aprs_is_test_server.h"

namespace brezzolo {
namespace {

using namespace std::chrono_literals;
using test::AprsIsTestServer;
using test::ServerBehaviour;

const std::string kPacket =
    "IZ0ABC-13>APZBRZ,TCPIP*:/051205z4153.50N/01229.30E_270/004g...t070r001p006P006h55b10132";

// Short limits, so that the silent server costs a second and not half a minute.
SessionOptions quick() {
    return {.timeouts = {.connect = 1000ms, .overall = 1000ms, .drain = 1000ms}};
}

TEST(AprsIsSession, LogsInSendsThePacketAndLeavesPolitely) {
    AprsIsTestServer server;
    const SessionResult result =
        sendAprsIsPacket(test::loopbackSettings(server.port()), kPacket, quick());
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.message, "# logresp IZ0ABC-13 verified, server TESTSRV");
    EXPECT_EQ(result.serverLines,
              (std::vector<std::string>{"# brezzolo-test-server 1.0", result.message}));

    ASSERT_TRUE(server.waitForSessions(1));
    const auto session = server.sessions().at(0);
    EXPECT_EQ(session.lines,
              (std::vector<std::string>{"user IZ0ABC-13 pass 12345 vers Brezzolo 1.9.2", kPacket}));
    EXPECT_TRUE(session.crlf);
    EXPECT_TRUE(session.orderlyEnd);  // shut down and drained: no reset
}

TEST(AprsIsSession, TheConnectionTestSendsNothing) {
    AprsIsTestServer server;
    const SessionResult result =
        testAprsIsConnection(test::loopbackSettings(server.port()), quick());
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.message, "# logresp IZ0ABC-13 verified, server TESTSRV");
    ASSERT_TRUE(server.waitForSessions(1));
    EXPECT_EQ(server.sessions().at(0).lines.size(), 1u);  // the login line only
    EXPECT_TRUE(server.packets().empty());
}

TEST(AprsIsSession, SlowButWithinTheTimeIsFine) {
    AprsIsTestServer server(ServerBehaviour::Slow, 300ms);
    SessionOptions options = quick();
    options.timeouts.overall = 3000ms;
    const SessionResult result =
        sendAprsIsPacket(test::loopbackSettings(server.port()), kPacket, options);
    EXPECT_TRUE(result.ok) << result.message;
    ASSERT_TRUE(server.waitForSessions(1));
    EXPECT_EQ(server.packets(), std::vector<std::string>{kPacket});
}

TEST(AprsIsSession, EveryFailureIsReportedAndNothingIsSent) {
    const int closedPort = AprsIsTestServer::closedPort();
    const struct {
        const char* name;
        ServerBehaviour behaviour;
        bool useClosedPort;
        const char* message;
    } cases[] = {
        {"refused", ServerBehaviour::Normal, true, "connessione rifiutata da 127.0.0.1:"},
        {"silent", ServerBehaviour::Silent, false,
         "il server non risponde (nessuna risposta in 1 s)"},
        {"closed early", ServerBehaviour::CloseEarly, false,
         "il server ha chiuso la connessione prima del login"},
        {"wrong passcode", ServerBehaviour::RejectLogin, false,
         "passcode errato: il server non ha verificato IZ0ABC-13"},
    };
    for (const auto& c : cases) {
        AprsIsTestServer server(c.behaviour);
        const int port = c.useClosedPort ? closedPort : server.port();
        const SessionResult result =
            sendAprsIsPacket(test::loopbackSettings(port), kPacket, quick());
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.message.rfind(c.message, 0), 0u) << c.name << ": " << result.message;
        if (!c.useClosedPort) {
            ASSERT_TRUE(server.waitForSessions(1)) << c.name;
        }
        EXPECT_TRUE(server.packets().empty()) << c.name;
    }
}

TEST(AprsIsSession, AServerNameThatDoesNotResolve) {
    // The tests stay on the loopback address: the lookup's failure is played by the connector.
    SessionOptions options = quick();
    options.connector = [](const std::string&, int, std::chrono::milliseconds) {
        return ConnectResult{{}, NetError{NetFailure::NameNotFound, "Name or service not known"}};
    };
    AprsIsSettings settings = test::loopbackSettings(14580);
    settings.host = "noaprs.example";
    const SessionResult result = sendAprsIsPacket(settings, kPacket, options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "server non trovato: noaprs.example");
}

// The server's lines without a network: what the session makes of every kind of answer.
TEST(AprsIsLoginReplies, EveryAnswerHasOneOutcomeAndAShortPrintableMessage) {
    const std::string longName(300, 'x');
    const struct {
        const char* name;
        std::vector<std::string> lines;
        int passcode;
        LoginOutcome outcome;
        bool ok;
        std::string message;
    } cases[] = {
        {"verified",
         {"# aprsc 2.1.14", "# logresp IZ0ABC-13 verified, server T2TEST"},
         12345,
         LoginOutcome::Verified,
         true,
         "# logresp IZ0ABC-13 verified, server T2TEST"},
        {"unverified CWOP id",
         {"# aprsc", "# note", "# logresp FW1234 unverified, server C"},
         -1,
         LoginOutcome::CwopUnverified,
         true,
         "# logresp FW1234 unverified, server C"},
        {"wrong passcode",
         {"# aprsc", "# logresp IZ0ABC-13 unverified, server T2TEST"},
         12345,
         LoginOutcome::WrongPasscode,
         false,
         "passcode errato: il server non ha verificato IZ0ABC-13"},
        {"a banner that looks like an answer",
         {"# logresp X verified", "# logresp X bad"},
         1,
         LoginOutcome::Refused,
         false,
         "login rifiutato dal server: # logresp X bad"},
        {"control characters",
         {"b", "# logresp X\tverified\x01\xc3"},
         1,
         LoginOutcome::Refused,
         false,
         "login rifiutato dal server: # logresp X?verified??"},
        // A server's line of any length went whole into the status line and the dialog.
        {"a long answer is cut",
         {"b", "# logresp X verified, server " + longName},
         1,
         LoginOutcome::Verified,
         true,
         "# logresp X verified, server " + std::string(kShownServerLine - 32, 'x') + "..."},
        {"no answer yet", {"b", "# comment"}, 1, LoginOutcome::Refused, false, ""},
    };
    for (const auto& c : cases) {
        AprsIsSettings settings = test::loopbackSettings(14580, c.passcode);
        LoginReplies replies(settings);
        for (const std::string& line : c.lines) {
            replies.take(line);
        }
        const SessionResult result = replies.result();
        EXPECT_EQ(replies.outcome(), c.outcome) << c.name;
        EXPECT_EQ(result.ok, c.ok) << c.name;
        EXPECT_EQ(result.message, c.message) << c.name;
        EXPECT_EQ(result.serverLines.size(), c.lines.size()) << c.name;
    }
}

TEST(AprsIsLoginReplies, AChatteringServerIsNotKeptWhole) {
    LoginReplies replies(test::loopbackSettings(14580));
    for (int k = 0; k < 1000; ++k) {
        EXPECT_FALSE(replies.take("# comment " + std::to_string(k)));
    }
    EXPECT_TRUE(replies.take("# logresp IZ0ABC-13 verified, server T2TEST"));
    EXPECT_TRUE(replies.take("# logresp IZ0ABC-13 unverified, server T2TEST"));
    EXPECT_EQ(replies.serverLines().size(), LoginReplies::kKeptServerLines);
    EXPECT_EQ(replies.serverLines().back(), "# logresp IZ0ABC-13 verified, server T2TEST");
    EXPECT_EQ(replies.outcome(), LoginOutcome::Verified);
}

}  // namespace
}  // namespace brezzolo
