#include "station_properties.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <string_view>

#include "properties.h"
#include "station/ws23xx_protocol.h"
#include "station/ws23xx_read_plan.h"

namespace brezzolo::fuzz {

namespace {

// What broke, each property once.
class Verdict {
  public:
    void require(bool holds, std::string_view property) {
        if (!holds && std::find(broken_.begin(), broken_.end(), property) == broken_.end()) {
            broken_.push_back(property);
        }
    }
    std::string take() const {
        std::string text;
        for (const std::string_view property : broken_) {
            text += text.empty() ? "" : "; ";
            text += property;
        }
        return text;
    }

  private:
    std::vector<std::string_view> broken_;  // the properties are literals
};

// The host's side of the cable for the station-answers target: each byte the host writes
// releases the station's next answer from the input; reading past it times out, as a silent
// station does. It logs what the host sent and how it waited.
class AnsweringLine : public ByteLine {
  public:
    AnsweringLine(std::string_view input, std::chrono::milliseconds longestWait)
        : input_(input), longestWait_(longestWait) {}

    LineStatus write(std::span<const std::uint8_t> bytes) override {
        for (const std::uint8_t byte : bytes) {
            sent.push_back(byte);
            if (next_ < input_.size()) {
                const std::size_t length = static_cast<unsigned char>(input_[next_++]) & 0x1F;
                const std::string_view answer = input_.substr(next_, length);
                next_ += answer.size();
                pending_.insert(pending_.end(), answer.begin(), answer.end());
            }
        }
        return LineStatus::Ok;
    }
    LineStatus read(std::uint8_t& byte, std::chrono::milliseconds timeout) override {
        ++reads;
        timedWaits = timedWaits && timeout.count() > 0 && timeout <= longestWait_;
        if (pending_.empty()) {
            return LineStatus::TimedOut;
        }
        byte = static_cast<std::uint8_t>(pending_.front());
        pending_.erase(pending_.begin());
        return LineStatus::Ok;
    }
    void discardInput() override { pending_.clear(); }
    std::string failureText() const override { return {}; }

    std::vector<std::uint8_t> sent;
    std::size_t reads = 0;
    bool timedWaits = true;

  private:
    std::string_view input_;
    std::chrono::milliseconds longestWait_;
    std::size_t next_ = 0;
    std::string pending_;
};

ReadOptions stationFuzzOptions() {
    ReadOptions options;
    options.attemptsPerRead = kStationFuzzAttempts;
    options.sleep = [](std::chrono::milliseconds) {};
    return options;
}

bool isStationTemperature(const std::optional<double>& value) {
    return !value || (std::isfinite(*value) && *value > -30 && *value < 69.8);
}

bool isStationTime(const CivilTime& time) {
    return time.year >= 2000 && time.year <= 2099 && time.month >= 1 && time.month <= 12 &&
           time.day >= 1 && time.day <= 31 && time.hour >= 0 && time.hour < 24 &&
           time.minute >= 0 && time.minute < 60 && time.second >= 0 && time.second < 60;
}

template <typename Value>
void checkOutcome(Verdict& verdict, const StationRead<Value>& read) {
    verdict.require(read.value.has_value() == (read.failure == ReadFailure::None),
                    "a read has a value exactly when it did not fail");
    verdict.require(read.failure == ReadFailure::None || !read.detail.empty(),
                    "a failure says why");
}

void checkStationValues(Verdict& verdict, const StationValues& v) {
    verdict.require(v.outdoorLink != OutdoorLink::Lost, "a poll with the outdoor sensors lost");
    verdict.require(v.outdoorTemp && v.outdoorHumidity && v.dewPoint && v.windChill &&
                        v.windSpeed && v.windDirection,
                    "a poll without its outdoor values or wind");
    for (const auto& temperature : {v.indoorTemp, v.outdoorTemp, v.dewPoint, v.windChill}) {
        verdict.require(isStationTemperature(temperature),
                        "temperatures within -30 and 69.8 °C, the ends excluded");
    }
    for (const auto& humidity : {v.indoorHumidity, v.outdoorHumidity}) {
        verdict.require(!humidity || (*humidity >= 0 && *humidity <= 99), "humidity 0 to 99");
    }
    verdict.require(!v.windSpeed || (*v.windSpeed >= 0 && *v.windSpeed < 51.0 &&
                                     std::abs(*v.windSpeed - 25.5) > 0.01),
                    "wind speed below 51 m/s and not the 25.5 m/s spike");
    verdict.require(v.windSpeed.has_value() == v.windDirection.has_value(),
                    "wind speed and direction together");
    verdict.require(!v.windDirection || (*v.windDirection >= 0 && *v.windDirection <= 337.5 &&
                                         std::fmod(*v.windDirection, 22.5) == 0),
                    "wind direction a multiple of 22.5 degrees");
    for (const double rain : {v.rain1h, v.rain24h, v.rainTotal}) {
        verdict.require(std::isfinite(rain) && rain >= 0 && rain <= 9999.99, "rain 0 to 9999.99");
    }
    verdict.require(!v.pressureRel || (*v.pressureRel >= 900 && *v.pressureRel <= 1200),
                    "relative pressure 900 to 1200 hPa");
    verdict.require(!v.pressureAbs || (*v.pressureAbs >= 0 && *v.pressureAbs <= 9999.9),
                    "absolute pressure within five digits");
    verdict.require(v.forecast >= -1 && v.forecast <= 2, "forecast -1 to 2");
    verdict.require(v.tendency >= 0 && v.tendency <= 2, "tendency 0 to 2");
    verdict.require(!v.clock || isStationTime(*v.clock), "the clock a possible time");
}

void checkHistory(Verdict& verdict, const StationReads& reads) {
    if (const auto& header = reads.header.value) {
        verdict.require(header->intervalMinutes >= 1 && header->intervalMinutes <= 4096 &&
                            header->minutesToNext >= 0 &&
                            header->minutesToNext <= header->intervalMinutes,
                        "history interval and countdown");
        verdict.require(header->newestIndex >= 0 && header->newestIndex < 175 &&
                            header->count >= 0 && header->count <= 175,
                        "history index and count within the ring");
        verdict.require(!header->newestTime || isStationTime(*header->newestTime),
                        "the newest record's time a possible time");
    }
    if (const auto& records = reads.records.value) {
        verdict.require(records->size() == std::size(kStationFuzzRecordIndexes),
                        "every record asked for");
        for (const StationHistoryRecord& r : *records) {
            verdict.require(
                isStationTemperature(r.indoorTemp) && isStationTemperature(r.outdoorTemp),
                "record temperatures within -30 and 69.8 °C, the ends excluded");
            verdict.require(r.pressureAbs >= 500 && r.pressureAbs < 1500,
                            "record pressure 500 to 1500 hPa");
            verdict.require(r.rainCount >= 0 && r.rainCount < 4096 && r.windSpeed >= 0 &&
                                r.windSpeed <= 409.5 && r.windDirection >= 0 &&
                                r.windDirection <= 15,
                            "record rain counter, wind speed and direction within their nibbles");
        }
    }
}

}  // namespace

std::string stationAnswersInput(const std::vector<std::vector<std::uint8_t>>& answers) {
    std::string input;
    for (const auto& answer : answers) {
        input += static_cast<char>(answer.size() & 0x1F);
        input.append(
            answer.begin(),
            answer.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(answer.size(), 31)));
    }
    return input;
}

StationReads readWholeStation(ByteLine& line) {
    const ReadOptions options = stationFuzzOptions();
    StationReads reads;
    reads.values = readStationValues(line, options);
    reads.header = readStationHistoryHeader(line, options);
    reads.records = readStationHistoryRecords(
        line, {std::begin(kStationFuzzRecordIndexes), std::end(kStationFuzzRecordIndexes)},
        options);
    return reads;
}

std::string checkStationAnswers(std::string_view input) {
    Verdict verdict;
    const ReadOptions options = stationFuzzOptions();
    AnsweringLine line(input, options.byteTimeout);
    const StationReads reads = readWholeStation(line);

    checkOutcome(verdict, reads.values);
    checkOutcome(verdict, reads.header);
    checkOutcome(verdict, reads.records);
    if (reads.values.value) {
        checkStationValues(verdict, *reads.values.value);
    }
    checkHistory(verdict, reads);

    verdict.require(std::all_of(line.sent.begin(), line.sent.end(), ws23xx::isReadOnlyCommand),
                    "only reset, address and read bytes sent");
    verdict.require(line.timedWaits, "every wait timed, none longer than the byte timeout");
    // Each attempt reads a bounded number of bytes, and every read either takes a byte of the
    // input or ends its attempt's wait.
    const std::size_t transactions = ws23xx::planReads(ws23xx::stationValueAreas()).size() + 1 +
                                     std::size(kStationFuzzRecordIndexes);
    const std::size_t attempts = transactions * kStationFuzzAttempts;
    const std::size_t perAttempt =
        2 * ws23xx::kMaxResetAnswerBytes + 4 + 1 + ws23xx::kMaxBytesPerRead + 1;
    verdict.require(
        line.reads <= attempts * perAttempt && line.reads <= input.size() + 2 * attempts,
        "the number of waits for a byte bounded");
    return verdict.take();
}

}  // namespace brezzolo::fuzz
