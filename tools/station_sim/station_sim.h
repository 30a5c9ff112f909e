#pragma once

// The station simulator: writes a Heavy Weather folder (currdat.lst and history.dat) the way
// Brezzolo reads it, with plausible weather from a seed. Used by the brezzolo-station-sim
// program, by the tests and by the benchmarks.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/civil_time.h"
#include "input/history_file.h"
#include "station/current_data_file.h"

namespace brezzolo::sim {

// A local wall-clock time, as Heavy Weather shows it (no time zone, no daylight saving).
using CivilTime = brezzolo::CivilTime;

// Minutes from 2000-01-01 00:00 (negative before), the simulator's clock; the seconds are
// dropped. And back, with second 0.
std::int64_t minuteOf(const CivilTime& time);
CivilTime civilTimeAt(std::int64_t minute);

// "YYYY-MM-DD HH:MM" as a valid date and time; nothing otherwise.
std::optional<CivilTime> parseCivilTime(std::string_view text);

// The header time of currdat.lst: "Www Mmm dd hh:mm:ss yyyy" ("Mon Jun 05 14:05:09 2006").
using brezzolo::headerTime;

// The computer's local time now. Platform-specific.
CivilTime localNow();

// One reading of the station, in the station's own units; currdat.lst also carries the
// values in °F, mph and inches, worked out from these.
using CurrentConditions = CurrentDataValues;

using brezzolo::kCurrentDataLineCount;

// The lines of currdat.lst for a reading, as the program's own writer lays them out, naming
// the simulator as their writer.
std::vector<std::string> currentDataLines(const CurrentConditions& conditions);

// Rewrites currdat.lst in the folder in one step (temporary file and rename), so that a
// reader never sees half a file. False on failure.
bool writeCurrentData(const std::string& folder, const CurrentConditions& conditions);

// The bytes of history records, 36 each, every byte the program does not read left 0.
std::string historyBytes(const std::vector<HistoryRecord>& records);

// Rewrites the history file with these records, or with records already turned into bytes
// (temporary file and rename).
bool writeHistory(const std::string& path, const std::vector<HistoryRecord>& records);
bool writeHistoryBytes(const std::string& path, const std::string& bytes);

// Appends the records to the history file in one write, creating it when missing.
bool appendHistory(const std::string& path, const std::vector<HistoryRecord>& records);

// The weather, minute by minute. Temperature, pressure, wind and humidity follow smooth waves
// (a yearly and a daily temperature wave, pressure swings over days) whose phases come from
// the seed; rain falls in showers, more often when the pressure is low, and is counted by
// the station's gauge in tenths of a millimetre, so the rain total never goes down.
class StationSimulator {
  public:
    StationSimulator(std::uint64_t seed, std::int64_t startMinute);

    std::int64_t minute() const { return minute_; }
    // One minute on.
    void advance();

    CurrentConditions conditions() const;
    // The record Heavy Weather would store now: time in seconds from 2000-01-01.
    HistoryRecord historyRecord() const;

  private:
    struct Wave {
        double amplitude, periodMinutes, phase;
        double at(double minute) const;
    };
    double pressureRelAt(std::int64_t minute) const;
    double outdoorTempAt(std::int64_t minute) const;
    double showerRate(std::int64_t minute) const;  // mm per minute
    double rainTotalAt(std::int64_t minutesAgo) const;

    std::uint64_t seed_;
    std::int64_t minute_;
    double altitudeCorrection_;  // hPa between relative and absolute pressure
    std::vector<Wave> pressureWaves_, temperatureWaves_, showerWaves_, windWaves_;
    double rainMm_ = 0;                       // what fell into the gauge
    std::int64_t tenths_ = 0;                 // what the gauge has counted
    std::vector<std::int64_t> recentTenths_;  // the count at each of the last 24 hours' minutes
};

struct GenerationOptions {
    std::uint64_t seed = 1;
    CivilTime start;
    double days = 1;
    int intervalMinutes = 5;
};

// What generateFolder wrote, and the simulator at the reading's minute, ready to go on.
struct GeneratedFolder {
    std::int64_t recordCount = 0;
    CurrentConditions latest;  // the reading in currdat.lst, also the history's last record
    StationSimulator simulator;
};

// Writes history.dat with a record every interval from the start over the given days (the
// last record being the one still in progress, at the time of the reading) and currdat.lst
// with the reading at that time. Creates the folder when missing. Nothing when the options are
// out of range (interval below 1 minute, negative days, times beyond what the record's
// 32-bit seconds hold) or a file cannot be written.
std::optional<GeneratedFolder> generateFolder(const std::string& folder,
                                              const GenerationOptions& options);

// The command line of brezzolo-station-sim.
struct SimOptions {
    std::string folder;
    std::uint64_t seed = 1;
    std::optional<CivilTime> start;  // default: now minus the days
    double days = 1;
    int intervalMinutes = 5;
    bool follow = false;
    // --serial: the console on a pty (the folder then optional).
    bool serial = false;
    std::vector<std::string> faults;  // as given, each understood by parseFault
    std::string control;              // a file of faults to switch to while serving
    double speed = 1;                 // simulated minutes per real minute
    int baud = 2400;                  // the line's pace; 0 answers at once
    bool help = false;
    bool version = false;
};

extern const char* const kSimUsage;

// Nothing when the arguments (without the program name) are not understood or a value is out
// of range; --folder is required unless --serial, --help or --version is given. The serial
// options need --serial.
std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args);

}  // namespace brezzolo::sim
