#pragma once

// The station-answers target: the WS23xx's answers on the serial line, one for each byte the
// host sends, each a length byte (its low 5 bits count) and that many bytes, silence once the
// input ends. They go through a poll of the current values, the history header and three
// history records. Kept apart from properties.cpp, whose headers have a time type of their own.

#include <cstdint>
#include <string>
#include <vector>

#include "station/byte_line.h"
#include "station/ws23xx_reader.h"

namespace brezzolo::fuzz {

// The station's answers as such an input.
std::string stationAnswersInput(const std::vector<std::vector<std::uint8_t>>& answers);

// What the target reads, in order, over one line.
struct StationReads {
    StationRead<StationValues> values;
    StationRead<StationHistoryHeader> header;
    StationRead<std::vector<StationHistoryRecord>> records;
};
inline constexpr int kStationFuzzAttempts = 2;
inline constexpr int kStationFuzzRecordIndexes[] = {0, 150, 174};
StationReads readWholeStation(ByteLine& line);

}  // namespace brezzolo::fuzz
