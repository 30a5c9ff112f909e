// brezzolo-fuzz-corpus FUZZ_FOLDER: writes the seed corpus of every fuzz target into
// FUZZ_FOLDER/corpus/<target>/, replacing what is there. Every seed comes from the station
// simulator or the test helpers, so the same program always writes the same bytes.

#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/num_text.h"
#include "properties.h"
#include "records/daily_extremes.h"
#include "station_properties.h"
#include "station_sim/station_sim.h"
#include "support/current_data_builder.h"
#include "support/fake_ws23xx_station.h"
#include "support/temp_folder.h"

namespace {

using namespace brezzolo;
namespace fs = std::filesystem;

using Seeds = std::vector<std::pair<std::string, std::string>>;  // file name, bytes

using test::crlf;
using test::lf;

// A simulated station: currdat.lst at `end` and `records` history records `interval` minutes
// apart, the last one at `end`.
struct Station {
    std::string currentData;
    std::string history;
};

Station simulate(std::uint64_t seed, const sim::CivilTime& end, int intervalMinutes, int records) {
    const std::int64_t first = sim::minuteOf(end) - std::int64_t{intervalMinutes} * (records - 1);
    sim::StationSimulator simulator(seed, first);
    std::vector<HistoryRecord> history;
    for (int k = 0; k < records; ++k) {
        while (simulator.minute() < first + std::int64_t{intervalMinutes} * k) {
            simulator.advance();
        }
        history.push_back(simulator.historyRecord());
    }
    return {crlf(sim::currentDataLines(simulator.conditions())), sim::historyBytes(history)};
}

const sim::CivilTime kAfternoon{2006, 6, 5, 14, 5, 0};
const sim::CivilTime kNewYear{2026, 1, 1, 0, 0, 0};
const sim::CivilTime kFirstOfDecember{2026, 12, 1, 0, 0, 0};

Seeds currentDataSeeds() {
    auto storm = test::CurrentDataBuilder::typical();
    storm.put(17, 1, "fcast = -1\"").put(79, 1, "storm_al  1\"");
    return {
        {"sim-afternoon.lst", simulate(1, kAfternoon, 60, 1).currentData},
        {"sim-new-year.lst", simulate(7, kNewYear, 60, 1).currentData},
        {"typical.lst", test::CurrentDataBuilder::typical().text()},
        {"storm-no-forecast-lf.lst", lf(storm.lines())},
    };
}

Seeds historySeeds() {
    std::string cut = simulate(3, kAfternoon, 180, 6).history;
    cut += std::string(20, '\0');  // a record still being written
    return {
        {"sim-5min-4-records.dat", simulate(1, kAfternoon, 5, 4).history},
        {"sim-hourly-17-records.dat", simulate(2, kAfternoon, 60, 17).history},
        {"sim-3-hourly-cut.dat", cut},
        {"one-record.dat", simulate(4, kAfternoon, 60, 1).history},
    };
}

Seeds configSeeds() {
    return {
        {"six-lines.brz",
         crlf({"1", "1", "1", "C:\\Heavy Weather", "C:\\UI-View\\WX", "history.dat"})},
        {"old-four-lines.brz", crlf({"2", "2", "C:\\HW", "C:\\UIVIEW"})},
        {"six-lines-lf.brz", lf({"3", "2", "2", "/home/hw", "/home/out", "storico.dat"})},
    };
}

std::string doubleBytes(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::string bytes;
    for (int i = 0; i < 8; ++i) {
        bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    return bytes;
}

Seeds numericValueSeeds() {
    return {
        {"quoted.txt", "21.5\""},
        {"no-zero.txt", "  -.4"},
        {"blanks-inside.txt", "\t1 2 3 hPa"},
        {"exponent.txt", "1.5E+3"},
        {"tiny.txt", "-1.23456789012345E-300"},
        {"no-number.txt", "tend3"},
        {"pressure.bin", doubleBytes(1013.2)},
        {"quarter.bin", doubleBytes(-0.25)},
        {"large.bin", doubleBytes(1e300)},
    };
}

Seeds dailyExtremesSeeds() {
    return {
        {"written.brz", crlf(dailyExtremesLines({-2.5, 11, 998.5, 1021}))},
        {"hand-edited-lf.brz", lf({"8.4", "15.2", "1008.1", "1013.6"})},
        {"three-lines.brz", crlf({" 1", " 2", " 3"})},
        {"texts-and-more.brz", crlf({"Tmin", " 1E+15", "-.5", " 1013", "extra"})},
    };
}

std::string cycleInput(const Station& station) {
    return station.currentData + std::string(fuzz::kHistoryMark) + station.history;
}

Seeds cycleSeeds() {
    return {
        {"sim-afternoon-hourly.in", cycleInput(simulate(2, kAfternoon, 60, 17))},
        {"sim-first-of-month-midnight.in", cycleInput(simulate(5, kFirstOfDecember, 180, 9))},
        {"typical-no-history.in", test::CurrentDataBuilder::typical().text()},
    };
}

Seeds aprsIsSeeds() {
    return {
        {"callsign.brz",
         crlf({"enabled=1", "callsign=IZ0ABC-13", "passcode=12345", "server=rotate.aprs2.net:14580",
               "latitude=41.8917", "longitude=12.4883", "interval=10", "comment=Roma nord"})},
        {"cwop-lf-unknown-keys.brz", lf({"# CWOP", "enabled = 1", "callsign=fw1234", "passcode=-1",
                                         "server=cwop.aprs.net:14580", "latitude=-33.5",
                                         "longitude=+151", "station=WS2300", "interval=15"})},
        {"off-half-filled.brz", crlf({"enabled=0", "callsign=", "server=[::1]:14580"})},
        {"bad-values.brz",
         crlf({"enabled=1", "callsign=IZ0ABC-16", "passcode=99999", "server=rotate.aprs2.net",
               "latitude=91", "longitude=1e2", "interval=4", "comment=a|b", "callsign=iz0abc"})},
        {"bad-switch.brz", crlf({"enabled=yes", "unknown line"})},
    };
}

Seeds aprsIsReplySeeds() {
    // Even length: a callsign with a passcode logs in; odd length: a CWOP id without one.
    return {
        {"aprsc-verified.txt",
         crlf({"# aprsc 2.1.14-g5e22b37", "# logresp IZ0ABC-13 verified, server T2TEST",
               "# aprsc 2.1.14-g5e22b37 5 Jun 2006 12:05:00 GMT T2TEST"})},
        {"unverified.txt",
         crlf({"# aprsc 2.1.14-g5e22b37", "# logresp IZ0ABC-13 unverified, server T2TEST"})},
        {"comments-first-lf.txt",
         lf({"# javAPRSSrvr 4.3.0b17", "# Note: filter ignored", "# aprsc 2.1.10",
             "# logresp FW1234 unverified, server CWOP-3", "# ok"})},
        {"garbage.txt", std::string("\x01\xff# logresp\r\n\t\x7f\x80 \x00\n# logresp X\n")},
    };
}

// The answers of the fake station with the sample memory, changed at `address` to `nibbles`
// and showing `faults`, to what the station-answers target reads.
std::string stationAnswers(int address, const std::vector<std::uint8_t>& nibbles,
                           const std::vector<test::InjectedFault>& faults = {}) {
    test::FakeWs23xxStation station;
    test::putSampleMemory(station);
    station.putNibbles(address, nibbles);
    for (const test::InjectedFault& fault : faults) {
        station.inject(fault);
    }
    fuzz::readWholeStation(station);
    return fuzz::stationAnswersInput(station.answers());
}

Seeds stationAnswersSeeds() {
    using test::StationFault;
    return {
        {"sample.bin", stationAnswers(0x54D, {0})},
        {"wireless-lost.bin", stationAnswers(0x54D, {0x3})},
        {"wind-spike.bin", stationAnswers(0x529, {0xF, 0xF, 0x1})},
        {"retries.bin", stationAnswers(0x54D, {0xF},
                                       {{StationFault::ZeroBeforeReset, 0, 1},
                                        {StationFault::BadChecksum, 5, 1},
                                        {StationFault::DoubledAnswer, 12, 1},
                                        {StationFault::Silence, 30, 1}})},
    };
}

bool writeSeeds(const fs::path& folder, const Seeds& seeds) {
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder, error);
    for (const auto& [name, bytes] : seeds) {
        try {
            test::writeFileBytes((folder / name).string(), bytes);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: brezzolo-fuzz-corpus FUZZ_FOLDER\n");
        return 2;
    }
    const fs::path corpus = fs::path(argv[1]) / "corpus";
    const std::pair<const char*, Seeds> targets[] = {
        {"current-data", currentDataSeeds()},
        {"history", historySeeds()},
        {"config", configSeeds()},
        {"numeric-value", numericValueSeeds()},
        {"daily-extremes", dailyExtremesSeeds()},
        {"cycle", cycleSeeds()},
        {"aprs-is", aprsIsSeeds()},
        {"aprs-is-reply", aprsIsReplySeeds()},
        {"station-answers", stationAnswersSeeds()},
    };
    for (const auto& [target, seeds] : targets) {
        if (fuzz::findFuzzTarget(target) == nullptr || !writeSeeds(corpus / target, seeds)) {
            std::fprintf(stderr, "cannot write the seeds of %s\n", target);
            return 1;
        }
    }
    return 0;
}
