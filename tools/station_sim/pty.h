#pragma once

// A pseudo-terminal standing in for the station's serial port: the simulator holds the master
// side, the program under test opens the slave's path as it would open /dev/ttyS0.
// Platform-specific: only POSIX systems have one.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brezzolo::sim {

struct Pty {
    int master = -1;
    int slave = -1;  // held open, so that the master keeps working while no one else holds it
    std::string path;
};

// A new pty in raw mode (no echo, no translation of any byte). Nothing, and why in `error`,
// when the system cannot make one.
std::optional<Pty> openPty(std::string& error);

// Closes both sides: a program holding the slave then sees its port fail.
void closePty(Pty& pty);

enum class PtyWait { Bytes, Nothing, Failed };

// Waits up to `timeout` for bytes from the other side and appends them to `bytes`.
PtyWait receiveFromPty(Pty& pty, std::vector<std::uint8_t>& bytes,
                       std::chrono::milliseconds timeout);

// Sends the bytes; false when the pty failed.
bool sendToPty(Pty& pty, const std::vector<std::uint8_t>& bytes);

}  // namespace brezzolo::sim
