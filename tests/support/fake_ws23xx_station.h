#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "station/byte_line.h"

namespace brezzolo::test {

// Faults a fake station can show, each striking the answers to a run of the host's bytes.
enum class StationFault {
    Silence,          // no answer at all
    WrongAck,         // the answer's first byte off by one
    BadChecksum,      // a read's checksum off by one
    ZeroBeforeReset,  // 0x00 before the answer
    DoubledAnswer,    // the answer's last byte twice (a reset answered 02 02)
    Garbage,          // three stray bytes after the answer
    LineFailed,       // the line is gone from this byte on
};

struct InjectedFault {
    StationFault fault;
    int fromHostByte = 0;  // counting every byte the host sent, from 0
    int hostBytes = 1;
};

// A WS23xx on the other end of the cable, answering from a nibble memory image exactly as the
// protocol says (reset, four address bytes each acknowledged, read count, data and checksum),
// silent to anything else. It logs every byte both ways.
class FakeWs23xxStation : public ByteLine {
  public:
    FakeWs23xxStation();

    void putNibbles(int address, const std::vector<std::uint8_t>& nibbles);
    void inject(InjectedFault fault) { faults_.push_back(fault); }

    const std::vector<std::uint8_t>& hostBytes() const { return hostBytes_; }
    const std::vector<std::uint8_t>& stationBytes() const { return stationBytes_; }
    // The answer to each of the host's bytes, in order.
    const std::vector<std::vector<std::uint8_t>>& answers() const { return answers_; }
    int resets() const;

    LineStatus write(std::span<const std::uint8_t> bytes) override;
    LineStatus read(std::uint8_t& byte, std::chrono::milliseconds timeout) override;
    void discardInput() override { pending_.clear(); }
    std::string failureText() const override { return "cavo scollegato"; }

  private:
    std::vector<std::uint8_t> answer(std::uint8_t byte);
    bool strikes(StationFault fault, int hostByte) const;

    std::vector<std::uint8_t> memory_;
    std::vector<InjectedFault> faults_;
    std::vector<std::uint8_t> hostBytes_;
    std::vector<std::uint8_t> stationBytes_;
    std::vector<std::vector<std::uint8_t>> answers_;
    std::deque<std::uint8_t> pending_;
    int addressBytes_ = 0;
    int address_ = 0;
    bool failed_ = false;
};

// The sample memory: each current value, the history header and record 0 as in the examples
// of the station's memory map (24 April 2003, 03:26:10), the outdoor link on the cable.
void putSampleMemory(FakeWs23xxStation& station);

}  // namespace brezzolo::test
