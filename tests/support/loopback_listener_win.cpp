#include <winsock2.h>
#include <ws2tcpip.h>

#include <stdexcept>

#include "support/loopback_listener.h"

namespace brezzolo::test {

LoopbackListener::LoopbackListener() {
    startNetwork();
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (s == INVALID_SOCKET ||
        ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s, 8) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (s != INVALID_SOCKET) {
            ::closesocket(s);
        }
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    handle_ = static_cast<std::intptr_t>(s);
    port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
    close();
}

std::optional<TcpStream> LoopbackListener::accept(std::chrono::milliseconds wait) {
    if (handle_ == -1) {
        return std::nullopt;
    }
    const SOCKET s = static_cast<SOCKET>(handle_);
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(s, &ready);
    const long ms = static_cast<long>(wait.count());
    timeval limit{ms / 1000, (ms % 1000) * 1000};
    if (::select(0, &ready, nullptr, nullptr, &limit) <= 0) {
        return std::nullopt;
    }
    const SOCKET connection = ::accept(s, nullptr, nullptr);
    if (connection == INVALID_SOCKET) {
        return std::nullopt;
    }
    return TcpStream::adopt(static_cast<std::intptr_t>(connection));
}

void LoopbackListener::close() {
    if (handle_ != -1) {
        ::closesocket(static_cast<SOCKET>(handle_));
        handle_ = -1;
    }
}

}  // namespace brezzolo::test
