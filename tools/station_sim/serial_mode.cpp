#include "station_sim/serial_mode.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <thread>

#include "common/paths.h"
#include "pty.h"
#include "station_sim/serial_station.h"

namespace brezzolo::sim {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

int ringIndexOf(std::int64_t records) {
    return static_cast<int>(records % kRingCapacity);
}

void takeRecord(SerialWorld& world) {
    ++world.records;
    world.newestRecordMinute = world.simulator.minute();
    writeRingRecord(world.memory, ringIndexOf(world.records), ringRecordOf(world.current));
}

void writeHeader(SerialWorld& world) {
    writeRingHeader(world.memory,
                    {world.intervalMinutes,
                     static_cast<int>(world.newestRecordMinute + world.intervalMinutes -
                                      world.simulator.minute()),
                     civilTimeAt(world.newestRecordMinute), ringIndexOf(world.records),
                     static_cast<int>(std::min<std::int64_t>(world.records, kRingCapacity))});
}

std::string fileText(const std::string& path) {
    std::ifstream in(toFsPath(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFolder(const std::string& folder, const SerialWorld& world,
                 const std::vector<HistoryRecord>& history) {
    const auto historyPath = joinPath(folder, kDefaultHistoryFileName);
    std::error_code ignored;
    std::filesystem::create_directories(toFsPath(folder), ignored);
    return historyPath && writeHistory(*historyPath, history) &&
           writeCurrentData(folder, world.current);
}

bool updateFolder(const std::string& folder, const SerialWorld& world, bool recordTaken) {
    const auto historyPath = joinPath(folder, kDefaultHistoryFileName);
    return historyPath && writeCurrentData(folder, world.current) &&
           (!recordTaken || appendHistory(*historyPath, {historyRecordOf(world.current)}));
}

}  // namespace

HistoryRecord historyRecordOf(const CurrentConditions& q) {
    return {static_cast<std::int32_t>(minuteOf(q.time) * 60), static_cast<float>(q.pressureAbs),
            static_cast<float>(q.rainTotal), static_cast<float>(q.outdoorTemp)};
}

std::optional<SerialWorld> startSerialWorld(const GenerationOptions& options,
                                            std::vector<HistoryRecord>* history) {
    if (options.intervalMinutes < 1 || options.intervalMinutes > 0x1000 ||
        !std::isfinite(options.days) || options.days < 0 || options.days > 100000) {
        return std::nullopt;
    }
    const auto totalMinutes = static_cast<std::int64_t>(std::floor(options.days * 1440));
    const std::int64_t first = minuteOf(options.start);
    const std::int64_t last =
        first + totalMinutes / options.intervalMinutes * options.intervalMinutes;
    SerialWorld world{StationSimulator(options.seed, first)};
    world.firstMinute = first;
    world.intervalMinutes = options.intervalMinutes;
    // The console's wind keeps its five previous directions: the last minutes fill them.
    constexpr std::int64_t kDirectionsHeld = 6;
    for (;;) {
        const std::int64_t minute = world.simulator.minute();
        const bool recordDue = (minute - first) % options.intervalMinutes == 0;
        if (recordDue || minute > last - kDirectionsHeld) {
            world.current = stationQuantised(world.simulator.conditions());
        }
        if (minute > last - kDirectionsHeld) {
            writeCurrent(world.memory, world.current);
        }
        if (recordDue) {
            takeRecord(world);
            if (history != nullptr) {
                history->push_back(historyRecordOf(world.current));
            }
        }
        if (minute == last) {
            break;
        }
        world.simulator.advance();
    }
    writeHeader(world);
    return world;
}

bool advanceSerialWorld(SerialWorld& world) {
    world.simulator.advance();
    world.current = stationQuantised(world.simulator.conditions());
    writeCurrent(world.memory, world.current);
    const bool recordDue =
        (world.simulator.minute() - world.firstMinute) % world.intervalMinutes == 0;
    if (recordDue) {
        takeRecord(world);
    }
    writeHeader(world);
    return recordDue;
}

int runSerialStation(const SimOptions& options, const std::atomic<bool>& stop) {
    GenerationOptions generation{options.seed, {}, options.days, options.intervalMinutes};
    generation.start = options.start.value_or(civilTimeAt(
        minuteOf(localNow()) - static_cast<std::int64_t>(std::floor(options.days * 1440))));
    std::vector<HistoryRecord> history;
    auto world = startSerialWorld(generation, options.folder.empty() ? nullptr : &history);
    if (!world) {
        std::cerr << "the history options are out of range\n";
        return 2;
    }
    if (!options.folder.empty() && !writeFolder(options.folder, *world, history)) {
        std::cerr << "cannot write the Heavy Weather folder " << options.folder << "\n";
        return 1;
    }
    history = {};

    std::vector<Fault> faults;
    for (const std::string& text : options.faults) {
        faults.push_back(*parseFault(text));
    }
    const Clock::time_point started = Clock::now();
    const auto secondsNow = [&] { return Seconds(Clock::now() - started).count(); };
    SerialStation station(faults, 0);

    std::string error;
    auto pty = openPty(error);
    if (!pty) {
        std::cerr << error << "\n";
        return 1;
    }
    std::cout << "serial: " << pty->path << "\n" << std::flush;

    const auto minuteTime =
        std::chrono::duration_cast<Clock::duration>(Seconds(60 / options.speed));
    const auto byteTime = std::chrono::duration_cast<Clock::duration>(
        Seconds(options.baud > 0 ? 10.0 / options.baud : 0.0));
    Clock::time_point nextMinute = started + minuteTime;
    Clock::time_point nextControlLook = started;
    Clock::time_point nextByte = started;
    std::optional<Clock::time_point> reopenAt;
    std::string controlText;
    std::deque<std::uint8_t> outgoing;
    std::vector<std::uint8_t> incoming;
    int status = 0;

    while (!stop) {
        const Clock::time_point now = Clock::now();
        while (now >= nextMinute) {
            const bool recordTaken = advanceSerialWorld(*world);
            nextMinute += minuteTime;
            if (!options.folder.empty() && !updateFolder(options.folder, *world, recordTaken)) {
                std::cerr << "cannot update the Heavy Weather folder " << options.folder << "\n";
            }
        }
        if (!options.control.empty() && now >= nextControlLook) {
            nextControlLook = now + std::chrono::milliseconds(100);
            std::string text = fileText(options.control);
            if (text != controlText) {
                controlText = std::move(text);
                if (const auto list = parseFaultList(controlText)) {
                    station.setFaults(*list, secondsNow());
                } else {
                    std::cerr << "faults not understood in " << options.control << "\n";
                }
            }
        }
        if (station.vanishing()) {
            closePty(*pty);
            outgoing.clear();
            if (station.vanishSeconds() == 0) {
                break;
            }
            reopenAt = now + std::chrono::seconds(station.vanishSeconds());
            station.clearVanishing();
        }
        if (reopenAt) {
            if (now < *reopenAt) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            reopenAt.reset();
            pty = openPty(error);
            if (!pty) {
                std::cerr << error << "\n";
                return 1;
            }
            std::cout << "serial: " << pty->path << "\n" << std::flush;
        }

        if (!outgoing.empty() && now >= nextByte) {
            // At the line's pace: one byte at a time, or all at once without a baud rate.
            const std::size_t count = byteTime.count() > 0 ? 1 : outgoing.size();
            const std::vector<std::uint8_t> bytes(outgoing.begin(), outgoing.begin() + count);
            outgoing.erase(outgoing.begin(), outgoing.begin() + count);
            nextByte = now + byteTime;
            if (!sendToPty(*pty, bytes)) {
                std::cerr << "cannot write to " << pty->path << "\n";
                status = 1;
                break;
            }
        }
        auto wait = std::chrono::milliseconds(100);
        if (!outgoing.empty()) {
            wait = std::clamp(std::chrono::ceil<std::chrono::milliseconds>(nextByte - Clock::now()),
                              std::chrono::milliseconds(0), wait);
        }
        incoming.clear();
        const PtyWait got = receiveFromPty(*pty, incoming, wait);
        if (got == PtyWait::Failed) {
            std::cerr << "cannot read from " << pty->path << "\n";
            status = 1;
            break;
        }
        for (const std::uint8_t byte : incoming) {
            const auto writes = station.writeBytes();
            const auto answer = station.receive(byte, world->memory, secondsNow());
            if (station.writeBytes() != writes) {
                std::cerr << "refused a write command byte 0x" << std::hex << int{byte} << std::dec
                          << "\n";
            }
            if (outgoing.empty() && Clock::now() > nextByte) {
                nextByte = Clock::now();
            }
            outgoing.insert(outgoing.end(), answer.begin(), answer.end());
        }
    }
    closePty(*pty);
    std::cout << "served " << station.readsAnswered() << " reads; refused " << station.writeBytes()
              << " write bytes and " << station.malformedBytes() << " other bytes\n"
              << std::flush;
    return status;
}

}  // namespace brezzolo::sim
