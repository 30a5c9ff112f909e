#include "station/ws23xx_protocol.h"

#include <algorithm>
#include <thread>

namespace brezzolo::ws23xx {
namespace {

// How one attempt ended.
enum class Attempt {
    Done,
    Silent,      // a wait ran out
    WrongBytes,  // a wrong acknowledgement or checksum
    LineFailed,
};

// The single place that writes to the line.
Attempt send(ByteLine& line, HostCommand command) {
    const std::uint8_t byte = command.byte();
    return line.write({&byte, 1}) == LineStatus::Ok ? Attempt::Done : Attempt::LineFailed;
}

Attempt receive(ByteLine& line, std::uint8_t& byte, std::chrono::milliseconds timeout) {
    switch (line.read(byte, timeout)) {
        case LineStatus::Ok:
            return Attempt::Done;
        case LineStatus::TimedOut:
            return Attempt::Silent;
        case LineStatus::Failed:
            break;
    }
    return Attempt::LineFailed;
}

Attempt expect(ByteLine& line, std::uint8_t wanted, const ReadOptions& options) {
    std::uint8_t byte = 0;
    const Attempt got = receive(line, byte, options.byteTimeout);
    if (got != Attempt::Done) {
        return got;
    }
    return byte == wanted ? Attempt::Done : Attempt::WrongBytes;
}

// Sends a reset and waits for its 0x02 among the answer's bytes, then drains what follows it.
Attempt reset(ByteLine& line, const ReadOptions& options) {
    line.discardInput();
    if (send(line, HostCommand::reset()) != Attempt::Done) {
        return Attempt::LineFailed;
    }
    bool answered = false;
    for (int i = 0; i < kMaxResetAnswerBytes && !answered; ++i) {
        std::uint8_t byte = 0;
        const Attempt got = receive(line, byte, options.byteTimeout);
        if (got != Attempt::Done) {
            return got;
        }
        answered = byte == kResetAnswer;
    }
    if (!answered) {
        return Attempt::WrongBytes;
    }
    const auto drain = std::min(options.drainTimeout, options.byteTimeout);
    for (int i = 0; i < kMaxResetAnswerBytes; ++i) {
        std::uint8_t byte = 0;
        const Attempt got = receive(line, byte, drain);
        if (got == Attempt::LineFailed) {
            return got;
        }
        if (got == Attempt::Silent) {
            return Attempt::Done;
        }
    }
    return Attempt::WrongBytes;  // the station keeps talking: no clean start
}

Attempt readOnce(ByteLine& line, int address, int count, const ReadOptions& options,
                 Nibbles& nibbles) {
    if (const Attempt reset_done = reset(line, options); reset_done != Attempt::Done) {
        return reset_done;
    }
    const std::vector<HostCommand> commands = addressCommands(address);
    for (int i = 0; i < 4; ++i) {
        const HostCommand command = commands[static_cast<std::size_t>(i)];
        if (send(line, command) != Attempt::Done) {
            return Attempt::LineFailed;
        }
        const int nibble = (command.byte() - 0x82) / 4;
        if (const Attempt got = expect(line, addressAck(i, nibble), options);
            got != Attempt::Done) {
            return got;
        }
    }
    const int byteCount = dataBytes(count);
    if (send(line, HostCommand::readCount(byteCount)) != Attempt::Done) {
        return Attempt::LineFailed;
    }
    if (const Attempt got = expect(line, readAck(byteCount), options); got != Attempt::Done) {
        return got;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(byteCount));
    unsigned sum = 0;
    for (std::uint8_t& byte : data) {
        if (const Attempt got = receive(line, byte, options.byteTimeout); got != Attempt::Done) {
            return got;
        }
        sum += byte;
    }
    if (const Attempt got = expect(line, static_cast<std::uint8_t>(sum & 0xFF), options);
        got != Attempt::Done) {
        return got;
    }
    nibbles = nibblesOfBytes(data, count);
    return Attempt::Done;
}

void pause(const ReadOptions& options, std::chrono::milliseconds time) {
    if (options.sleep) {
        options.sleep(time);
    } else {
        std::this_thread::sleep_for(time);
    }
}

// One transaction of at most 30 nibbles, with its attempts.
StationRead<Nibbles> readBlock(ByteLine& line, int address, int count, const ReadOptions& options) {
    bool onlySilence = true;
    const int attempts = std::max(1, options.attemptsPerRead);
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        Nibbles nibbles;
        switch (readOnce(line, address, count, options, nibbles)) {
            case Attempt::Done:
                return {std::move(nibbles), ReadFailure::None, {}};
            case Attempt::LineFailed:
                return {std::nullopt, ReadFailure::PortFailed,
                        "errore della porta seriale: " + line.failureText()};
            case Attempt::Silent:
                break;
            case Attempt::WrongBytes:
                onlySilence = false;
                break;
        }
        if (attempt < attempts) {
            pause(options, pauseAfterAttempt(options, attempt));
        }
    }
    if (onlySilence) {
        return {std::nullopt, ReadFailure::NoAnswer, "la stazione non risponde"};
    }
    return {std::nullopt, ReadFailure::BadAnswers, "risposte errate dalla stazione"};
}

}  // namespace

bool isReadOnlyCommand(std::uint8_t byte) {
    const bool reset = byte == HostCommand::reset().byte();
    const bool address = byte >= 0x82 && byte <= 0xBE && (byte - 0x82) % 4 == 0;
    const bool read = byte >= 0xC6 && byte <= 0xFE && (byte - 0xC2) % 4 == 0;
    return reset || address || read;
}

std::vector<HostCommand> addressCommands(int address) {
    std::vector<HostCommand> commands;
    for (int shift = 12; shift >= 0; shift -= 4) {
        commands.push_back(HostCommand::addressNibble(address >> shift));
    }
    return commands;
}

Nibbles nibblesOfBytes(const std::vector<std::uint8_t>& bytes, int nibbles) {
    Nibbles out;
    for (const std::uint8_t byte : bytes) {
        out.push_back(byte & 0x0F);
        out.push_back(static_cast<std::uint8_t>(byte >> 4));
    }
    out.resize(static_cast<std::size_t>(std::max(0, nibbles)));
    return out;
}

std::chrono::milliseconds pauseAfterAttempt(const ReadOptions& options, int attempt) {
    return options.retryPauseStep * attempt;
}

StationRead<Nibbles> readNibbles(ByteLine& line, int address, int count,
                                 const ReadOptions& options) {
    Nibbles all;
    for (int done = 0; done < count; done += kMaxNibblesPerRead) {
        const int block = std::min(kMaxNibblesPerRead, count - done);
        StationRead<Nibbles> part =
            readBlock(line, (address + done) & kLastAddress, block, options);
        if (!part.value) {
            return part;
        }
        all.insert(all.end(), part.value->begin(), part.value->end());
    }
    return {std::move(all), ReadFailure::None, {}};
}

}  // namespace brezzolo::ws23xx
