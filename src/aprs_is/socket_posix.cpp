#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "aprs_is/socket.h"

namespace brezzolo {
namespace {

int fd(std::intptr_t handle) {
    return static_cast<int>(handle);
}

NetError systemError(NetFailure kind, int code) {
    return {kind, std::strerror(code)};
}

NetError receiveError(int code) {
    if (code == ECONNRESET || code == EPIPE) {
        return systemError(NetFailure::Closed, code);
    }
    return systemError(NetFailure::Other, code);
}

// Waits for one of `events`; false when the deadline passed first.
bool waitFor(int socket, short events, Deadline deadline, int& error) {
    for (;;) {
        pollfd entry{socket, events, 0};
        const int ready = ::poll(&entry, 1, millisecondsLeft(deadline));
        if (ready > 0) {
            error = 0;
            return true;
        }
        if (ready == 0) {
            error = 0;
            return false;
        }
        if (errno != EINTR) {
            error = errno;
            return false;
        }
    }
}

// One address: a non-blocking connect, then a wait for its end within the deadline.
std::optional<NetError> connectTo(const addrinfo& address, Deadline deadline, int& connected) {
    const int s = ::socket(address.ai_family, address.ai_socktype, address.ai_protocol);
    if (s < 0) {
        return systemError(NetFailure::Other, errno);
    }
    ::fcntl(s, F_SETFD, FD_CLOEXEC);
    ::fcntl(s, F_SETFL, ::fcntl(s, F_GETFL) | O_NONBLOCK);
#ifdef SO_NOSIGPIPE
    // Where send() has no MSG_NOSIGNAL (macOS), the socket itself keeps SIGPIPE away.
    const int on = 1;
    ::setsockopt(s, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
    int code = 0;
    if (::connect(s, address.ai_addr, address.ai_addrlen) != 0) {
        if (errno != EINPROGRESS && errno != EINTR) {
            code = errno;
        } else if (int waitError = 0; !waitFor(s, POLLOUT, deadline, waitError)) {
            ::close(s);
            if (waitError != 0) {
                return systemError(NetFailure::Other, waitError);
            }
            return NetError{NetFailure::ConnectTimedOut, {}};
        } else {
            socklen_t length = sizeof code;
            ::getsockopt(s, SOL_SOCKET, SO_ERROR, &code, &length);
        }
    }
    if (code != 0) {
        ::close(s);
        return systemError(code == ECONNREFUSED ? NetFailure::Refused : NetFailure::Other, code);
    }
    connected = s;
    return std::nullopt;
}

}  // namespace

void startNetwork() {}

ConnectResult TcpStream::connect(const std::string& host, int port,
                                 std::chrono::milliseconds timeout) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const int lookup = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (lookup != 0) {
        if (lookup == EAI_SYSTEM) {
            return {{}, systemError(NetFailure::NameNotFound, errno)};
        }
        return {{}, NetError{NetFailure::NameNotFound, ::gai_strerror(lookup)}};
    }
    const std::unique_ptr<addrinfo, void (*)(addrinfo*)> addresses(found, ::freeaddrinfo);

    // The time counts from here: the lookup cannot be bounded anyway.
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
    NetError last{NetFailure::Other, "nessun indirizzo"};
    for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next) {
        int s = -1;
        auto error = connectTo(*a, deadline, s);
        if (!error) {
            return {TcpStream(s), std::nullopt};
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
        if (!waitFor(fd(handle_), POLLIN, deadline, waitError)) {
            return waitError != 0 ? systemError(NetFailure::Other, waitError)
                                  : NetError{NetFailure::TimedOut, {}};
        }
        const ssize_t n = ::recv(fd(handle_), buffer, size, 0);
        if (n >= 0) {
            received = static_cast<std::size_t>(n);
            return std::nullopt;
        }
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            return receiveError(errno);
        }
    }
}

std::optional<NetError> TcpStream::sendSome(const char* bytes, std::size_t size, std::size_t& sent,
                                            Deadline deadline) {
    sent = 0;
#ifdef MSG_NOSIGNAL
    constexpr int kFlags = MSG_NOSIGNAL;  // a closed connection is an error, not a signal
#else
    constexpr int kFlags = 0;
#endif
    for (;;) {
        int waitError = 0;
        if (!waitFor(fd(handle_), POLLOUT, deadline, waitError)) {
            return waitError != 0 ? systemError(NetFailure::Other, waitError)
                                  : NetError{NetFailure::TimedOut, {}};
        }
        const ssize_t n = ::send(fd(handle_), bytes, size, kFlags);
        if (n >= 0) {
            sent = static_cast<std::size_t>(n);
            return std::nullopt;
        }
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            return receiveError(errno);
        }
    }
}

void TcpStream::shutdownSend() {
    if (isOpen()) {
        ::shutdown(fd(handle_), SHUT_WR);
    }
}

void TcpStream::close() {
    if (isOpen()) {
        ::close(fd(handle_));
        handle_ = kNoSocket;
    }
    pending_.clear();
}

}  // namespace brezzolo
