#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "io/deadline.h"

namespace brezzolo {

// A TCP connection with a time limit on every wait, the little the APRS-IS upload needs, on
// Asio (hidden here: the header does not bring Asio to its users).

enum class NetFailure {
    NameNotFound,     // the server's name does not resolve
    Refused,          // nobody listens at that port
    ConnectTimedOut,  // no answer to the connection within its time
    TimedOut,         // connected, but the data did not come within the time
    Closed,           // the other side closed the connection (or reset it)
    Other,            // anything else; the detail says what
};

struct NetError {
    NetFailure kind = NetFailure::Other;
    std::string detail;  // the system's text, for the cases it helps with
};

struct ConnectResult;

class TcpStream {
  public:
    TcpStream();
    ~TcpStream();
    TcpStream(TcpStream&& other) noexcept;
    TcpStream& operator=(TcpStream&& other) noexcept;
    TcpStream(const TcpStream&) = delete;
    TcpStream& operator=(const TcpStream&) = delete;

    // Looks the host up (this cannot be timed out: run it off the window's thread) and tries
    // its addresses in turn until one accepts, within `timeout` in all.
    static ConnectResult connect(const std::string& host, int port,
                                 std::chrono::milliseconds timeout);

    // The next line, without its CR LF or LF; `crlf`, when given, tells which it was. A line
    // longer than kMaximumLine is cut there.
    std::optional<NetError> readLine(std::string& line, Deadline deadline, bool* crlf = nullptr);

    // Sends every byte.
    std::optional<NetError> writeAll(std::string_view bytes, Deadline deadline);

    // Ends the sending side: the other side reads the end of the data, and may still send.
    void shutdownSend();

    // Reads and drops what the other side still sends, until it closes or the deadline
    // passes, so that closing does not reset a connection with unread data.
    void drain(Deadline deadline);

    void close();
    bool isOpen() const;

    static constexpr std::size_t kMaximumLine = 4096;

  private:
    struct Connection;
    friend struct TcpServerSide;

    // Waits for data and receives what there is: the number of bytes, 0 when the other side
    // has closed.
    std::optional<NetError> receiveSome(char* buffer, std::size_t size, std::size_t& received,
                                        Deadline deadline);

    std::unique_ptr<Connection> connection_;
    std::string pending_;  // received bytes not yet returned as a line
};

struct ConnectResult {
    TcpStream stream;
    std::optional<NetError> error;  // set when there is no connection
};

}  // namespace brezzolo
