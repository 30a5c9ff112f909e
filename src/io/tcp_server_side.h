#pragma once

#include "io/asio.h"
#include "io/tcp_stream.h"

namespace brezzolo {

// The accepting side, for a server of our own (the tests' APRS-IS server): an acceptor's
// accept fills the socket of a stream made unconnected for it.
struct TcpServerSide {
    static TcpStream unconnected();
    static asio::ip::tcp::socket& socket(TcpStream& stream);
};

}  // namespace brezzolo
