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

TEST(AprsIsSession, AnUnverifiedLoginIsFineOnlyWithoutAPasscode) {
    AprsIsTestServer server(ServerBehaviour::RejectLogin);
    const SessionResult cwop =
        sendAprsIsPacket(test::loopbackSettings(server.port(), -1), kPacket, quick());
    EXPECT_TRUE(cwop.ok) << cwop.message;
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

}  // namespace
}  // namespace brezzolo
