// Asio brings <windows.h>, after the Winsock headers it must follow.
#include "io/serial_lines.h"

namespace brezzolo {
namespace {

std::string lastError() {
    return asio::error_code(static_cast<int>(::GetLastError()), asio::system_category()).message();
}

}  // namespace

SerialOpenFailure classifyOpenError(const asio::error_code& error) {
    switch (error.value()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return SerialOpenFailure::NotFound;
        case ERROR_ACCESS_DENIED:  // what an open port answers, opened without sharing
        case ERROR_SHARING_VIOLATION:
            return SerialOpenFailure::InUse;
        default:
            return SerialOpenFailure::Other;
    }
}

// Asio opens the port with share mode 0: nobody else can open it while it is ours.
std::optional<std::string> lockExclusively(asio::serial_port&, SerialOpenFailure&) {
    return std::nullopt;
}

// Asio's device control block is binary already, without parity checks and without stopping
// on errors.
std::optional<std::string> finishRawMode(asio::serial_port&) {
    return std::nullopt;
}

std::optional<std::string> setModemLines(asio::serial_port& port, ModemLines lines) {
    if (lines == ModemLines::Unchanged) {
        return std::nullopt;
    }
    const HANDLE handle = port.native_handle();
    if (!::EscapeCommFunction(handle, lines == ModemLines::BothOn ? SETDTR : CLRDTR) ||
        !::EscapeCommFunction(handle, SETRTS)) {
        return lastError();
    }
    return std::nullopt;
}

void discardSystemInput(asio::serial_port& port) {
    ::PurgeComm(port.native_handle(), PURGE_RXCLEAR);
}

}  // namespace brezzolo
