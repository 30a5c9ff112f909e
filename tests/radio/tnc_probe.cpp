// The radio on Windows against Dire Wolf, which tnc_under_wine.sh starts on the Linux side of
// Wine: over TCP to its KISS port, and over COM2, which the script maps to Dire Wolf's KISS
// pseudo-terminal. The script passes the port and Dire Wolf's log in BREZZOLO_DIREWOLF_PORT and
// BREZZOLO_DIREWOLF_LOG, and runs decode_aprs over the lines printed here.

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "input/current_data_reader.h"
#include "radio/cycle_radio.h"
#include "support/current_data_builder.h"
#include "support/direwolf.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using namespace std::chrono_literals;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

TEST(RadioUnderWine, TcpAndComPortThroughDireWolf) {
    const std::string port = environment("BREZZOLO_DIREWOLF_PORT");
    ASSERT_FALSE(port.empty()) << "run through tnc_under_wine.sh";
    test::DireWolfLog log(environment("BREZZOLO_DIREWOLF_LOG"));
    const struct {
        std::string tncLines;
        std::string tnc;
        std::string path;
    } cases[] = {
        {"address=127.0.0.1:" + port + "\n", "127.0.0.1:" + port, ",WIDE2-1"},
        {"tnc=serial\nserial_port=COM2\npath=WIDE1-1,WIDE2-1\n", "COM2", ",WIDE1-1,WIDE2-1"},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        test::writeFileBytes(folder.file("aprs-is.brz"),
                             "callsign=IZ0ABC-13\nlatitude=41.8917\nlongitude=12.4883\n"
                             "comment=Roma\n");
        test::writeFileBytes(folder.file("tnc.brz"), "enabled=1\n" + c.tncLines);
        RadioSenderOptions options;
        options.clock = [] { return std::chrono::system_clock::time_point(1149509160s); };
        options.timeZone = fixedOffsetTimeZone(120);
        CycleRadio radio(folder.file("config.brz"), options);
        std::ostringstream messages;
        radio.afterCycle(
            ReportedReading{parseCurrentData(test::CurrentDataBuilder::typical().lines()), 1.5},
            messages);
        radio.finish(true, messages);
        EXPECT_EQ(messages.str(), "") << c.tnc;
        EXPECT_EQ(radio.statusLine(), "Radio: ultimo invio 14:06 (" + c.tnc + ")");
        const auto aired = log.nextTransmitted(10s);
        ASSERT_TRUE(aired) << log.text();
        EXPECT_EQ(*aired,
                  "IZ0ABC-13>APZBRZ" + c.path +
                      ":/051205z4153.50N/01229.30E_270/004g...t070r001p006P006h55b10132Roma");
        std::cout << "aired: " << *aired << "\n";
    }
}

}  // namespace
}  // namespace brezzolo
