#pragma once

// What every reader of input that someone else writes must keep, whatever the input. Each
// check feeds one input through a reader (and what follows it) in a scratch folder of its own
// and tells what broke: an empty text when every property held. The fuzz targets run them on
// every input the fuzzer makes; the test suite replays the kept corpus and every saved finding
// through the same checks.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brezzolo::fuzz {

// A property check: the input's bytes in, what broke out ("" when nothing did).
using PropertyCheck = std::string (*)(std::string_view input);

struct FuzzTarget {
    std::string_view name;  // its folder under fuzz/corpus and fuzz/findings
    PropertyCheck check;
};

// Every target, in the order scripts/fuzz runs them.
std::span<const FuzzTarget> fuzzTargets();
const FuzzTarget* findFuzzTarget(std::string_view name);

// currdat.lst as text: the station reading and the APRS weather data made from it.
std::string checkCurrentData(std::string_view input);

// The history file, bytes of any length, beside a fixed currdat.lst: the history check (the
// day's extremes and the rain baseline) and the twelve-hour chart.
std::string checkHistoryFile(std::string_view input);

// config.brz: reading, the cycle's settings, the chart selector marking, the start-up check
// with the conversion of the old four-line layout, and storing the chart choice.
std::string checkConfigFile(std::string_view input);

// The numeric value of a text, and numText through it; the first 8 (4) bytes also stand for a
// double (a float) whose number text must read back to the same text.
std::string checkNumericValue(std::string_view input);

// The daily-extremes file read back: alone, and as the files of a midnight cycle's step.
std::string checkDailyExtremesFile(std::string_view input);

// The whole conversion cycle, run twice, on a Heavy Weather folder made from the input.
std::string checkCycle(std::string_view input);

// aprs-is.brz: reading, the check of every value, and the rewrite keeping unknown lines.
std::string checkAprsIsSettingsFile(std::string_view input);

// The lines an APRS-IS server sends back, split as the connection reads them (at LF, a CR
// before it dropped): the banner, comments and the login answer, through the session's
// LoginReplies, for a callsign with a passcode (even length) or a CWOP id (odd length); and the
// status line made from the result.
std::string checkAprsIsReply(std::string_view input);

// The WS23xx station's answers on the serial line through the station reading
// (station_properties.h).
std::string checkStationAnswers(std::string_view input);

// The lines of a server's reply as the connection reads them.
std::vector<std::string> serverReplyLines(std::string_view input);

// The cycle's input: currdat.lst up to the first kHistoryMark, the history file after it; an
// input without the mark has no history file.
inline constexpr std::string_view kHistoryMark = "==history.dat==\n";
struct CycleInput {
    std::string_view currentData;
    std::optional<std::string_view> history;
};
CycleInput splitCycleInput(std::string_view input);

// True when the text is the weather data of an APRS report line, every field at its width:
// "ddd/sssg000tTTTprrrrrrrPrrrbpppppphh/" (direction, speed, gust, temperature "ddd" or "-dd",
// rain of 24 h, of 1 h and since midnight, pressure in five digits, humidity in two).
bool isAprsWeatherData(std::string_view text);

}  // namespace brezzolo::fuzz
