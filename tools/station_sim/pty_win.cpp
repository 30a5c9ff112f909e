#include "pty.h"

namespace brezzolo::sim {

// Windows has no pseudo-terminals: tests under Wine run the Linux simulator and map the
// prefix's COM port to its pty.
std::optional<Pty> openPty(std::string& error) {
    error =
        "the serial mode needs Linux (a pseudo-terminal); under Wine run the Linux "
        "simulator and map COM1 to the path it prints";
    return std::nullopt;
}

void closePty(Pty&) {}

PtyWait receiveFromPty(Pty&, std::vector<std::uint8_t>&, std::chrono::milliseconds) {
    return PtyWait::Failed;
}

bool sendToPty(Pty&, const std::vector<std::uint8_t>&) {
    return false;
}

}  // namespace brezzolo::sim
