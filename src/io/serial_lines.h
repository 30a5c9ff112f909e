#pragma once

#include <optional>
#include <string>

#include "io/asio.h"
#include "io/serial_port.h"

namespace brezzolo {

// What a serial port needs beyond Asio's serial_port, one twin per system
// (serial_lines_posix.cpp, serial_lines_win.cpp). Each returns the system's message on
// failure.

// The failure an error of opening stands for.
SerialOpenFailure classifyOpenError(const asio::error_code& error);

// Holds the port for this program alone; InUse when another one holds it.
std::optional<std::string> lockExclusively(asio::serial_port& port, SerialOpenFailure& failure);

// Completes the raw mode Asio sets: nothing translated or echoed either way, breaks and
// parity errors ignored, the modem's carrier ignored.
std::optional<std::string> finishRawMode(asio::serial_port& port);

std::optional<std::string> setModemLines(asio::serial_port& port, ModemLines lines);

// Drops what the system has received and not handed over yet.
void discardSystemInput(asio::serial_port& port);

}  // namespace brezzolo
