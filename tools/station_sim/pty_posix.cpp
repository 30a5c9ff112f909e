#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "pty.h"

namespace brezzolo::sim {
namespace {

bool makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

std::optional<Pty> openPty(std::string& error) {
    Pty pty;
    pty.master = posix_openpt(O_RDWR | O_NOCTTY);
    const char* name = nullptr;
    if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0 ||
        (name = ptsname(pty.master)) == nullptr) {
        error = std::string("cannot make a pseudo-terminal: ") + std::strerror(errno);
        closePty(pty);
        return std::nullopt;
    }
    pty.path = name;
    pty.slave = open(pty.path.c_str(), O_RDWR | O_NOCTTY);
    if (pty.slave < 0 || !makeRaw(pty.master) || !makeRaw(pty.slave)) {
        error = "cannot set up " + pty.path + ": " + std::strerror(errno);
        closePty(pty);
        return std::nullopt;
    }
    return pty;
}

void closePty(Pty& pty) {
    for (int* fd : {&pty.slave, &pty.master}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

PtyWait receiveFromPty(Pty& pty, std::vector<std::uint8_t>& bytes,
                       std::chrono::milliseconds timeout) {
    pollfd waiting{pty.master, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(timeout.count()));
    if (ready < 0) {
        return errno == EINTR ? PtyWait::Nothing : PtyWait::Failed;
    }
    if (ready == 0) {
        return PtyWait::Nothing;
    }
    std::uint8_t buffer[256];
    const ssize_t got = read(pty.master, buffer, sizeof buffer);
    if (got < 0) {
        return errno == EINTR || errno == EAGAIN ? PtyWait::Nothing : PtyWait::Failed;
    }
    bytes.insert(bytes.end(), buffer, buffer + got);
    return got > 0 ? PtyWait::Bytes : PtyWait::Failed;
}

bool sendToPty(Pty& pty, const std::vector<std::uint8_t>& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = write(pty.master, bytes.data() + sent, bytes.size() - sent);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace brezzolo::sim
