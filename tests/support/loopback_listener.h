#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "io/tcp_stream.h"

namespace brezzolo::test {

// A listening TCP socket on 127.0.0.1 at a port the system picks: the tests' servers never
// listen on any other address.
class LoopbackListener {
  public:
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int port() const { return port_; }

    // A connection that arrived within the wait; nothing otherwise.
    std::optional<TcpStream> accept(std::chrono::milliseconds wait);

    void close();

  private:
    struct Socket;
    std::unique_ptr<Socket> socket_;
    int port_ = 0;
};

}  // namespace brezzolo::test
