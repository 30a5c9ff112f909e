#include "station/serial_byte_line.h"

namespace brezzolo {
namespace {

LineStatus lineStatus(IoStatus status) {
    switch (status) {
        case IoStatus::Ok:
            return LineStatus::Ok;
        case IoStatus::TimedOut:
            return LineStatus::TimedOut;
        case IoStatus::Failed:
            break;
    }
    return LineStatus::Failed;
}

}  // namespace

SerialOpenResult SerialByteLine::open(const std::string& portName) {
    return port_.open(portName, SerialSettings{2400, ModemLines::DtrOffRtsOn});
}

LineStatus SerialByteLine::write(std::span<const std::uint8_t> bytes) {
    // A byte takes about 4.2 ms at 2400 baud; a write that takes far longer than the bytes
    // need is stuck.
    const auto timeout = std::chrono::milliseconds(500 + 10 * static_cast<long>(bytes.size()));
    return lineStatus(port_.write(bytes, timeout));
}

std::unique_ptr<ByteLine> openStationPort(const std::string& port, std::string& error) {
    auto line = std::make_unique<SerialByteLine>();
    const SerialOpenResult opened = line->open(port);
    switch (opened.failure) {
        case SerialOpenFailure::None:
            return line;
        case SerialOpenFailure::NotFound:
            error = "la porta non esiste";
            break;
        case SerialOpenFailure::InUse:
            error = "la porta è in uso da un altro programma";
            break;
        case SerialOpenFailure::NoPermission:
            error = "accesso alla porta negato (su Linux l'utente deve essere nel gruppo dialout)";
            break;
        case SerialOpenFailure::Other:
            error = opened.errorText;
            break;
    }
    return nullptr;
}

LineStatus SerialByteLine::read(std::uint8_t& byte, std::chrono::milliseconds timeout) {
    return lineStatus(port_.readByte(byte, timeout));
}

}  // namespace brezzolo
