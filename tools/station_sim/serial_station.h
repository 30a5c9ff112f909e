#pragma once

// The station's side of the serial protocol, as a pure state machine: each byte from the host
// goes in with the time it arrived, the station's answer bytes come out. No I/O, no clock of its
// own, so the tests drive it byte by byte.
//
//   0x06                  reset, answered 0x02 in any state
//   0x82 + 4a  (4 times)  address nibble a, most significant first; the i-th answered 0x10 i + a
//   0xC2 + 4N  (N 1..15)  read N bytes: answered 0x30 + N, the bytes (low nibble n[a + 2k], high
//                         nibble n[a + 2k + 1]) and their sum modulo 256
//
// Anything else gets no answer at all and leaves the station idle: bytes of the write classes
// (write nibble, set bit, clear bit) are refused and counted, as are malformed bytes, a read of
// 0 bytes or one running past 0x13CF. Memory never changes through the line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "station_sim/memory_image.h"

namespace brezzolo::sim {

// Faults seen in the field, each injectable.
enum class FaultKind {
    Silence,      // no answer at all for a while (value: seconds, default 30)
    NoAck,        // the first address byte of a command gets no answer (value: commands)
    WrongAck,     // the last address byte of a command is acknowledged wrong (value: commands)
    BadChecksum,  // a read's checksum is off by one (value: reads)
    Corrupt,      // a read's first byte is off by one, its checksum matching (value: reads)
    Garbage,      // junk bytes before the first answer of a command (value: commands)
    ResetNoise,   // a reset answered 0x00 0x02 0x02 (value: resets)
    LostSensor,   // the console has lost its outdoor sensors (held while the fault is set)
    WindSpike,    // wind speed raw 0x0FF or 0x1FF (value; held while the fault is set)
    Vanish,       // the port goes away (value: seconds until a new one appears; 0 never)
};

struct Fault {
    FaultKind kind = FaultKind::Silence;
    int value = 0;       // as above; filled with the default when not given
    int afterReads = 0;  // the fault starts once this many more reads have been answered
};

// "NAME[=VALUE][@K]": silence, no-ack, wrong-ack, bad-checksum, corrupt, garbage, reset-noise,
// lost-sensor, wind-spike (VALUE 0FF or 1FF), vanish. Nothing when not understood.
std::optional<Fault> parseFault(std::string_view text);

// A control file's text: one fault a line, blank lines and lines starting with # ignored.
// Nothing when a line is not understood.
std::optional<std::vector<Fault>> parseFaultList(std::string_view text);

class SerialStation {
  public:
    explicit SerialStation(std::vector<Fault> faults = {}, double now = 0);

    // Replaces the faults in force; each starts counting from now.
    void setFaults(std::vector<Fault> faults, double now);

    // The station's answer to one byte arriving at `now` (seconds on any steady clock), reading
    // `memory` as the console's memory.
    std::vector<std::uint8_t> receive(std::uint8_t byte, const StationMemory& memory, double now);

    // The memory as the host sees it now, with the held faults (lost sensor, wind spike) laid
    // over it.
    StationMemory shown(const StationMemory& memory) const;

    // Set once a vanish fault has started: the port is to close.
    bool vanishing() const { return vanishing_; }
    int vanishSeconds() const { return vanishSeconds_; }
    void clearVanishing() { vanishing_ = false; }

    std::int64_t writeBytes() const { return writeBytes_; }          // refused write commands
    std::int64_t malformedBytes() const { return malformedBytes_; }  // and other refused bytes
    std::int64_t readsAnswered() const { return reads_; }

  private:
    enum class State { Idle, Address, Count };
    struct Active {
        Fault fault;
        std::int64_t startRead;  // the reads answered when it starts
        std::optional<double> startedAt;
        int left;  // uses left for the counted faults
    };
    void startDue(double now);  // starts the faults whose reads have come
    Active* inForce(FaultKind kind, double now);
    bool take(FaultKind kind, double now);  // uses one of a counted fault when it is in force
    std::vector<std::uint8_t> read(int count, const StationMemory& memory, double now);

    State state_ = State::Idle;
    int addressBytes_ = 0;
    int address_ = 0;
    std::vector<Active> faults_;
    bool vanishing_ = false;
    int vanishSeconds_ = 0;
    std::int64_t writeBytes_ = 0;
    std::int64_t malformedBytes_ = 0;
    std::int64_t reads_ = 0;
};

}  // namespace brezzolo::sim
