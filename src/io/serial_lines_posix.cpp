#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <cerrno>
#include <cstring>

#include "io/serial_lines.h"

namespace brezzolo {

SerialOpenFailure classifyOpenError(const asio::error_code& error) {
    switch (error.value()) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
            return SerialOpenFailure::NotFound;
        case EBUSY:
            return SerialOpenFailure::InUse;
        case EACCES:
        case EPERM:
            return SerialOpenFailure::NoPermission;
        default:
            return SerialOpenFailure::Other;
    }
}

std::optional<std::string> lockExclusively(asio::serial_port& port, SerialOpenFailure& failure) {
    const int fd = port.native_handle();
    // The lock other serial programs take too; then no further open of the terminal at all,
    // except by the superuser.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        failure = errno == EWOULDBLOCK ? SerialOpenFailure::InUse : SerialOpenFailure::Other;
        return std::string(std::strerror(errno));
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        failure = SerialOpenFailure::Other;
        return std::string(std::strerror(errno));
    }
    return std::nullopt;
}

std::optional<std::string> finishRawMode(asio::serial_port& port) {
    const int fd = port.native_handle();
    termios current{};
    if (::tcgetattr(fd, &current) != 0) {
        return std::string(std::strerror(errno));
    }
    // From nothing, so that no flag of an earlier user survives; only the speed Asio set is
    // kept.
    termios raw{};
    raw.c_iflag = IGNBRK | IGNPAR;
    raw.c_oflag = 0;
    raw.c_lflag = 0;
    raw.c_cflag = CS8 | CREAD | CLOCAL;
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (::cfsetispeed(&raw, ::cfgetispeed(&current)) != 0 ||
        ::cfsetospeed(&raw, ::cfgetospeed(&current)) != 0 || ::tcsetattr(fd, TCSANOW, &raw) != 0) {
        return std::string(std::strerror(errno));
    }
    return std::nullopt;
}

std::optional<std::string> setModemLines(asio::serial_port& port, ModemLines lines) {
    if (lines == ModemLines::Unchanged) {
        return std::nullopt;
    }
    const int fd = port.native_handle();
    const int dtr = TIOCM_DTR;
    const int rts = TIOCM_RTS;
    const int on = lines == ModemLines::BothOn ? (dtr | rts) : rts;
    if ((on != (dtr | rts) && ::ioctl(fd, TIOCMBIC, &dtr) != 0) ||
        ::ioctl(fd, TIOCMBIS, &on) != 0) {
        return std::string(std::strerror(errno));
    }
    return std::nullopt;
}

void discardSystemInput(asio::serial_port& port) {
    ::tcflush(port.native_handle(), TCIFLUSH);
}

}  // namespace brezzolo
