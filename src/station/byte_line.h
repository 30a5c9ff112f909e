#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace brezzolo {

// A serial line as the station protocol sees it: bytes out, bytes in with a time limit. The
// serial port implements it; the tests give a station of their own.
enum class LineStatus {
    Ok,
    TimedOut,  // nothing came within the time
    Failed,    // the port is gone or broken: failureText() says what the system said
};

class ByteLine {
  public:
    virtual ~ByteLine() = default;

    // Sends every byte.
    virtual LineStatus write(std::span<const std::uint8_t> bytes) = 0;
    // The next byte, waiting at most `timeout` for it.
    virtual LineStatus read(std::uint8_t& byte, std::chrono::milliseconds timeout) = 0;
    // Drops whatever was received and not read yet.
    virtual void discardInput() = 0;
    virtual std::string failureText() const = 0;
};

}  // namespace brezzolo
