#include "station/station_link.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/paths.h"
#include "station/current_data_file.h"
#include "station/history_sync.h"
#include "station/station_reading_values.h"

namespace brezzolo {
namespace {

// The status of a read that gave no values.
std::pair<StationLinkState, std::string> readFailure(ReadFailure failure,
                                                     const std::string& detail) {
    switch (failure) {
        case ReadFailure::PortFailed:
            return {StationLinkState::PortError, detail};
        case ReadFailure::InvalidData:
            return {StationLinkState::InvalidData, detail.empty() ? "valori non validi" : detail};
        case ReadFailure::BadAnswers:
            return {StationLinkState::NoAnswer, detail.empty() ? "risposte non valide" : detail};
        case ReadFailure::NoAnswer:
        case ReadFailure::None:
            break;
    }
    return {StationLinkState::NoAnswer, detail};
}

}  // namespace

StationPoller::StationPoller(StationLinkOptions options) : options_(std::move(options)) {
    if (!options_.localTime) {
        options_.localTime = localCivilTime;
    }
    status_.port = options_.port;
}

CivilTime StationPoller::localNow() const {
    return options_.localTime(options_.systemNow());
}

std::chrono::steady_clock::time_point StationPoller::poll() {
    const auto started = options_.steadyNow();
    if (!firstPoll_) {
        firstPoll_ = started;
    }
    readAndWrite(started);

    const auto goodSince = lastGood_.value_or(*firstPoll_);
    if (status_.state != StationLinkState::Reading &&
        options_.steadyNow() - goodSince >= options_.lostAfter) {
        std::error_code ignored;
        std::filesystem::remove(toFsPath(options_.currentDataPath), ignored);
        status_.state = StationLinkState::Lost;
    }
    return std::max(started + options_.pollInterval, options_.steadyNow());
}

void StationPoller::failed(StationLinkState state, std::string detail) {
    status_.state = state;
    status_.detail = std::move(detail);
}

void StationPoller::readAndWrite(std::chrono::steady_clock::time_point now) {
    if (!line_) {
        std::string error;
        line_ = options_.openPort(options_.port, error);
        if (!line_) {
            failed(StationLinkState::PortError, error);
            return;
        }
    }
    const StationRead<StationValues> read = options_.readValues(*line_);
    if (!read.value) {
        const auto [state, detail] = readFailure(read.failure, read.detail);
        if (read.failure == ReadFailure::PortFailed) {
            line_.reset();  // opened again at the next poll
        }
        failed(state, detail);
        return;
    }
    const CivilTime pcNow = localNow();
    const CurrentDataConversion conversion = currentDataValues(*read.value, pcNow);
    if (!conversion.values) {
        failed(StationLinkState::InvalidData, conversion.missing);
        return;
    }
    if (!writeCurrentDataFile(options_.currentDataPath, *conversion.values, kStationLinkWriter)) {
        failed(StationLinkState::FileError, options_.currentDataPath);
        return;
    }
    lastGood_ = now;
    status_.state = StationLinkState::Reading;
    status_.detail.clear();
    status_.lastReading = pcNow;
    updateHistory(*read.value, pcNow);
}

void StationPoller::updateHistory(const StationValues& values, const CivilTime& pcNow) {
    const StationRead<StationHistoryHeader> header = options_.readHeader(*line_);
    if (!header.value) {
        if (header.failure == ReadFailure::PortFailed) {
            line_.reset();
        }
        status_.history = "storico non aggiornato: lettura dalla stazione non riuscita";
        return;
    }
    // Nothing new in the ring since the file was last brought up to date.
    const std::pair ring{header.value->newestIndex, header.value->newestTime};
    if (historySyncedTo_ == ring) {
        return;
    }
    ByteLine& line = *line_;
    const HistorySyncOutcome outcome = syncHistory(
        options_.historyPath, *header.value,
        [&](const std::vector<int>& indexes) { return options_.readRecords(line, indexes); },
        values.rainTotal, pcNow);
    status_.history = outcome.problemText;
    if (outcome.problem == HistorySyncProblem::None) {
        historySyncedTo_ = ring;
    }
}

void removeStaleCurrentData(const std::string& path, std::chrono::seconds lostAfter) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(toFsPath(path), error);
    if (!error && std::filesystem::file_time_type::clock::now() - written >= lostAfter) {
        std::filesystem::remove(toFsPath(path), error);
    }
}

bool StationLink::start(StationLinkOptions options) {
    if (thread_.joinable() || !options.openPort || !options.readValues || !options.readHeader ||
        !options.readRecords || !options.systemNow || !options.steadyNow) {
        return false;
    }
    removeStaleCurrentData(options.currentDataPath, options.lostAfter);
    {
        const std::lock_guard lock(mutex_);
        stopping_ = false;
        lineStopped_ = std::make_shared<std::atomic<bool>>(false);
        StationLinkStatus starting;
        starting.port = options.port;
        published_ = starting;
        changed_ = true;
    }
    try {
        thread_ = std::thread(
            [this, options = std::move(options)]() mutable { run(std::move(options)); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

namespace {

// A line that fails at once when the link is stopping, so that the reads end without waiting
// for the station.
class StoppableLine : public ByteLine {
  public:
    StoppableLine(std::unique_ptr<ByteLine> line, std::shared_ptr<std::atomic<bool>> stopped)
        : line_(std::move(line)), stopped_(std::move(stopped)) {}
    LineStatus write(std::span<const std::uint8_t> bytes) override {
        return *stopped_ ? LineStatus::Failed : line_->write(bytes);
    }
    LineStatus read(std::uint8_t& byte, std::chrono::milliseconds timeout) override {
        return *stopped_ ? LineStatus::Failed : line_->read(byte, timeout);
    }
    void discardInput() override { line_->discardInput(); }
    std::string failureText() const override {
        return *stopped_ ? "collegamento fermato" : line_->failureText();
    }

  private:
    std::unique_ptr<ByteLine> line_;
    std::shared_ptr<std::atomic<bool>> stopped_;
};

}  // namespace

void StationLink::run(StationLinkOptions options) {
    options.openPort = [open = std::move(options.openPort), stopped = lineStopped_](
                           const std::string& port,
                           std::string& error) -> std::unique_ptr<ByteLine> {
        auto line = open(port, error);
        return line ? std::make_unique<StoppableLine>(std::move(line), stopped) : nullptr;
    };
    const auto steadyNow = options.steadyNow;
    StationPoller poller(std::move(options));
    for (;;) {
        const auto due = poller.poll();
        publish(poller.status());
        std::unique_lock lock(mutex_);
        // Waits by the real clock, a slice at a time, until the poll is due on the link's own.
        while (!stopping_ && steadyNow() < due) {
            wake_.wait_for(lock, due - steadyNow());
        }
        if (stopping_) {
            return;
        }
    }
}

void StationLink::publish(const StationLinkStatus& status) {
    const std::lock_guard lock(mutex_);
    if (published_ != status) {
        published_ = status;
        changed_ = true;
    }
}

void StationLink::stop() {
    if (!thread_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        *lineStopped_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::optional<StationLinkStatus> StationLink::takeStatus() {
    const std::lock_guard lock(mutex_);
    if (!changed_) {
        return std::nullopt;
    }
    changed_ = false;
    return published_;
}

StationProbeResult readStationOnce(const std::string& port, const StationLinkOptions& options) {
    StationProbeResult probe;
    std::string error;
    const std::unique_ptr<ByteLine> line = options.openPort(port, error);
    if (!line) {
        probe.failure = "porta non disponibile - " + error;
        return probe;
    }
    const StationRead<StationValues> read = options.readValues(*line);
    if (!read.value) {
        const auto [state, detail] = readFailure(read.failure, read.detail);
        probe.failure = state == StationLinkState::InvalidData ? "lettura non valida - " + detail
                        : state == StationLinkState::PortError ? "errore della porta - " + detail
                                                               : "nessuna risposta dalla stazione";
        return probe;
    }
    probe.outdoorTemp = read.value->outdoorTemp;
    probe.stationTime = read.value->clock;
    return probe;
}

}  // namespace brezzolo
