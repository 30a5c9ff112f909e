#pragma once

#include "io/asio.h"
#include "io/tcp_stream.h"

namespace brezzolo {

// The accepting side, for a server of our own (the tests' APRS-IS server): the connection
// waiting at `acceptor` as a TcpStream, or an error.
struct TcpServerSide {
    static TcpStream accept(asio::ip::tcp::acceptor& acceptor, asio::error_code& error);
};

}  // namespace brezzolo
