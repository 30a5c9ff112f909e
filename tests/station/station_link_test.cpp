#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "input/current_data_reader.h"
#include "input/history_file.h"
#include "station/station_link.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using namespace std::chrono_literals;

// A line that is never used: the fake reads below play the station.
class QuietLine : public ByteLine {
  public:
    LineStatus write(std::span<const std::uint8_t>) override { return LineStatus::Ok; }
    LineStatus read(std::uint8_t&, std::chrono::milliseconds) override {
        return LineStatus::TimedOut;
    }
    void discardInput() override {}
    std::string failureText() const override { return {}; }
};

StationValues goodValues(double outdoor) {
    StationValues v;
    v.indoorTemp = 21;
    v.outdoorTemp = outdoor;
    v.dewPoint = 5;
    v.windChill = outdoor;
    v.indoorHumidity = 40;
    v.outdoorHumidity = 60;
    v.windSpeed = 2;
    v.windDirection = 180;
    v.rainTotal = 12.5;
    v.pressureAbs = 990;
    v.pressureRel = 1013;
    return v;
}

template <typename Value>
StationRead<Value> good(Value value) {
    StationRead<Value> read;
    read.value = std::move(value);
    return read;
}

// The station, the port and the clocks as the link sees them; every call counted.
struct FakeStation {
    bool portAvailable = true;
    StationRead<StationValues> next = good(goodValues(7.4));
    int opens = 0, valueReads = 0, recordsRead = 0;
    std::chrono::steady_clock::time_point steady{};
    // 2026-01-20 14:05 local, with the local time taken as UTC.
    std::chrono::system_clock::time_point system{
        std::chrono::sys_days{std::chrono::year{2026} / 1 / 20} + 14h + 5min};
    test::TempFolder folder;

    StationLinkOptions options() {
        StationLinkOptions o;
        o.port = "COM3";
        o.currentDataPath = folder.file("currdat.lst");
        o.historyPath = folder.file("history.dat");
        o.openPort = [this](const std::string&, std::string& error) -> std::unique_ptr<ByteLine> {
            ++opens;
            if (!portAvailable) {
                error = "accesso negato";
                return nullptr;
            }
            return std::make_unique<QuietLine>();
        };
        o.readValues = [this](ByteLine&) {
            ++valueReads;
            return next;
        };
        o.readHeader = [](ByteLine&) {
            return good(StationHistoryHeader{5, 3, CivilTime{2026, 1, 20, 14, 0, 0}, 4, 5});
        };
        o.readRecords = [this](ByteLine&, const std::vector<int>& indexes) {
            recordsRead += static_cast<int>(indexes.size());
            return good(std::vector<StationHistoryRecord>(indexes.size()));
        };
        o.systemNow = [this] { return system; };
        o.steadyNow = [this] { return steady; };
        o.localTime = [](std::chrono::system_clock::time_point t) {
            const auto day = std::chrono::floor<std::chrono::days>(t);
            const std::chrono::year_month_day date{day};
            const std::chrono::hh_mm_ss time{t - day};
            return CivilTime{static_cast<int>(date.year()),
                             static_cast<int>(static_cast<unsigned>(date.month())),
                             static_cast<int>(static_cast<unsigned>(date.day())),
                             static_cast<int>(time.hours().count()),
                             static_cast<int>(time.minutes().count()),
                             static_cast<int>(time.seconds().count())};
        };
        return o;
    }
    void advance(std::chrono::seconds by) {
        steady += by;
        system += by;
    }
};

const CivilTime kToday{2026, 1, 20, 23, 0, 0};

TEST(StationLink, WritesGoodReadingsSkipsInvalidOnesRemovesTheFileWhenLostAndRecovers) {
    FakeStation station;
    StationPoller poller(station.options());
    const std::string path = station.folder.file("currdat.lst");

    poller.poll();
    EXPECT_EQ(readStationReading(path, "").outdoorTemp, 7.4);
    EXPECT_EQ(stationStatusLine(poller.status(), kToday), "Stazione: ultima lettura 14:05 (COM3)");
    EXPECT_EQ(station.recordsRead, 5);  // the station's history, into an empty file
    EXPECT_EQ(readHistoryLayout(station.folder.file("history.dat"))->recordCount, 5.0);

    const std::string written = test::readFileBytes(path);
    station.next = {std::nullopt, ReadFailure::InvalidData, "sensore esterno perso"};
    station.advance(15s);
    poller.poll();
    EXPECT_EQ(test::readFileBytes(path), written);
    EXPECT_EQ(stationStatusLine(poller.status(), kToday),
              "Stazione: lettura non valida da COM3 - sensore esterno perso");

    station.next = {std::nullopt, ReadFailure::NoAnswer, ""};
    station.advance(15s);
    poller.poll();
    EXPECT_EQ(stationStatusLine(poller.status(), kToday),
              "Stazione: nessuna risposta da COM3 dalle 14:05");
    EXPECT_TRUE(fileExists(path));
    station.advance(600s);
    poller.poll();
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(stationStatusLine(poller.status(), kToday),
              "Stazione: nessuna lettura da COM3 dalle 14:05, currdat.lst rimosso");

    station.next = good(goodValues(-2.5));
    station.advance(15s);
    poller.poll();
    EXPECT_EQ(readStationReading(path, "").outdoorTemp, -2.5);
    EXPECT_EQ(poller.status().state, StationLinkState::Reading);
    EXPECT_EQ(station.recordsRead, 5);  // the ring has nothing new
}

TEST(StationLink, APortThatCannotBeOpenedIsTriedOncePerInterval) {
    FakeStation station;
    station.portAvailable = false;
    StationPoller poller(station.options());
    for (int i = 0; i < 4; ++i) {
        const auto started = station.steady;
        EXPECT_EQ(poller.poll(), started + 15s);
        station.advance(15s);
    }
    EXPECT_EQ(station.opens, 4);
    EXPECT_EQ(stationStatusLine(poller.status(), kToday),
              "Stazione: porta COM3 non disponibile - accesso negato");

    // The port comes back; when it fails during a read it is closed and opened again.
    station.portAvailable = true;
    station.next = {std::nullopt, ReadFailure::PortFailed, "dispositivo scollegato"};
    poller.poll();
    station.next = good(goodValues(7.4));
    poller.poll();
    EXPECT_EQ(station.opens, 6);
    EXPECT_EQ(poller.status().state, StationLinkState::Reading);
}

TEST(StationLink, TheWorkerPublishesItsStatusAndStopsWhileWaitingForTheNextPoll) {
    FakeStation station;
    StationLinkOptions options = station.options();
    options.pollInterval = std::chrono::hours(1);  // a stop that did not wake it would hang
    options.steadyNow = [] { return std::chrono::steady_clock::now(); };
    StationLink link;
    ASSERT_TRUE(link.start(options));
    EXPECT_FALSE(link.start(options));
    // The first status is "Starting", unless the worker's first poll has ended already.
    std::optional<StationLinkStatus> status = link.takeStatus();
    ASSERT_TRUE(status);
    while (!status || status->state == StationLinkState::Starting) {
        std::this_thread::sleep_for(10ms);
        status = link.takeStatus();
    }
    EXPECT_EQ(status->state, StationLinkState::Reading);
    EXPECT_FALSE(link.takeStatus());  // once
    link.stop();
    EXPECT_FALSE(link.running());
    EXPECT_TRUE(fileExists(station.folder.file("currdat.lst")));
}

// A settings change or the program's end must not wait for a long read: a history coming in at
// 2400 baud takes half a minute.
TEST(StationLink, AStopEndsAReadUnderWay) {
    FakeStation station;
    StationLinkOptions options = station.options();
    std::atomic<bool> reading = false;
    options.readValues = [&](ByteLine& line) {
        reading = true;
        std::uint8_t byte = 0;
        while (line.read(byte, 10ms) != LineStatus::Failed) {  // for ever, but for the stop
            std::this_thread::sleep_for(5ms);
        }
        return StationRead<StationValues>{std::nullopt, ReadFailure::PortFailed,
                                          line.failureText()};
    };
    StationLink link;
    ASSERT_TRUE(link.start(options));
    while (!reading) {
        std::this_thread::sleep_for(5ms);
    }
    link.stop();
    EXPECT_FALSE(link.running());
}

TEST(StationLink, StatusLinesAndDump) {
    StationLinkStatus s;
    s.port = "COM3";
    EXPECT_EQ(stationStatusLine(s, kToday), "Stazione: in attesa della prima lettura (COM3)");
    s.state = StationLinkState::Lost;
    EXPECT_EQ(stationStatusLine(s, kToday),
              "Stazione: nessuna lettura da COM3, currdat.lst rimosso");
    s.lastReading = CivilTime{2026, 1, 19, 14, 5, 0};
    s.state = StationLinkState::Reading;
    s.history = "storico non aggiornato: intervallo della stazione 5 min, nel file 60 min";
    EXPECT_EQ(stationStatusLine(s, kToday),
              "Stazione: ultima lettura 19/01 14:05 (COM3) - storico non aggiornato: intervallo "
              "della stazione 5 min, nel file 60 min");
    EXPECT_EQ(stationDumpLines(s, kToday),
              "Station.status=" + stationStatusLine(s, kToday) +
                  "\nStation.state=Reading\nStation.port=COM3\nStation.lastReading=2026-01-19 "
                  "14:05:00\nStation.detail=\nStation.history=" +
                  s.history + "\n");
}

TEST(StationLink, ReadOnceGivesTheOutdoorTemperatureAndTheConsolesClockOrWhatFailed) {
    FakeStation station;
    station.next.value->clock = CivilTime{2003, 4, 24, 3, 26, 10};
    const StationProbeResult good = readStationOnce("COM3", station.options());
    EXPECT_EQ(good.outdoorTemp, 7.4);
    EXPECT_EQ(good.stationTime, (CivilTime{2003, 4, 24, 3, 26, 10}));
    EXPECT_TRUE(good.read());
    station.next = {std::nullopt, ReadFailure::NoAnswer, ""};
    EXPECT_EQ(readStationOnce("COM3", station.options()).failure,
              "nessuna risposta dalla stazione");
}

}  // namespace
}  // namespace brezzolo
