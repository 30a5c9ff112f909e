#pragma once

// The WS23xx serial protocol, host side: the only bytes this program ever sends are built here,
// and one transaction reads a run of nibbles with every wait timed and every failed attempt
// retried after a reset.

#include <chrono>
#include <cstdint>
#include <vector>

#include "station/byte_line.h"
#include "station/ws23xx_reader.h"

namespace brezzolo::ws23xx {

using Nibbles = std::vector<std::uint8_t>;  // one nibble (0 to 15) a value

inline constexpr int kMaxBytesPerRead = 15;
inline constexpr int kMaxNibblesPerRead = 2 * kMaxBytesPerRead;
inline constexpr int kLastAddress = 0xFFFF;

inline constexpr std::uint8_t kResetAnswer = 0x02;
// A reset's answer may start with other bytes (a 0x00 is common) before its 0x02: at most this
// many bytes are read while looking for it, and at most as many are drained after it.
inline constexpr int kMaxResetAnswerBytes = 16;

// One byte the host sends. There is no way to make any other than a reset, an address nibble
// or a read count: the bytes that write to the station (0x12 to 0x7E) cannot be built.
class HostCommand {
  public:
    static constexpr HostCommand reset() { return HostCommand(0x06); }
    // One nibble of an address (only its low 4 bits count): 0x82 to 0xBE.
    static constexpr HostCommand addressNibble(int nibble) {
        return HostCommand(static_cast<std::uint8_t>(0x82 + 4 * (nibble & 0x0F)));
    }
    // Read `byteCount` bytes, held to 1 to 15: 0xC6 to 0xFE.
    static constexpr HostCommand readCount(int byteCount) {
        const int count =
            byteCount < 1 ? 1 : (byteCount > kMaxBytesPerRead ? kMaxBytesPerRead : byteCount);
        return HostCommand(static_cast<std::uint8_t>(0xC2 + 4 * count));
    }

    constexpr std::uint8_t byte() const { return byte_; }

  private:
    constexpr explicit HostCommand(std::uint8_t byte) : byte_(byte) {}
    std::uint8_t byte_;
};

// The station's acknowledgement of the i-th address byte (i = 0 to 3) carrying `nibble`.
constexpr std::uint8_t addressAck(int position, int nibble) {
    return static_cast<std::uint8_t>(0x10 * (position & 3) + (nibble & 0x0F));
}
// The acknowledgement of a read count.
constexpr std::uint8_t readAck(int byteCount) {
    return static_cast<std::uint8_t>(0x30 + byteCount);
}

// True for the bytes HostCommand makes: the reset, the address and the read-count bytes.
bool isReadOnlyCommand(std::uint8_t byte);

// The four address commands of a nibble address, most significant nibble first.
std::vector<HostCommand> addressCommands(int address);

// Bytes of a read's data for `nibbles` nibbles (an odd count reads the next whole byte).
constexpr int dataBytes(int nibbles) {
    return (nibbles + 1) / 2;
}

// The nibbles of the data bytes: byte k holds n[a+2k] low and n[a+2k+1] high.
Nibbles nibblesOfBytes(const std::vector<std::uint8_t>& bytes, int nibbles);

// Pause after the failed attempt `attempt` (1 for the first): grows with each failure, so that
// the attempts together bridge a busy spell of the station.
std::chrono::milliseconds pauseAfterAttempt(const ReadOptions& options, int attempt);

// Reads `count` nibbles from `address` (reads of more than 30 nibbles go in several
// transactions). Each transaction: discard pending input, reset, the four address bytes each
// awaiting its acknowledgement, the count byte and its acknowledgement, the data and the
// checksum. A timeout, a wrong acknowledgement or a wrong checksum fails the attempt; up to
// options.attemptsPerRead attempts, a failed line ends it at once.
StationRead<Nibbles> readNibbles(ByteLine& line, int address, int count,
                                 const ReadOptions& options);

}  // namespace brezzolo::ws23xx
