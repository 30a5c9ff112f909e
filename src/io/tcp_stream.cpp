#include "io/tcp_stream.h"

#include <algorithm>

#include "io/asio.h"
#include "io/tcp_server_side.h"
#include "io/timed_run.h"

namespace brezzolo {

// The socket and the context that runs its waits; they move together with the stream.
struct TcpStream::Connection {
    asio::io_context context{1};
    asio::ip::tcp::socket socket{context};
};

namespace {

NetError transferError(const asio::error_code& error) {
    if (error == asio::error::operation_aborted) {
        return {NetFailure::TimedOut, {}};
    }
    if (error == asio::error::connection_reset || error == asio::error::connection_aborted ||
        error == asio::error::broken_pipe || error == asio::error::shut_down) {
        return {NetFailure::Closed, error.message()};
    }
    return {NetFailure::Other, error.message()};
}

}  // namespace

int millisecondsLeft(Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 86'400'000));
}

TcpStream::TcpStream() = default;
TcpStream::~TcpStream() {
    close();
}
TcpStream::TcpStream(TcpStream&& other) noexcept = default;

TcpStream& TcpStream::operator=(TcpStream&& other) noexcept {
    if (this != &other) {
        close();
        connection_ = std::move(other.connection_);
        pending_ = std::move(other.pending_);
    }
    return *this;
}

bool TcpStream::isOpen() const {
    return connection_ != nullptr && connection_->socket.is_open();
}

ConnectResult TcpStream::connect(const std::string& host, int port,
                                 std::chrono::milliseconds timeout) {
    auto connection = std::make_unique<Connection>();
    asio::error_code error;
    asio::ip::tcp::resolver resolver(connection->context);
    const auto addresses = resolver.resolve(host, std::to_string(port), error);
    if (error) {
        return {{}, NetError{NetFailure::NameNotFound, error.message()}};
    }

    // The time counts from here: the lookup cannot be bounded anyway.
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
    NetError last{NetFailure::Other, "nessun indirizzo"};
    asio::ip::tcp::socket& socket = connection->socket;
    for (const auto& address : addresses) {
        asio::error_code result = asio::error::would_block;
        socket.async_connect(address.endpoint(), [&](const asio::error_code& e) { result = e; });
        runUntil(connection->context, deadline, [&] {
            asio::error_code ignored;
            socket.cancel(ignored);
        });
        if (!result) {
            TcpStream stream;
            stream.connection_ = std::move(connection);
            return {std::move(stream), std::nullopt};
        }
        asio::error_code ignored;
        socket.close(ignored);
        if (result == asio::error::operation_aborted) {
            last = {NetFailure::ConnectTimedOut, {}};
            break;  // the time is spent; the other addresses would get none
        }
        last = {result == asio::error::connection_refused ? NetFailure::Refused : NetFailure::Other,
                result.message()};
    }
    return {{}, last};
}

std::optional<NetError> TcpStream::receiveSome(char* buffer, std::size_t size,
                                               std::size_t& received, Deadline deadline) {
    received = 0;
    asio::error_code result = asio::error::would_block;
    connection_->socket.async_read_some(asio::buffer(buffer, size),
                                        [&](const asio::error_code& e, std::size_t n) {
                                            result = e;
                                            received = n;
                                        });
    runUntil(connection_->context, deadline, [&] {
        asio::error_code ignored;
        connection_->socket.cancel(ignored);
    });
    if (result == asio::error::eof) {
        received = 0;
        return std::nullopt;
    }
    if (result) {
        return transferError(result);
    }
    return std::nullopt;
}

std::optional<NetError> TcpStream::readLine(std::string& line, Deadline deadline, bool* crlf) {
    if (!isOpen()) {
        return NetError{NetFailure::Closed, {}};
    }
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos || pending_.size() >= kMaximumLine) {
            const std::size_t length = std::min(end, kMaximumLine);
            line = pending_.substr(0, length);
            pending_.erase(0, end == std::string::npos ? length : end + 1);
            const bool cr = !line.empty() && line.back() == '\r';
            if (cr) {
                line.pop_back();
            }
            if (crlf != nullptr) {
                *crlf = cr;
            }
            return std::nullopt;
        }
        char buffer[1024];
        std::size_t received = 0;
        if (auto error = receiveSome(buffer, sizeof buffer, received, deadline)) {
            return error;
        }
        if (received == 0) {
            return NetError{NetFailure::Closed, {}};
        }
        pending_.append(buffer, received);
    }
}

std::optional<NetError> TcpStream::writeAll(std::string_view bytes, Deadline deadline) {
    if (!isOpen()) {
        return NetError{NetFailure::Closed, {}};
    }
    asio::error_code result = asio::error::would_block;
    asio::async_write(connection_->socket, asio::buffer(bytes.data(), bytes.size()),
                      [&](const asio::error_code& e, std::size_t) { result = e; });
    runUntil(connection_->context, deadline, [&] {
        asio::error_code ignored;
        connection_->socket.cancel(ignored);
    });
    if (result) {
        return transferError(result);
    }
    return std::nullopt;
}

void TcpStream::drain(Deadline deadline) {
    pending_.clear();
    while (isOpen()) {
        char buffer[1024];
        std::size_t received = 0;
        if (receiveSome(buffer, sizeof buffer, received, deadline) || received == 0) {
            return;
        }
    }
}

void TcpStream::shutdownSend() {
    if (isOpen()) {
        asio::error_code ignored;
        connection_->socket.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
    }
}

void TcpStream::close() {
    if (isOpen()) {
        asio::error_code ignored;
        connection_->socket.close(ignored);
    }
    connection_.reset();
    pending_.clear();
}

TcpStream TcpServerSide::unconnected() {
    TcpStream stream;
    stream.connection_ = std::make_unique<TcpStream::Connection>();
    return stream;
}

asio::ip::tcp::socket& TcpServerSide::socket(TcpStream& stream) {
    return stream.connection_->socket;
}

}  // namespace brezzolo
