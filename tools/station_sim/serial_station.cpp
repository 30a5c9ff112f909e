#include "station_sim/serial_station.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace brezzolo::sim {
namespace {

struct FaultName {
    std::string_view name;
    FaultKind kind;
    int defaultValue;
};

constexpr FaultName kFaultNames[] = {
    {"silence", FaultKind::Silence, 30},         {"no-ack", FaultKind::NoAck, 1},
    {"wrong-ack", FaultKind::WrongAck, 1},       {"bad-checksum", FaultKind::BadChecksum, 1},
    {"corrupt", FaultKind::Corrupt, 1},          {"garbage", FaultKind::Garbage, 1},
    {"reset-noise", FaultKind::ResetNoise, 1},   {"lost-sensor", FaultKind::LostSensor, 0},
    {"wind-spike", FaultKind::WindSpike, 0x0FF}, {"vanish", FaultKind::Vanish, 0},
};

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

constexpr std::uint8_t kReset = 0x06;
constexpr std::uint8_t kResetDone = 0x02;
// What a disturbed line delivers before the real answer.
constexpr std::uint8_t kGarbage[] = {0xFF, 0x7C, 0x00};

}  // namespace

std::optional<Fault> parseFault(std::string_view text) {
    Fault fault;
    if (const auto at = text.find('@'); at != std::string_view::npos) {
        const auto reads = wholeNumber(text.substr(at + 1));
        if (!reads) {
            return std::nullopt;
        }
        fault.afterReads = *reads;
        text = text.substr(0, at);
    }
    const auto equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const auto known = std::find_if(std::begin(kFaultNames), std::end(kFaultNames),
                                    [&](const FaultName& f) { return f.name == name; });
    if (known == std::end(kFaultNames)) {
        return std::nullopt;
    }
    fault.kind = known->kind;
    fault.value = known->defaultValue;
    if (equals == std::string_view::npos) {
        return fault;
    }
    const std::string_view value = text.substr(equals + 1);
    if (fault.kind == FaultKind::WindSpike) {
        if (value != "0FF" && value != "1FF") {
            return std::nullopt;
        }
        fault.value = value == "0FF" ? 0x0FF : 0x1FF;
        return fault;
    }
    const auto number = wholeNumber(value);
    const int least = fault.kind == FaultKind::Vanish ? 0 : 1;
    if (fault.kind == FaultKind::LostSensor || !number || *number < least) {
        return std::nullopt;
    }
    fault.value = *number;
    return fault;
}

std::optional<std::vector<Fault>> parseFaultList(std::string_view text) {
    std::vector<Fault> faults;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.remove_suffix(1);
        }
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto fault = parseFault(line);
        if (!fault) {
            return std::nullopt;
        }
        faults.push_back(*fault);
    }
    return faults;
}

SerialStation::SerialStation(std::vector<Fault> faults, double now) {
    setFaults(std::move(faults), now);
}

void SerialStation::setFaults(std::vector<Fault> faults, double now) {
    faults_.clear();
    for (const Fault& fault : faults) {
        faults_.push_back({fault, reads_ + fault.afterReads, std::nullopt, fault.value});
    }
    startDue(now);
}

void SerialStation::startDue(double now) {
    for (Active& active : faults_) {
        if (!active.startedAt && reads_ >= active.startRead) {
            active.startedAt = now;
            if (active.fault.kind == FaultKind::Vanish) {
                vanishing_ = true;
                vanishSeconds_ = active.fault.value;
            }
        }
    }
}

SerialStation::Active* SerialStation::inForce(FaultKind kind, double now) {
    for (Active& active : faults_) {
        if (active.fault.kind != kind || !active.startedAt) {
            continue;
        }
        if (kind == FaultKind::Silence ? now < *active.startedAt + active.fault.value
                                       : active.left > 0) {
            return &active;
        }
    }
    return nullptr;
}

bool SerialStation::take(FaultKind kind, double now) {
    Active* active = inForce(kind, now);
    if (active == nullptr) {
        return false;
    }
    --active->left;
    return true;
}

StationMemory SerialStation::shown(const StationMemory& memory) const {
    StationMemory seen = memory;
    for (const Active& active : faults_) {
        if (!active.startedAt) {
            continue;
        }
        if (active.fault.kind == FaultKind::LostSensor) {
            writeLostSensor(seen);
        } else if (active.fault.kind == FaultKind::WindSpike) {
            writeRawWindSpeed(seen, active.fault.value);
        }
    }
    return seen;
}

std::vector<std::uint8_t> SerialStation::read(int count, const StationMemory& memory, double now) {
    const StationMemory seen = shown(memory);
    std::vector<std::uint8_t> answer{static_cast<std::uint8_t>(0x30 + count)};
    for (int k = 0; k < count; ++k) {
        const auto at = static_cast<std::size_t>(address_ + 2 * k);
        answer.push_back(static_cast<std::uint8_t>(seen.nibbles[at] | seen.nibbles[at + 1] << 4));
    }
    if (take(FaultKind::Corrupt, now)) {
        ++answer[1];
    }
    auto sum = std::accumulate(answer.begin() + 1, answer.end(), 0);
    if (take(FaultKind::BadChecksum, now)) {
        ++sum;
    }
    answer.push_back(static_cast<std::uint8_t>(sum));
    ++reads_;
    startDue(now);
    return answer;
}

std::vector<std::uint8_t> SerialStation::receive(std::uint8_t byte, const StationMemory& memory,
                                                 double now) {
    if (inForce(FaultKind::Silence, now) != nullptr) {
        state_ = State::Idle;
        return {};
    }
    if (byte == kReset) {
        state_ = State::Idle;
        if (take(FaultKind::ResetNoise, now)) {
            return {0x00, kResetDone, kResetDone};
        }
        return {kResetDone};
    }
    const State state = state_;
    state_ = State::Idle;  // unless the byte carries the command on
    const int kind = byte >> 6;
    const int operand = (byte >> 2) & 0xF;
    if ((byte & 3) != 2) {
        ++malformedBytes_;
        return {};
    }
    if (kind == 1 || (kind == 0 && (byte & 0xF0) == 0x10) || (kind == 0 && (byte & 0xF0) == 0x30)) {
        ++writeBytes_;  // write nibble, set bit, clear bit
        return {};
    }
    if (kind == 2 && (state == State::Idle || state == State::Address)) {
        if (state == State::Idle) {
            if (take(FaultKind::NoAck, now)) {
                return {};
            }
            addressBytes_ = 0;
            address_ = 0;
        }
        std::vector<std::uint8_t> answer{static_cast<std::uint8_t>(0x10 * addressBytes_ + operand)};
        address_ = address_ * 16 + operand;
        ++addressBytes_;
        state_ = addressBytes_ == 4 ? State::Count : State::Address;
        if (addressBytes_ == 1 && take(FaultKind::Garbage, now)) {
            answer.insert(answer.begin(), std::begin(kGarbage), std::end(kGarbage));
        }
        if (addressBytes_ == 4 && take(FaultKind::WrongAck, now)) {
            answer.back() ^= 0x01;
        }
        return answer;
    }
    if (kind == 3 && state == State::Count && operand > 0 &&
        address_ + 2 * operand <= kStationMemoryNibbles) {
        return read(operand, memory, now);
    }
    ++malformedBytes_;  // out of turn, a read of nothing, or past the end of the memory
    return {};
}

}  // namespace brezzolo::sim
