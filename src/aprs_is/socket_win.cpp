#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <mutex>

#include "aprs_is/socket.h"

namespace brezzolo {
namespace {

SOCKET sock(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

NetError systemError(NetFailure kind, int code) {
    return {kind, "errore di rete " + std::to_string(code)};
}

NetError receiveError(int code) {
    if (code == WSAECONNRESET || code == WSAECONNABORTED || code == WSAESHUTDOWN) {
        return systemError(NetFailure::Closed, code);
    }
    return systemError(NetFailure::Other, code);
}

timeval timeLeft(Deadline deadline) {
    const int ms = millisecondsLeft(deadline);
    return {ms / 1000, (ms % 1000) * 1000};
}

// Waits until the socket is readable (or writable); false when the deadline passed first.
// Select is used rather than WSAPoll, which does not report a refused connection on older
// Windows releases.
bool waitFor(SOCKET s, bool forWriting, Deadline deadline, int& error) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval limit = timeLeft(deadline);  // not const: MinGW declares select() without it
    const int n =
        ::select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &limit);
    error = n == SOCKET_ERROR ? ::WSAGetLastError() : 0;
    return n > 0;
}

std::optional<NetError> connectTo(const addrinfo& address, Deadline deadline, SOCKET& connected) {
    const SOCKET s = ::socket(address.ai_family, address.ai_socktype, address.ai_protocol);
    if (s == INVALID_SOCKET) {
        return systemError(NetFailure::Other, ::WSAGetLastError());
    }
    u_long nonBlocking = 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
    int code = 0;
    if (::connect(s, address.ai_addr, static_cast<int>(address.ai_addrlen)) == SOCKET_ERROR) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK) {
            code = ::WSAGetLastError();
        } else if (int waitError = 0; !waitFor(s, true, deadline, waitError)) {
            ::closesocket(s);
            if (waitError != 0) {
                return systemError(NetFailure::Other, waitError);
            }
            return NetError{NetFailure::ConnectTimedOut, {}};
        } else {
            int length = sizeof code;
            ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&code), &length);
        }
    }
    if (code != 0) {
        ::closesocket(s);
        return systemError(code == WSAECONNREFUSED ? NetFailure::Refused : NetFailure::Other, code);
    }
    connected = s;
    return std::nullopt;
}

}  // namespace

void startNetwork() {
    static std::once_flag started;
    std::call_once(started, [] {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    });
}

ConnectResult TcpStream::connect(const std::string& host, int port,
                                 std::chrono::milliseconds timeout) {
    startNetwork();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const int lookup = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (lookup != 0) {
        return {{}, systemError(NetFailure::NameNotFound, lookup)};
    }
    const std::unique_ptr<addrinfo, void(WSAAPI*)(addrinfo*)> addresses(found, ::freeaddrinfo);

    // The time counts from here: the lookup cannot be bounded anyway.
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
    NetError last{NetFailure::Other, "nessun indirizzo"};
    for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next) {
        SOCKET s = INVALID_SOCKET;
        auto error = connectTo(*a, deadline, s);
        if (!error) {
            return {TcpStream(static_cast<std::intptr_t>(s)), std::nullopt};
        }
        last = *error;
        if (last.kind == NetFailure::ConnectTimedOut) {
            break;  // the time is spent; the other addresses would get none
        }
    }
    return {{}, last};
}

std::optional<NetError> TcpStream::receiveSome(char* buffer, std::size_t size,
                                               std::size_t& received, Deadline deadline) {
    received = 0;
    for (;;) {
        int waitError = 0;
        if (!waitFor(sock(handle_), false, deadline, waitError)) {
            return waitError != 0 ? systemError(NetFailure::Other, waitError)
                                  : NetError{NetFailure::TimedOut, {}};
        }
        const int n = ::recv(sock(handle_), buffer, static_cast<int>(size), 0);
        if (n >= 0) {
            received = static_cast<std::size_t>(n);
            return std::nullopt;
        }
        if (::WSAGetLastError() != WSAEWOULDBLOCK) {
            return receiveError(::WSAGetLastError());
        }
    }
}

std::optional<NetError> TcpStream::sendSome(const char* bytes, std::size_t size, std::size_t& sent,
                                            Deadline deadline) {
    sent = 0;
    for (;;) {
        int waitError = 0;
        if (!waitFor(sock(handle_), true, deadline, waitError)) {
            return waitError != 0 ? systemError(NetFailure::Other, waitError)
                                  : NetError{NetFailure::TimedOut, {}};
        }
        const int n = ::send(sock(handle_), bytes, static_cast<int>(size), 0);
        if (n >= 0) {
            sent = static_cast<std::size_t>(n);
            return std::nullopt;
        }
        if (::WSAGetLastError() != WSAEWOULDBLOCK) {
            return receiveError(::WSAGetLastError());
        }
    }
}

void TcpStream::shutdownSend() {
    if (isOpen()) {
        ::shutdown(sock(handle_), SD_SEND);
    }
}

void TcpStream::close() {
    if (isOpen()) {
        ::closesocket(sock(handle_));
        handle_ = kNoSocket;
    }
    pending_.clear();
}

}  // namespace brezzolo
