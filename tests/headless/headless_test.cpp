#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "app/instance_lock.h"
#include "common/text_file.h"
#include "support/aprs_is_test_server.h"
#include "support/current_data_builder.h"
#include "support/platform.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "version.h"

namespace brezzolo {
namespace {

using test::crlf;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

// Runs the headless converter in `folder`; its output lands in out.txt and err.txt there.
int runHeadless(const TempFolder& folder, const std::string& arguments) {
    test::WorkingFolder cwd(folder.path());
    return test::runProgram("\"" BREZZOLO_HEADLESS_PATH "\" " + arguments +
                            " > out.txt 2> err.txt");
}

// The "name=value" lines of the dump, each ended as the console ends lines, in the console's
// code page.
std::map<std::string, std::string> parseDump(const std::string& bytes) {
    const std::string text = test::fromConsoleText(bytes);
    const std::string lineEnd = test::consoleLineEnd();
    std::map<std::string, std::string> values;
    for (std::size_t start = 0, end; (end = text.find(lineEnd, start)) != std::string::npos;
         start = end + lineEnd.size()) {
        const std::string line = text.substr(start, end - start);
        const auto eq = line.find('=');
        if (eq != std::string::npos) {
            values[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return values;
}

TEST(Headless, ExitStatuses) {
    TempFolder folder;
    EXPECT_EQ(runHeadless(folder, "--cycles 1"), 1);
    EXPECT_EQ(readFileBytes(folder.file("err.txt")),
              "config.brz not found in " + folder.path() + test::consoleLineEnd());

    writeFileBytes(folder.file("config.brz"), crlf({"1", "1", "1", "", "", ""}));
    for (const char* bad :
         {"--cycles", "--cycles x", "--cycles -1", "--interval-ms 1.5", "--frobnicate", "extra"}) {
        EXPECT_EQ(runHeadless(folder, bad), 2) << bad;
        EXPECT_NE(readFileBytes(folder.file("err.txt")).find("usage:"), std::string::npos);
    }
    EXPECT_EQ(runHeadless(folder, "--help"), 0);
    EXPECT_EQ(runHeadless(folder, "--version"), 0);
    EXPECT_EQ(readFileBytes(folder.file("out.txt")),
              std::string("brezzolo-headless ") + version::dotted + test::consoleLineEnd());
    EXPECT_EQ(runHeadless(folder, "--cycles 2 --interval-ms 0"), 0);
}

TEST(Headless, AnOldConfigurationIsReportedOnStderr) {
    TempFolder folder;
    writeFileBytes(folder.file("config.brz"), crlf({"2", "1", folder.path(), folder.path()}));
    EXPECT_EQ(runHeadless(folder, "--cycles 0"), 0);
    EXPECT_EQ(
        readFileBytes(folder.file("err.txt")),
        std::string("Nuova Release. Prego verificare configurazione cartelle e file di lavoro") +
            test::consoleLineEnd());
}

TEST(Headless, OneConverterPerFolderEvenAfterAKill) {
    TempFolder folder;
    test::CurrentDataBuilder::typical().writeTo(folder.file("currdat.lst"));
    writeFileBytes(folder.file("config.brz"),
                   crlf({"1", "1", "1", folder.path(), folder.path(), "history.dat"}));
    std::optional<test::BackgroundProgram> first;
    {
        test::WorkingFolder cwd(folder.path());
        first.emplace(BREZZOLO_HEADLESS_PATH, std::vector<std::string>{"--interval-ms", "600000"});
    }
    // Its first cycle writes the report, after it has taken the folder.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fileExists(folder.file("my_meteo.txt")) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(fileExists(folder.file("my_meteo.txt")));

    EXPECT_EQ(runHeadless(folder, "--cycles 1"), 1);
    EXPECT_EQ(readFileBytes(folder.file("out.txt")), "");  // no cycle ran
    // In the console's code page on Windows: "è" and "à" are single bytes there.
    EXPECT_EQ(test::fromConsoleText(readFileBytes(folder.file("err.txt"))),
              kAlreadyRunningMessage + std::string(test::consoleLineEnd()));

    first->kill();  // no chance to let go of the lock itself
    EXPECT_EQ(runHeadless(folder, "--cycles 1"), 0);
    EXPECT_NE(readFileBytes(folder.file("out.txt")), "");
}

TEST(Headless, DumpsTheWindowAfterTheLastCycle) {
    TempFolder folder;
    test::CurrentDataBuilder::typical().writeTo(folder.file("currdat.lst"));
    writeFileBytes(folder.file("config.brz"),
                   crlf({"1", "1", "2", folder.path(), folder.path(), "history.dat"}));

    EXPECT_EQ(runHeadless(folder, "--cycles 1 --dump --message \"Ciao da IZ3ABC, 73 a tutti\""), 0);
    const auto dump = parseDump(readFileBytes(folder.file("out.txt")));

    const std::map<std::string, std::string> expected = {
        {"Label1", "Conversione dati da stazione meteorologica WS23xx a UI-View"},
        {"Label6", "T ext:   21.5 °C"},
        {"Label6.ForeColor", "0"},
        {"Label18.BorderStyle", "0"},
        {"Shape2.FillColor", "15790320"},  // no new minimum
        {"Shape2.BorderColor", "15790321"},
        {"Check1", "1"},
        {"Text2", "Ciao da IZ3ABC, 73 a"},
        {"Option1", "0"},
        {"Option2", "1"},
        {"Timer1.Interval", "61502"},
        {"Timer1.Enabled", "1"},
        {"Appoggio.tend10", "tend9"},
        {"Appoggio.Tendenza", "Tendenza"},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(dump.count(name) ? dump.at(name) : "<missing>", value) << name;
    }
    EXPECT_NE(dump.at("Text1").find("\\r\\n"), std::string::npos);
    EXPECT_NE(dump.at("Text1").find("/Ciao da IZ3ABC, 73 a/WS23xx/192W"), std::string::npos);
}

// A station folder whose aprs-is.brz sends to our test server at `port`.
void writeUploadingStation(const TempFolder& folder, int port) {
    test::CurrentDataBuilder::typical().writeTo(folder.file("currdat.lst"));
    writeFileBytes(folder.file("config.brz"),
                   crlf({"1", "1", "1", folder.path(), folder.path(), "history.dat"}));
    writeFileBytes(folder.file("aprs-is.brz"), crlf(test::loopbackSettingsFile(port)));
}

TEST(Headless, AOneShotRunSendsItsReportOnceAndShowsIt) {
    TempFolder folder;
    test::AprsIsTestServer server;
    writeUploadingStation(folder, server.port());

    EXPECT_EQ(runHeadless(folder, "--cycles 1 --dump"), 0);
    ASSERT_TRUE(server.waitForSessions(1));
    const auto packets = server.packets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].rfind("IZ0ABC-13>APZBRZ,TCPIP*:/05", 0), 0u) << packets[0];
    EXPECT_EQ(readFileBytes(folder.file("err.txt")), "");
    const auto dump = parseDump(readFileBytes(folder.file("out.txt")));
    EXPECT_EQ(dump.at("AprsIs.status").rfind("APRS-IS: ultimo invio ", 0), 0u);
    EXPECT_EQ(dump.at("AprsIs.packet"), packets[0]);

    // Run again by a scheduler: the interval has not passed and the reading is the same.
    EXPECT_EQ(runHeadless(folder, "--cycles 1 --dump"), 0);
    EXPECT_EQ(parseDump(readFileBytes(folder.file("out.txt"))).at("AprsIs.status"),
              dump.at("AprsIs.status"));
    EXPECT_EQ(server.packets().size(), 1u);
}

// Every failed upload is one line on stderr; the report is written as usual.
TEST(Headless, UploadTroubleIsOneLineOnStderrAndNothingElseChanges) {
    TempFolder folder;
    writeUploadingStation(folder, test::AprsIsTestServer::closedPort());
    EXPECT_EQ(runHeadless(folder, "--cycles 2 --interval-ms 0"), 0);
    const std::string errors = readFileBytes(folder.file("err.txt"));
    EXPECT_EQ(errors.rfind("APRS-IS: errore - connessione rifiutata da 127.0.0.1:", 0), 0u)
        << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(readFileBytes(folder.file("my_meteo.txt")).substr(0, 19), "Jun 05 2006 14:05\r\n");
}

// A TNC that is not running: one line on stderr, and the cycle's files as usual.
TEST(Headless, ARadioWithoutItsTncIsOneLineOnStderr) {
    TempFolder folder;
    writeUploadingStation(folder, test::AprsIsTestServer::closedPort());
    writeFileBytes(folder.file("aprs-is.brz"),
                   "enabled=0\ncallsign=IZ0ABC-13\nlatitude=41.8917\nlongitude=12.4883\n");
    const int port = test::AprsIsTestServer::closedPort();
    writeFileBytes(folder.file("tnc.brz"),
                   "enabled=1\naddress=127.0.0.1:" + std::to_string(port) + "\n");
    EXPECT_EQ(runHeadless(folder, "--cycles 2 --interval-ms 0"), 0);
    const std::string errors = test::fromConsoleText(readFileBytes(folder.file("err.txt")));
    EXPECT_EQ(errors.rfind(
                  "Radio: errore - connessione rifiutata da 127.0.0.1:" + std::to_string(port), 0),
              0u)
        << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(readFileBytes(folder.file("my_meteo.txt")).substr(0, 19), "Jun 05 2006 14:05\r\n");
}

}  // namespace
}  // namespace brezzolo
