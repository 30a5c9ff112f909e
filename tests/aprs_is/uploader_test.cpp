#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "aprs_is/cycle_upload.h"
#include "aprs_is/uploader.h"
#include "support/aprs_is_test_server.h"
#include "support/station_folder.h"

namespace brezzolo {
namespace {

using namespace std::chrono_literals;
using test::AprsIsTestServer;
using test::crlf;
using test::ServerBehaviour;
using test::TempFolder;

// 2006-06-05 12:06:00 UTC, 14:06 in the zone of the tests (two hours ahead).
constexpr std::int64_t kStart = 1149509160;

// A clock the test sets by hand, and the uploader's other dependencies around it.
struct Harness {
    TempFolder folder;
    std::string statePath = folder.file("aprs-is.state");
    std::int64_t now = kStart;

    UploaderOptions options() {
        UploaderOptions o;
        o.clock = [this] {
            return std::chrono::system_clock::time_point(std::chrono::seconds(now));
        };
        o.timeZone = fixedOffsetTimeZone(120);
        o.session.timeouts = {.connect = 2000ms, .overall = 2000ms, .drain = 2000ms};
        return o;
    }
};

// Offers the reading and, when an upload starts, waits for its outcome.
OfferResult offerAndWait(Uploader& uploader, const ReportedReading& r, const AprsIsSettings& s) {
    const OfferResult result = uploader.offer(r, s);
    if (result == OfferResult::Started) {
        EXPECT_TRUE(uploader.waitForOutcome(10s));
        EXPECT_TRUE(uploader.takeOutcome());
    }
    return result;
}

TEST(AprsIsUploader, TheIntervalAndTheNoResendRuleHoldAcrossRestarts) {
    Harness harness;
    AprsIsTestServer server;
    const AprsIsSettings settings = test::loopbackSettings(server.port());
    const ReportedReading first = test::typicalReading("Mon Jun 05 14:05:09 2006");
    const ReportedReading second = test::typicalReading("Mon Jun 05 14:10:09 2006");
    {
        Uploader uploader(harness.statePath, harness.options());
        EXPECT_EQ(uploader.statusLine(), "APRS-IS: attivo, nessun invio finora");
        EXPECT_EQ(offerAndWait(uploader, first, settings), OfferResult::Started);
        EXPECT_EQ(uploader.statusLine(), "APRS-IS: ultimo invio 14:06 (127.0.0.1)");

        // Heavy Weather stopped: the same reading is never sent twice.
        harness.now += 10 * 60;
        EXPECT_EQ(offerAndWait(uploader, first, settings), OfferResult::SameReading);
        EXPECT_EQ(uploader.statusLine(),
                  "APRS-IS: dati della stazione fermi alle 14:05, non reinviati (ultimo invio "
                  "14:06)");
    }
    {
        // A restart three minutes after the upload: the interval still counts from it.
        harness.now = kStart + 3 * 60;
        Uploader uploader(harness.statePath, harness.options());
        EXPECT_EQ(uploader.statusLine(), "APRS-IS: ultimo invio 14:06 (127.0.0.1)");
        EXPECT_EQ(offerAndWait(uploader, second, settings), OfferResult::NotDue);
        harness.now = kStart + 10 * 60 - kIntervalAllowanceSeconds;  // a scheduler's run
        EXPECT_EQ(offerAndWait(uploader, second, settings), OfferResult::Started);
    }
    {
        // The next day, the reading that went out last is still not sent again.
        harness.now = kStart + 24 * 3600;
        Uploader uploader(harness.statePath, harness.options());
        EXPECT_EQ(offerAndWait(uploader, second, settings), OfferResult::SameReading);
        EXPECT_EQ(uploader.statusLine(),
                  "APRS-IS: dati della stazione fermi alle 14:10, non reinviati (ultimo invio "
                  "05/06 14:15)");
    }
    ASSERT_TRUE(server.waitForSessions(2));
    const auto packets = server.packets();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_NE(packets[0].find(":/051205z"), std::string::npos);
    EXPECT_NE(packets[1].find(":/051210z"), std::string::npos);
}

TEST(AprsIsUploader, AFailureIsReportedAndTriedAgainOnlyAtTheNextInterval) {
    Harness harness;
    Uploader uploader(harness.statePath, harness.options());
    const int closedPort = AprsIsTestServer::closedPort();
    const AprsIsSettings refused = test::loopbackSettings(closedPort);

    EXPECT_EQ(uploader.offer(test::typicalReading("Mon Jun 05 14:05:09 2006"), refused),
              OfferResult::Started);
    EXPECT_EQ(uploader.statusLine(), "APRS-IS: invio in corso a 127.0.0.1");
    ASSERT_TRUE(uploader.waitForOutcome(10s));
    const auto outcome = uploader.takeOutcome();
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->sent);
    EXPECT_FALSE(uploader.takeOutcome());  // once
    const std::string refusal = "connessione rifiutata da 127.0.0.1:" + std::to_string(closedPort);
    EXPECT_EQ(outcome->message.rfind(refusal, 0), 0u) << outcome->message;
    EXPECT_EQ(uploader.statusLine().rfind("APRS-IS: errore - " + refusal, 0), 0u);
    EXPECT_NE(uploader.statusLine().find("(nessun invio riuscito)"), std::string::npos);

    // A new reading a minute later waits for the interval, whatever the network does now.
    AprsIsTestServer server;
    harness.now += 60;
    const ReportedReading next = test::typicalReading("Mon Jun 05 14:06:09 2006");
    EXPECT_EQ(offerAndWait(uploader, next, test::loopbackSettings(server.port())),
              OfferResult::NotDue);
    harness.now = kStart + 10 * 60;
    EXPECT_EQ(offerAndWait(uploader, next, test::loopbackSettings(server.port())),
              OfferResult::Started);
    EXPECT_EQ(uploader.statusLine(), "APRS-IS: ultimo invio 14:16 (127.0.0.1)");
    EXPECT_EQ(uploader.offer(test::typicalReading("Mon Jun 05 14:06:09 2006"), refused),
              OfferResult::NotDue);
}

// A station folder with a reading, config.brz and aprs-is.brz, and the cycle on it.
struct Station : test::CycleStation {
    void aprsIs(const std::vector<std::string>& lines) {
        test::writeFileBytes(root.file("aprs-is.brz"), crlf(lines));
    }
    std::string report() const { return test::readFileBytes(inOut("my_meteo.txt")); }
};

TEST(AprsIsCycleUpload, TheCycleDoesNotWaitForTheNetwork) {
    Harness harness;
    Station station;
    AprsIsTestServer server(ServerBehaviour::Held);
    station.aprsIs(test::loopbackSettingsFile(server.port()));
    CycleUpload upload(station.config, harness.options());
    std::ostringstream messages;

    // The server says nothing until released, yet the cycle and the offer are done.
    runConversionCycle(station.env);
    upload.afterCycle(station.env.lastReading, messages);
    EXPECT_NE(station.report().find("270/004g000t070"), std::string::npos);
    EXPECT_TRUE(upload.uploader().busy());
    EXPECT_EQ(upload.statusLine(), "APRS-IS: invio in corso a 127.0.0.1");

    // A second cycle meanwhile runs as well and offers nothing new.
    runConversionCycle(station.env);
    upload.afterCycle(station.env.lastReading, messages);
    EXPECT_TRUE(upload.uploader().busy());

    server.release();
    upload.finish(true, messages);
    EXPECT_EQ(messages.str(), "");
    EXPECT_EQ(upload.statusLine(), "APRS-IS: ultimo invio 14:06 (127.0.0.1)");
    ASSERT_TRUE(server.waitForSessions(1));
    EXPECT_EQ(server.packets(),
              std::vector<std::string>{"IZ0ABC-13>APZBRZ,TCPIP*:/051205z4153.50N/01229.30E_270/"
                                       "004g...t070r001p006P006h55b10132"});
    EXPECT_EQ(upload.dumpLines(),
              "AprsIs.status=APRS-IS: ultimo invio 14:06 (127.0.0.1)\n"
              "AprsIs.lastOutcome=inviato alle 14:06 a 127.0.0.1\n"
              "AprsIs.packet=" +
                  server.packets().at(0) + "\n");
}

TEST(AprsIsCycleUpload, MessagesForABadFileAndForEveryFailure) {
    Harness harness;
    Station station;
    auto lines = test::loopbackSettingsFile(AprsIsTestServer::closedPort());
    lines.push_back("interval=3");
    station.aprsIs(lines);
    CycleUpload upload(station.config, harness.options());
    std::ostringstream messages;

    for (int i = 0; i < 2; ++i) {
        runConversionCycle(station.env);
        upload.afterCycle(station.env.lastReading, messages);
    }
    // Named once, the upload off, the report written as usual.
    EXPECT_EQ(messages.str(),
              "aprs-is.brz: interval \"3\" non valido: minuti interi da 5 a 1440\n");
    EXPECT_EQ(upload.statusLine(),
              "APRS-IS: impostazioni non valide - interval \"3\" non valido: minuti interi da 5 "
              "a 1440");
    EXPECT_FALSE(upload.uploader().busy());
    EXPECT_FALSE(station.report().empty());

    // Mended without a restart; each failed upload then gets its line.
    lines.pop_back();
    station.aprsIs(lines);
    messages.str("");
    for (int i = 0; i < 2; ++i) {
        test::CurrentDataBuilder::typical()
            .header(i == 0 ? "Mon Jun 05 14:05:09 2006" : "Mon Jun 05 14:15:09 2006")
            .writeTo(station.source());
        harness.now = kStart + i * 10 * 60;
        runConversionCycle(station.env);
        upload.afterCycle(station.env.lastReading, messages);
        upload.finish(true, messages);
    }
    const std::string failure = "APRS-IS: errore - connessione rifiutata da 127.0.0.1:";
    const std::string text = messages.str();
    ASSERT_EQ(text.rfind(failure, 0), 0u) << text;
    EXPECT_NE(text.find("\n" + failure), std::string::npos) << text;
}

}  // namespace
}  // namespace brezzolo
