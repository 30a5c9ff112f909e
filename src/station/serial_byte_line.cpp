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

LineStatus SerialByteLine::read(std::uint8_t& byte, std::chrono::milliseconds timeout) {
    return lineStatus(port_.readByte(byte, timeout));
}

}  // namespace brezzolo
