#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/civil_time.h"
#include "station/byte_line.h"
#include "station/serial_byte_line.h"
#include "station/station_probe.h"
#include "station/station_status.h"
#include "station/station_values.h"
#include "station/ws23xx_reader.h"

namespace brezzolo {

// The station link plays Heavy Weather's part: it polls the WS23xx over its serial cable and
// writes currdat.lst and the history file in the layouts the conversion cycle reads, so the
// cycle itself is the same with or without Heavy Weather.

struct StationLinkOptions {
    std::string port;             // "COM3", "/dev/ttyUSB0"
    std::string currentDataPath;  // currdat.lst in the Heavy Weather folder
    std::string historyPath;      // the history file beside it
    std::chrono::seconds pollInterval{15};
    // With no good reading for this long currdat.lst is removed, so that the cycle ends quietly
    // as it does without Heavy Weather, rather than reporting old weather as new.
    std::chrono::seconds lostAfter{600};

    // The serial port and the station's protocol: the real ones unless a test gives its own.
    // Each read times out by itself within a few seconds. Nothing when the port cannot be
    // opened, with the reason in `error`.
    std::function<std::unique_ptr<ByteLine>(const std::string& port, std::string& error)> openPort =
        openStationPort;
    std::function<StationRead<StationValues>(ByteLine&)> readValues = [](ByteLine& line) {
        return readStationValues(line);
    };
    std::function<StationRead<StationHistoryHeader>(ByteLine&)> readHeader = [](ByteLine& line) {
        return readStationHistoryHeader(line);
    };
    std::function<StationRead<std::vector<StationHistoryRecord>>(ByteLine&,
                                                                 const std::vector<int>&)>
        readRecords = [](ByteLine& line, const std::vector<int>& indexes) {
            return readStationHistoryRecords(line, indexes);
        };

    // The PC's clock (the header time when the console's clock is not set, and the status),
    // its local time, and the clock the intervals are measured by.
    std::function<std::chrono::system_clock::time_point()> systemNow = [] {
        return std::chrono::system_clock::now();
    };
    std::function<CivilTime(std::chrono::system_clock::time_point)> localTime;  // default: system
    std::function<std::chrono::steady_clock::time_point()> steadyNow = [] {
        return std::chrono::steady_clock::now();
    };
};

// What currdat.lst names as its writer.
inline constexpr const char* kStationLinkWriter = "Brezzolo (stazione sulla porta seriale)";

// The link's work, one poll at a time on the caller's thread. A poll opens the port when it is
// not open (a failure is a status, tried again at the next poll), reads the current values and
// rewrites currdat.lst from a good reading; after a good reading it reads the station's history
// header and appends the records the history file lacks. A port that fails is closed and
// opened again at the next poll. When no reading has been good for lostAfter (from the first
// poll on), currdat.lst is removed; a good reading writes it again.
class StationPoller {
  public:
    explicit StationPoller(StationLinkOptions options);

    // One poll; returns when the next one is due, by the steady clock: pollInterval after this
    // one began, or at once when this one took longer.
    std::chrono::steady_clock::time_point poll();

    const StationLinkStatus& status() const { return status_; }

  private:
    void readAndWrite(std::chrono::steady_clock::time_point now);
    void failed(StationLinkState state, std::string detail);
    void updateHistory(const StationValues& values, const CivilTime& pcNow);
    CivilTime localNow() const;

    StationLinkOptions options_;
    StationLinkStatus status_;
    std::unique_ptr<ByteLine> line_;
    std::optional<std::chrono::steady_clock::time_point> firstPoll_, lastGood_;
    // The station's newest history record when the file was last brought up to date with it.
    std::optional<std::pair<int, std::optional<CivilTime>>> historySyncedTo_;
};

// Removes a currdat.lst that nothing has renewed for lostAfter: Heavy Weather's from before the
// switch to the cable, or the link's own from before Brezzolo was stopped. Its weather is old,
// and the cycle must not report it as new while the link's first poll is still under way.
void removeStaleCurrentData(const std::string& path, std::chrono::seconds lostAfter);

// The poller on a worker thread of its own. The owner's thread asks for the newest status with
// takeStatus(); the worker never calls into the owner.
class StationLink {
  public:
    StationLink() = default;
    StationLink(const StationLink&) = delete;
    StationLink& operator=(const StationLink&) = delete;
    ~StationLink() { stop(); }

    // Removes a stale currdat.lst (removeStaleCurrentData) at once and starts polling. False
    // when the link runs already, a read function is missing or the system has no thread to
    // give.
    bool start(StationLinkOptions options);

    // Ends the worker: at once while it waits between polls, else after the byte under way
    // (a second at most). The port is closed.
    void stop();

    bool running() const { return thread_.joinable(); }

    // The newest status, once, when it changed since the last call.
    std::optional<StationLinkStatus> takeStatus();

  private:
    void run(StationLinkOptions options);
    void publish(const StationLinkStatus& status);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    // The same, for the line: a read under way gives up at its next byte, so that stop() does
    // not wait for a whole history to come in at 2400 baud.
    std::shared_ptr<std::atomic<bool>> lineStopped_;
    std::optional<StationLinkStatus> published_;
    bool changed_ = false;
};

// One reading for a dialog's "read the station now" button: opens the port, reads the values
// once and closes the port. Synchronous (a few seconds at most when the station is silent):
// the caller runs it on a worker. The port must not be held by a running link.
StationProbeResult readStationOnce(const std::string& port, const StationLinkOptions& options);

}  // namespace brezzolo
