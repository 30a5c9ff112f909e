// The report on the air through Dire Wolf, the real KISS TNC, over TCP and over its KISS
// pseudo-terminal, and what the radio does when the TNC is not there.

#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "aprs_is/upload_state.h"
#include "input/current_data_reader.h"
#include "radio/cycle_radio.h"
#include "support/aprs_decoder.h"
#include "support/aprs_is_test_server.h"
#include "support/current_data_builder.h"
#include "support/direwolf.h"
#include "support/loopback_listener.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;
using test::writeFileBytes;

// 2006-06-05 12:06:00 UTC, 14:06 in the zone of the tests (two hours ahead).
constexpr std::int64_t kStart = 1149509160;

// The typical reading of 14:05 local time, and the report it makes from IZ0ABC-13 in Rome.
const char* const kInformation =
    "/051205z4153.50N/01229.30E_270/004g...t070r001p006P006h55b10132Roma";

ReportedReading readingAt(const std::string& header) {
    test::CurrentDataBuilder b = test::CurrentDataBuilder::typical();
    b.header(header);
    return {parseCurrentData(b.lines()), 1.5};
}

// A working folder with the identity in aprs-is.brz (the upload off) and these tnc.brz lines.
struct RadioFolder {
    TempFolder folder;
    std::string config = folder.file("config.brz");
    std::int64_t now = kStart;

    explicit RadioFolder(const std::string& tncLines) {
        writeFileBytes(folder.file("aprs-is.brz"),
                       "enabled=0\ncallsign=IZ0ABC-13\nlatitude=41.8917\nlongitude=12.4883\n"
                       "comment=Roma\n");
        writeFileBytes(folder.file("tnc.brz"), "enabled=1\n" + tncLines);
    }
    RadioSenderOptions options() {
        RadioSenderOptions o;
        o.clock = [this] {
            return std::chrono::system_clock::time_point(std::chrono::seconds(now));
        };
        o.timeZone = fixedOffsetTimeZone(120);
        o.timeouts = {.connect = 2000ms, .write = 2000ms, .closeCheck = 300ms};
        return o;
    }
    std::optional<std::int64_t> lastAttempt() const {
        return readUploadState(folder.file("tnc.state")).lastAttempt;
    }
};

// One cycle's offer and the wait for its outcome, as a one-shot run ends.
std::string sendOnce(CycleRadio& radio, const ReportedReading& reading) {
    std::ostringstream messages;
    radio.afterCycle(reading, messages);
    radio.finish(true, messages);
    return messages.str();
}

TEST(RadioThroughDireWolf, TheFrameGoesOnTheAirAsMeantAndDecodes) {
    test::DireWolf direwolf;
    if (!direwolf.running()) {
        GTEST_SKIP() << "direwolf (package direwolf) is not installed or did not start";
    }
    const auto decoder = test::findAprsDecoder();
    const struct {
        std::string tncLines;
        std::string tnc;
        std::string path;
    } cases[] = {
        {"address=127.0.0.1:" + std::to_string(direwolf.kissPort()) + "\n",
         "127.0.0.1:" + std::to_string(direwolf.kissPort()), ",WIDE2-1"},
        {"tnc=serial\nserial_port=" + direwolf.kissTerminal() + "\npath=WIDE1-1,WIDE2-1\n",
         direwolf.kissTerminal(), ",WIDE1-1,WIDE2-1"},
        {"path=\n", "", ""},
    };
    for (auto c : cases) {
        if (c.path.empty()) {  // no path, over TCP again
            c.tncLines += "address=127.0.0.1:" + std::to_string(direwolf.kissPort()) + "\n";
            c.tnc = "127.0.0.1:" + std::to_string(direwolf.kissPort());
        }
        RadioFolder folder(c.tncLines);
        CycleRadio radio(folder.config, folder.options());
        EXPECT_EQ(sendOnce(radio, readingAt("Mon Jun 05 14:05:09 2006")), "") << c.tnc;
        EXPECT_EQ(radio.statusLine(), "Radio: ultimo invio 14:06 (" + c.tnc + ")");

        const auto aired = direwolf.nextTransmitted(10s);
        ASSERT_TRUE(aired) << direwolf.log();
        EXPECT_EQ(*aired, "IZ0ABC-13>APZBRZ" + c.path + ":" + kInformation);
        EXPECT_NE(radio.dumpLines().find("\nRadio.packet=" + *aired + "\n"), std::string::npos);
        if (decoder) {
            const std::string text = test::decodedAprs(*decoder, *aired);
            EXPECT_NE(text.find("\nWeather Report, WEATHER Station (blue), Experimental\n"),
                      std::string::npos)
                << text;
            EXPECT_NE(text.find("\nN 41 53.5000, E 012 29.3000\n"), std::string::npos) << text;
            EXPECT_NE(text.find("humidity 55, barometer 29.92, \"Roma\""), std::string::npos)
                << text;
        }
    }
}

TEST(RadioThroughDireWolf, AOneShotConverterRunWaitsForItsTransmission) {
    test::DireWolf direwolf;
    if (!direwolf.running()) {
        GTEST_SKIP() << "direwolf (package direwolf) is not installed or did not start";
    }
    RadioFolder folder("address=127.0.0.1:" + std::to_string(direwolf.kissPort()) + "\n");
    test::CurrentDataBuilder::typical().writeTo(folder.folder.file("currdat.lst"));
    writeFileBytes(
        folder.folder.file("config.brz"),
        test::crlf({"1", "1", "1", folder.folder.path(), folder.folder.path(), "history.dat"}));
    test::WorkingFolder cwd(folder.folder.path());
    EXPECT_EQ(test::runProgram("\"" BREZZOLO_HEADLESS_PATH "\" --cycles 1 --dump > out.txt "
                               "2> err.txt"),
              0);
    EXPECT_EQ(test::readFileBytes("err.txt"), "");
    const auto aired = direwolf.nextTransmitted(10s);
    ASSERT_TRUE(aired) << direwolf.log();
    EXPECT_TRUE(aired->starts_with("IZ0ABC-13>APZBRZ,WIDE2-1:/05")) << *aired;
    const std::string out = test::readFileBytes("out.txt");
    EXPECT_NE(out.find("\nRadio.status=Radio: ultimo invio "), std::string::npos) << out;
    EXPECT_NE(out.find("\nRadio.packet=" + *aired + "\n"), std::string::npos) << out;
}

// A pseudo-terminal's name that led somewhere a moment ago: the port that vanished.
std::string vanishedTerminal() {
    int master = -1;
    int slave = -1;
    char name[128] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        return "/dev/pts/none";
    }
    ::close(slave);
    ::close(master);
    return name;
}

TEST(RadioFaults, EachIsReportedAndRetriedOnlyAtTheNextInterval) {
    test::LoopbackListener closing;  // accepts, then closes at once
    std::thread closer([&] {
        for (int i = 0; i < 2; ++i) {
            if (auto stream = closing.accept(10s)) {
                stream->close();
            }
        }
    });
    const struct {
        std::string tncLines;
        std::string failure;
    } cases[] = {
        {"address=127.0.0.1:" + std::to_string(test::AprsIsTestServer::closedPort()) + "\n",
         "connessione rifiutata da 127.0.0.1:"},
        {"address=127.0.0.1:" + std::to_string(closing.port()) + "\n",
         "il TNC 127.0.0.1:" + std::to_string(closing.port()) + " ha chiuso la connessione"},
        {"tnc=serial\nserial_port=/dev/brezzolo-no-such-tnc\n",
         "porta seriale /dev/brezzolo-no-such-tnc non trovata"},
        {"tnc=serial\nserial_port=" + vanishedTerminal() + "\n", "porta seriale /dev/pts/"},
    };
    for (const auto& c : cases) {
        RadioFolder folder(c.tncLines);
        CycleRadio radio(folder.config, folder.options());
        const std::string messages = sendOnce(radio, readingAt("Mon Jun 05 14:05:09 2006"));
        EXPECT_TRUE(radio.statusLine().starts_with("Radio: errore - " + c.failure))
            << radio.statusLine();
        EXPECT_EQ(messages, radio.statusLine() + "\n");  // one line on stderr
        const auto first = folder.lastAttempt();

        folder.now += 60;  // a new reading a cycle later: not before the interval
        sendOnce(radio, readingAt("Mon Jun 05 14:06:09 2006"));
        EXPECT_EQ(folder.lastAttempt(), first) << c.failure;
        folder.now += 30 * 60;
        sendOnce(radio, readingAt("Mon Jun 05 14:36:09 2006"));
        EXPECT_EQ(folder.lastAttempt(), folder.now) << c.failure;
    }
    closing.close();
    closer.join();
}

}  // namespace
}  // namespace brezzolo
