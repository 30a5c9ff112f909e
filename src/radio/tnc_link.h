#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "radio/tnc_settings.h"

namespace brezzolo {

// The way to a KISS TNC: a TCP connection (Dire Wolf, soundmodem) or a serial port (a hardware
// TNC, a radio with one built in), opened for one frame and closed again. A KISS TNC answers
// nothing to a data frame, so "sent" means the TNC took the bytes. The serial port's DTR and
// RTS stay as the system leaves them: a TNC keys the radio itself.

struct TncTimeouts {
    std::chrono::milliseconds connect{5'000};  // for the connection or the port's opening
    std::chrono::milliseconds write{5'000};    // for the TNC to take the frame
    // After connecting, how long a TNC that closes the connection at once is waited for.
    std::chrono::milliseconds closeCheck{300};
};

struct TncResult {
    bool ok = false;
    std::string message;  // why, in Italian, when it failed
};

// Sends these bytes (a KISS frame) to the TNC.
TncResult sendToTnc(const TncSettings& settings, const std::vector<std::uint8_t>& bytes,
                    const TncTimeouts& timeouts = {});

// Connects to the TNC (or opens its port) and leaves without sending anything: the dialog's
// check that the TNC answers.
TncResult checkTnc(const TncSettings& settings, const TncTimeouts& timeouts = {});

}  // namespace brezzolo
