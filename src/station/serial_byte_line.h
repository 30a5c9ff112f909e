#pragma once

#include <memory>
#include <string>

#include "io/serial_port.h"
#include "station/byte_line.h"

namespace brezzolo {

// The station's line on a serial port: 2400 baud, 8N1, no flow control, DTR held off and RTS
// held on, from which the station's interface takes its levels.
class SerialByteLine : public ByteLine {
  public:
    // Opens the port by the system's name ("COM3", "/dev/ttyUSB0"); closes the one before.
    SerialOpenResult open(const std::string& portName);
    void close() { port_.close(); }
    bool isOpen() const { return port_.isOpen(); }

    LineStatus write(std::span<const std::uint8_t> bytes) override;
    LineStatus read(std::uint8_t& byte, std::chrono::milliseconds timeout) override;
    void discardInput() override { port_.discardInput(); }
    std::string failureText() const override { return port_.errorText(); }

  private:
    SerialPort port_;
};

// The station's port opened for the link: nothing when it cannot be opened, with the reason in
// Italian in `error` (a port that does not exist, held by another program, or not open to this
// user).
std::unique_ptr<ByteLine> openStationPort(const std::string& port, std::string& error);

}  // namespace brezzolo
