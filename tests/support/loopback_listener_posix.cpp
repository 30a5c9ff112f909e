#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "support/loopback_listener.h"

namespace brezzolo::test {

LoopbackListener::LoopbackListener() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s, 8) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (s >= 0) {
            ::close(s);
        }
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    handle_ = s;
    port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
    close();
}

std::optional<TcpStream> LoopbackListener::accept(std::chrono::milliseconds wait) {
    pollfd entry{static_cast<int>(handle_), POLLIN, 0};
    if (handle_ < 0 || ::poll(&entry, 1, static_cast<int>(wait.count())) <= 0) {
        return std::nullopt;
    }
    const int connection = ::accept(static_cast<int>(handle_), nullptr, nullptr);
    if (connection < 0) {
        return std::nullopt;
    }
    return TcpStream::adopt(connection);
}

void LoopbackListener::close() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
        handle_ = -1;
    }
}

}  // namespace brezzolo::test
