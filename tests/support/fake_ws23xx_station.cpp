#include "support/fake_ws23xx_station.h"

#include <algorithm>

namespace brezzolo::test {

FakeWs23xxStation::FakeWs23xxStation() : memory_(0x13D0, 0) {}

void FakeWs23xxStation::putNibbles(int address, const std::vector<std::uint8_t>& nibbles) {
    std::copy(nibbles.begin(), nibbles.end(), memory_.begin() + address);
}

int FakeWs23xxStation::resets() const {
    return static_cast<int>(std::count(hostBytes_.begin(), hostBytes_.end(), 0x06));
}

bool FakeWs23xxStation::strikes(StationFault fault, int hostByte) const {
    return std::any_of(faults_.begin(), faults_.end(), [&](const InjectedFault& f) {
        return f.fault == fault && hostByte >= f.fromHostByte &&
               hostByte < f.fromHostByte + f.hostBytes;
    });
}

std::vector<std::uint8_t> FakeWs23xxStation::answer(std::uint8_t byte) {
    if (byte == 0x06) {
        addressBytes_ = 0;
        address_ = 0;
        return {0x02};
    }
    const int kind = byte >> 6;
    const int value = (byte >> 2) & 0x0F;
    if ((byte & 3) != 2) {
        return {};
    }
    if (kind == 2 && addressBytes_ < 4) {  // an address nibble
        address_ = address_ * 16 + value;
        return {static_cast<std::uint8_t>(0x10 * addressBytes_++ + value)};
    }
    if (kind == 3 && addressBytes_ == 4 && value >= 1) {  // a read count
        addressBytes_ = 0;
        std::vector<std::uint8_t> out{static_cast<std::uint8_t>(0x30 + value)};
        unsigned sum = 0;
        for (int k = 0; k < value; ++k) {
            const auto nibble = [&](int offset) -> unsigned {
                const auto at = static_cast<std::size_t>(address_ + 2 * k + offset);
                return at < memory_.size() ? memory_[at] : 0;
            };
            const auto data = static_cast<std::uint8_t>(nibble(0) | nibble(1) << 4);
            out.push_back(data);
            sum += data;
        }
        out.push_back(static_cast<std::uint8_t>(sum));
        return out;
    }
    return {};  // a write command or a byte out of turn: the station's answer is unknown
}

LineStatus FakeWs23xxStation::write(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        const int index = static_cast<int>(hostBytes_.size());
        hostBytes_.push_back(byte);
        failed_ = failed_ || strikes(StationFault::LineFailed, index);
        if (failed_) {
            return LineStatus::Failed;
        }
        std::vector<std::uint8_t> out = answer(byte);
        if (strikes(StationFault::Silence, index)) {
            out.clear();
        }
        if (!out.empty() && strikes(StationFault::WrongAck, index)) {
            out.front() = static_cast<std::uint8_t>(out.front() + 1);
        }
        if (out.size() > 2 && strikes(StationFault::BadChecksum, index)) {
            out.back() = static_cast<std::uint8_t>(out.back() + 1);
        }
        if (!out.empty() && strikes(StationFault::DoubledAnswer, index)) {
            out.push_back(out.back());
        }
        if (strikes(StationFault::ZeroBeforeReset, index)) {
            out.insert(out.begin(), 0x00);
        }
        if (strikes(StationFault::Garbage, index)) {
            out.insert(out.end(), {0xFF, 0x5A, 0x31});
        }
        stationBytes_.insert(stationBytes_.end(), out.begin(), out.end());
        answers_.push_back(out);
        pending_.insert(pending_.end(), out.begin(), out.end());
    }
    return LineStatus::Ok;
}

LineStatus FakeWs23xxStation::read(std::uint8_t& byte, std::chrono::milliseconds /*timeout*/) {
    if (failed_) {
        return LineStatus::Failed;
    }
    if (pending_.empty()) {
        return LineStatus::TimedOut;
    }
    byte = pending_.front();
    pending_.pop_front();
    return LineStatus::Ok;
}

void putSampleMemory(FakeWs23xxStation& station) {
    const struct {
        int address;
        std::vector<std::uint8_t> nibbles;
    } kSample[] = {
        {0x019, {0x4}},                              // storm alarm enabled
        {0x200, {0, 1, 6, 2, 3, 0}},                 // 03:26:10
        {0x23B, {6, 2, 3, 0, 4, 4, 2, 4, 0, 3, 0}},  // 03:26, Thursday 24-04-2003
        {0x26B, {0, 2}},                             // rainy, falling
        {0x346, {0, 6, 8, 5}},                       // 28.60 °C
        {0x373, {0, 4, 7, 3}},                       // 7.40 °C
        {0x3A0, {0, 4, 7, 3}},                       // 7.40 °C
        {0x3CE, {9, 4, 2, 3}},                       // 2.49 °C
        {0x3FB, {4, 2}},                             // 24 %
        {0x419, {1, 7}},                             // 71 %
        {0x497, {0, 0, 0, 0, 0, 0}},                 // 0.00 mm
        {0x4B4, {5, 2, 1, 0, 0, 0}},                 // 1.25 mm
        {0x4D2, {2, 5, 4, 4, 1, 0}},                 // 144.52 mm
        {0x527, {0, 0, 3, 2, 0, 6}},                 // 3.5 m/s from 135°
        {0x54D, {0}},                                // cable
        {0x5D8, {2, 6, 1, 0, 1}},                    // 1016.2 hPa
        {0x5E2, {4, 8, 1, 0, 1}},                    // 1018.4 hPa
        {0x5EC, {2, 2, 0, 0, 1}},                    // +2.2 hPa
        {0x6B2, {1, 0, 0, 1, 0, 0, 6, 2, 3, 0, 4, 2, 4, 0, 3, 0, 6, 9, 0xF, 0xA}},
        {0x6C6, {0xF, 0xC, 1, 0xF, 5, 9, 1, 0xA, 0xA, 3, 2, 6, 0xC, 0xF, 0, 0, 0, 0, 7}},
    };
    for (const auto& [address, nibbles] : kSample) {
        station.putNibbles(address, nibbles);
    }
}

}  // namespace brezzolo::test
