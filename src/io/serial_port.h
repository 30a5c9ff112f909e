#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace brezzolo {

// A serial port for raw binary exchanges, 8 data bits, no parity, one stop bit, no flow
// control, held for this program alone, on Asio. Names as the system gives them: "COM3",
// "COM12" or "\\.\COM12" on Windows; "/dev/ttyUSB0" or "/dev/serial/by-id/..." elsewhere.

// What happens to DTR and RTS once the port is open. They are steady levels here, not
// handshakes: the weather station's interface takes its low and high levels from them.
enum class ModemLines {
    Unchanged,    // as the system leaves them on opening (both usually on)
    DtrOffRtsOn,  // the WS23xx station
    BothOn,
};

struct SerialSettings {
    unsigned baud = 2400;
    ModemLines modemLines = ModemLines::Unchanged;
};

enum class SerialOpenFailure {
    None,
    NotFound,      // no such port
    InUse,         // another program holds it
    NoPermission,  // the user may not open it (on Linux: not in the dialout group)
    Other,
};

struct SerialOpenResult {
    SerialOpenFailure failure = SerialOpenFailure::None;
    std::string errorText;  // when it failed: the port's name and the system's message
    // The modem lines could not be set as asked (a pseudo-terminal, an adapter that does not
    // drive them): the port is open all the same; this says what the system said.
    bool modemLinesFailed = false;
    std::string modemLinesText;

    bool ok() const { return failure == SerialOpenFailure::None; }
};

enum class IoStatus {
    Ok,
    TimedOut,  // nothing (or not everything) went through within the time
    Failed,    // the port is gone or broken (an unplugged adapter): errorText() says what
};

class SerialPort {
  public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens and sets up the port, dropping whatever waited in its queues; closes the one open
    // before.
    SerialOpenResult open(const std::string& name, const SerialSettings& settings);

    // Sends every byte within the time.
    IoStatus write(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout);
    // The next byte, waiting at most `timeout` for it.
    IoStatus readByte(std::uint8_t& byte, std::chrono::milliseconds timeout);
    // Drops whatever was received and not read yet, here and in the system's queue.
    void discardInput();

    void close();
    bool isOpen() const;
    const std::string& name() const { return name_; }
    // What the last Failed was about: the port's name and the system's message.
    const std::string& errorText() const { return errorText_; }

  private:
    struct Port;
    IoStatus failed(const std::string& what, const std::string& systemText);

    std::unique_ptr<Port> port_;
    std::string name_;
    std::string errorText_;
};

}  // namespace brezzolo
