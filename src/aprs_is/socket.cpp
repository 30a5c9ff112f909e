#include "aprs_is/socket.h"

#include <algorithm>

namespace brezzolo {

TcpStream::~TcpStream() {
    close();
}

TcpStream::TcpStream(TcpStream&& other) noexcept
    : handle_(other.handle_), pending_(std::move(other.pending_)) {
    other.handle_ = kNoSocket;
}

TcpStream& TcpStream::operator=(TcpStream&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        pending_ = std::move(other.pending_);
        other.handle_ = kNoSocket;
    }
    return *this;
}

TcpStream TcpStream::adopt(std::intptr_t handle) {
    return TcpStream(handle);
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
    while (!bytes.empty()) {
        std::size_t sent = 0;
        if (auto error = sendSome(bytes.data(), bytes.size(), sent, deadline)) {
            return error;
        }
        bytes.remove_prefix(sent);
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

int millisecondsLeft(Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 86'400'000));
}

}  // namespace brezzolo
