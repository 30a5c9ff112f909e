#pragma once

// Which memory areas a poll needs, and how they are grouped into as few reads as pay off.

#include <span>
#include <vector>

namespace brezzolo::ws23xx {

// A run of nibbles in the station's memory.
struct MemoryArea {
    int address = 0;
    int nibbles = 0;

    int end() const { return address + nibbles; }  // one past the last nibble
    bool operator==(const MemoryArea&) const = default;
};

// The areas the current values come from, in address order.
std::span<const MemoryArea> stationValueAreas();

// Bytes on the line, both ways, for one read of `nibbles` nibbles: the reset and its answer,
// 4 address bytes and their acknowledgements, the count byte and its acknowledgement, the data
// and the checksum.
int bytesExchanged(int nibbles);
int bytesExchanged(std::span<const MemoryArea> reads);

// The reads that cover every area (each area whole inside one read, no read over 30 nibbles)
// with the fewest bytes exchanged: neighbouring areas share a read when reading through the gap
// between them costs less than a read of its own; on a tie, fewer reads.
std::vector<MemoryArea> planReads(std::span<const MemoryArea> areas);

}  // namespace brezzolo::ws23xx
