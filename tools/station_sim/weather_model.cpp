#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "station_sim/station_sim.h"

namespace brezzolo::sim {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDay = 1440;                         // minutes
constexpr std::int64_t kRecentMinutes = 24 * 60 + 1;  // the count now and 24 hours back

// 0 <= u < 1 from 53 random bits: the same on every platform, unlike the distributions.
double unit(std::mt19937_64& random) {
    return static_cast<double>(random() >> 11) * 0x1.0p-53;
}

// A value in [-1, 1) that depends only on the seed and the minute: gusts and small jitters.
double jitter(std::uint64_t seed, std::int64_t minute) {
    std::uint64_t z = seed ^ (static_cast<std::uint64_t>(minute) * 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-52 - 1.0;
}

// Rounded to tenths; adding 0 turns a negative zero into a plain one.
double oneDecimal(double value) {
    return std::round(value * 10) / 10 + 0.0;
}

// Hours into the day, 0 to 24, of a minute on the simulator's clock.
double hourOfDay(std::int64_t minute) {
    const double inDay = std::fmod(static_cast<double>(minute), kDay);
    return (inDay < 0 ? inDay + kDay : inDay) / 60;
}

// Dew point by the Magnus formula, °C.
double dewPoint(double celsius, double humidity) {
    const double gamma = std::log(humidity / 100) + 17.62 * celsius / (243.12 + celsius);
    return 243.12 * gamma / (17.62 - gamma);
}

// Wind chill as weather services give it (°C, km/h); the temperature itself when it is mild or
// the air is calm.
double windChill(double celsius, double kmh) {
    if (celsius > 10 || kmh <= 4.8) {
        return celsius;
    }
    const double v = std::pow(kmh, 0.16);
    return 13.12 + 0.6215 * celsius - 11.37 * v + 0.3965 * celsius * v;
}

}  // namespace

double StationSimulator::Wave::at(double minute) const {
    return amplitude * std::sin(kTwoPi * minute / periodMinutes + phase);
}

StationSimulator::StationSimulator(std::uint64_t seed, std::int64_t startMinute)
    : seed_(seed), minute_(startMinute) {
    std::mt19937_64 random(seed);
    const auto wave = [&](double amplitude, double periodMinutes) {
        return Wave{amplitude, periodMinutes, kTwoPi * unit(random)};
    };
    pressureWaves_ = {wave(9, 4.3 * kDay), wave(5, 9.7 * kDay), wave(2.5, 1.7 * kDay),
                      wave(0.6, 0.5 * kDay)};
    temperatureWaves_ = {wave(2.5, 3.3 * kDay), wave(1.5, 7.9 * kDay), wave(0.8, 1.1 * kDay)};
    showerWaves_ = {wave(0.55, 97), wave(0.45, 331), wave(0.6, 2.9 * kDay)};
    windWaves_ = {wave(6, 1.9 * kDay), wave(4, 5.3 * 60), wave(80, 3.1 * kDay), wave(30, 7 * 60)};
    altitudeCorrection_ = oneDecimal(15 + 30 * unit(random));
    tenths_ = 1000 + static_cast<std::int64_t>(4000 * unit(random));
    rainMm_ = static_cast<double>(tenths_) / 10;
    recentTenths_.assign(static_cast<std::size_t>(kRecentMinutes), tenths_);
}

double StationSimulator::pressureRelAt(std::int64_t minute) const {
    double p = 1013;
    for (const Wave& w : pressureWaves_) {
        p += w.at(static_cast<double>(minute));
    }
    return oneDecimal(p);
}

double StationSimulator::showerRate(std::int64_t minute) const {
    double field = (1010 - pressureRelAt(minute)) / 12;
    for (const Wave& w : showerWaves_) {
        field += w.at(static_cast<double>(minute));
    }
    return field > 1.3 ? (field - 1.3) * 0.12 : 0.0;
}

double StationSimulator::outdoorTempAt(std::int64_t minute) const {
    const double dayOfYear = std::fmod(static_cast<double>(minute) / kDay, 365.2425);
    double t = 11 - 9 * std::cos(kTwoPi * (dayOfYear - 20) / 365.2425);
    t += 4.5 * std::cos(kTwoPi * (hourOfDay(minute) - 15) / 24);
    for (const Wave& w : temperatureWaves_) {
        t += w.at(static_cast<double>(minute));
    }
    if (showerRate(minute) > 0) {
        t -= 1.5;
    }
    return oneDecimal(t);
}

double StationSimulator::rainTotalAt(std::int64_t minutesAgo) const {
    std::int64_t slot = (minute_ - minutesAgo) % kRecentMinutes;
    if (slot < 0) {
        slot += kRecentMinutes;
    }
    return static_cast<double>(recentTenths_[static_cast<std::size_t>(slot)]) / 10;
}

void StationSimulator::advance() {
    ++minute_;
    rainMm_ += showerRate(minute_);
    // The gauge counts whole tenths; a little slack keeps 12.3 from counting as 12.2999.
    tenths_ = std::max(tenths_, static_cast<std::int64_t>(std::floor(rainMm_ * 10 + 1e-6)));
    std::int64_t slot = minute_ % kRecentMinutes;
    if (slot < 0) {
        slot += kRecentMinutes;
    }
    recentTenths_[static_cast<std::size_t>(slot)] = tenths_;
}

CurrentConditions StationSimulator::conditions() const {
    const double hour = hourOfDay(minute_);
    const double now = static_cast<double>(minute_);
    const bool raining = showerRate(minute_) > 0;
    CurrentConditions c;
    c.time = civilTimeAt(minute_);
    c.outdoorTemp = outdoorTempAt(minute_);
    c.pressureRel = pressureRelAt(minute_);
    c.pressureAbs = oneDecimal(c.pressureRel - altitudeCorrection_);

    const double humidity = 68 + 20 * std::cos(kTwoPi * (hour - 5) / 24) +
                            6 * std::sin(kTwoPi * now / (2.3 * kDay)) + (raining ? 25 : 0);
    c.outdoorHumidity = static_cast<int>(std::clamp(std::round(humidity), 15.0, 100.0));
    c.dewPoint = oneDecimal(dewPoint(c.outdoorTemp, c.outdoorHumidity));
    c.indoorTemp = oneDecimal(21 + std::cos(kTwoPi * (hour - 18) / 24));
    c.indoorHumidity = static_cast<int>(std::round(45 + 0.25 * (c.outdoorHumidity - 60)));

    const double speed = 7 + windWaves_[0].at(now) + windWaves_[1].at(now) +
                         3 * jitter(seed_, minute_) + (raining ? 6 : 0);
    c.windSpeedKmh = oneDecimal(std::max(0.0, speed));
    double direction = std::fmod(
        225 + windWaves_[2].at(now) + windWaves_[3].at(now) + 15 * jitter(seed_ + 1, minute_) + 360,
        360.0);
    direction = oneDecimal(direction);
    c.windDirection = direction >= 360 ? 0 : direction;
    c.windChill = oneDecimal(windChill(c.outdoorTemp, c.windSpeedKmh));

    c.rainTotal = static_cast<double>(tenths_) / 10;
    c.rain1h = oneDecimal(c.rainTotal - rainTotalAt(60));
    c.rain24h = oneDecimal(c.rainTotal - rainTotalAt(24 * 60));

    const double change3h = c.pressureRel - pressureRelAt(minute_ - 180);
    c.tendency = change3h > 1 ? 1 : (change3h < -1 ? 2 : 0);
    c.stormAlarm = change3h < -4 ? 1 : 0;
    c.forecast = raining || c.pressureRel < 1003 ? 0 : (c.pressureRel < 1018 ? 1 : 2);
    return c;
}

HistoryRecord StationSimulator::historyRecord() const {
    HistoryRecord record;
    record.time = static_cast<std::int32_t>(minute_ * 60);
    const double pressureRel = pressureRelAt(minute_);
    record.pressureAbs = static_cast<float>(oneDecimal(pressureRel - altitudeCorrection_));
    record.rainTotal = static_cast<float>(static_cast<double>(tenths_) / 10);
    record.outdoorTemp = static_cast<float>(outdoorTempAt(minute_));
    return record;
}

}  // namespace brezzolo::sim
