#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "station/byte_line.h"
#include "station/station_values.h"

namespace brezzolo {

// Reading the WS23xx over its serial line: the reset, the address and read commands with
// their acknowledgements and checksum, every wait timed, a failed attempt retried after a
// reset. Only reset, address and read bytes are ever sent: nothing that writes to the station.

enum class ReadFailure {
    None,
    NoAnswer,     // the station stayed silent through every attempt
    BadAnswers,   // it answered, but wrong acknowledgements or checksums through every attempt
    PortFailed,   // the line itself failed (port gone): see the detail
    InvalidData,  // read well, but a value the station marks invalid or a spike: see the detail
};

struct ReadOptions {
    std::chrono::milliseconds byteTimeout{1000};  // the longest wait for one byte
    int attemptsPerRead = 5;                      // each attempt starts with a reset
    // The pause after the k-th failed attempt is k times this.
    std::chrono::milliseconds retryPauseStep{100};
    // After a reset's 0x02, further bytes are drained until the line stays quiet this long.
    std::chrono::milliseconds drainTimeout{50};
    // Pauses between attempts go through this, so tests need not wait.
    std::function<void(std::chrono::milliseconds)> sleep;
};

template <typename Value>
struct StationRead {
    std::optional<Value> value;  // set when the read succeeded
    ReadFailure failure = ReadFailure::None;
    std::string detail;  // for a message to the user, in Italian
};

// Every current value the station reading needs, in as few reads as the memory map allows.
// A poll whose outdoor values are invalid (lost sensor, spikes) fails with InvalidData.
StationRead<StationValues> readStationValues(ByteLine& line, const ReadOptions& options = {});

StationRead<StationHistoryHeader> readStationHistoryHeader(ByteLine& line,
                                                           const ReadOptions& options = {});

// The records at these ring indexes (0 to 174), in the order given.
StationRead<std::vector<StationHistoryRecord>> readStationHistoryRecords(
    ByteLine& line, const std::vector<int>& indexes, const ReadOptions& options = {});

}  // namespace brezzolo
