#include "support/loopback_listener.h"

#include "io/asio.h"
#include "io/tcp_server_side.h"
#include "io/timed_run.h"

namespace brezzolo::test {

struct LoopbackListener::Socket {
    asio::io_context context{1};
    asio::ip::tcp::acceptor acceptor{context};
};

LoopbackListener::LoopbackListener() : socket_(std::make_unique<Socket>()) {
    // Throws when it cannot listen: no test can go on then.
    const asio::ip::tcp::endpoint loopback(asio::ip::address_v4::loopback(), 0);
    socket_->acceptor.open(loopback.protocol());
    socket_->acceptor.bind(loopback);
    socket_->acceptor.listen(8);
    port_ = socket_->acceptor.local_endpoint().port();
}

LoopbackListener::~LoopbackListener() {
    close();
}

std::optional<TcpStream> LoopbackListener::accept(std::chrono::milliseconds wait) {
    if (!socket_->acceptor.is_open()) {
        return std::nullopt;
    }
    // The new connection's socket belongs to the stream, which runs its waits itself.
    TcpStream connection = TcpServerSide::unconnected();
    asio::error_code result = asio::error::would_block;
    socket_->acceptor.async_accept(TcpServerSide::socket(connection),
                                   [&](const asio::error_code& e) { result = e; });
    runUntil(socket_->context, std::chrono::steady_clock::now() + wait, [&] {
        asio::error_code ignored;
        socket_->acceptor.cancel(ignored);
    });
    if (result) {
        return std::nullopt;
    }
    return connection;
}

void LoopbackListener::close() {
    asio::error_code ignored;
    socket_->acceptor.close(ignored);
}

}  // namespace brezzolo::test
