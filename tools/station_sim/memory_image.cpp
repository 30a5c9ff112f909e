#include "station_sim/memory_image.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace brezzolo::sim {
namespace {

double roundedTo(double value, double step) {
    return std::round(value / step) * step + 0.0;  // + 0.0: no negative zero
}

double temperature(double celsius) {
    return std::clamp(roundedTo(celsius, 0.01), -30.0, 69.99);
}

// A value in the given unit as a whole count of it: 21.6 °C + 30 in hundredths is 5160.
std::int64_t units(double value, double unit) {
    return static_cast<std::int64_t>(std::llround(value / unit));
}

// The console's weekday: 1 Monday to 7 Sunday.
int weekdayOf(const CivilTime& time) {
    const std::chrono::year_month_day date{std::chrono::year{time.year},
                                           std::chrono::month{static_cast<unsigned>(time.month)},
                                           std::chrono::day{static_cast<unsigned>(time.day)}};
    return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{date}}.iso_encoding());
}

void putTemperature(StationMemory& memory, int at, double celsius) {
    putBcd(memory, at, 4, units(celsius + 30, 0.01));
}

}  // namespace

int windTenthsOf(double windSpeedKmh) {
    return static_cast<int>(std::clamp(std::lround(windSpeedKmh / 3.6 * 10), 0L, 0xFFFL));
}

int directionIndexOf(double degrees) {
    const long index = std::lround(degrees / 22.5) % 16;
    return static_cast<int>(index < 0 ? index + 16 : index);
}

int rainCountOf(double rainTotalMm) {
    return static_cast<int>(static_cast<std::int64_t>(std::floor(rainTotalMm / kRainTipMm + 1e-9)) &
                            0xFFF);
}

CurrentConditions stationQuantised(const CurrentConditions& c) {
    CurrentConditions q = c;
    q.indoorTemp = temperature(c.indoorTemp);
    q.outdoorTemp = temperature(c.outdoorTemp);
    q.dewPoint = temperature(c.dewPoint);
    q.windChill = temperature(c.windChill);
    q.indoorHumidity = std::clamp(c.indoorHumidity, 0, 99);
    q.outdoorHumidity = std::clamp(c.outdoorHumidity, 0, 99);
    q.windSpeedKmh = windTenthsOf(c.windSpeedKmh) / 10.0 * 3.6;
    q.windDirection = directionIndexOf(c.windDirection) * 22.5;
    q.rainTotal = std::clamp(roundedTo(c.rainTotal, 0.01), 0.0, 9999.99);
    q.rain24h = std::clamp(roundedTo(c.rain24h, 0.01), 0.0, 9999.99);
    q.rain1h = std::clamp(roundedTo(c.rain1h, 0.01), 0.0, 9999.99);
    q.pressureAbs = roundedTo(c.pressureAbs, 0.1);
    q.pressureRel = roundedTo(c.pressureRel, 0.1);
    q.forecast = std::clamp(c.forecast, 0, 2);
    q.tendency = std::clamp(c.tendency, 0, 2);
    q.stormAlarm = 0;
    return q;
}

void putBcd(StationMemory& memory, int at, int count, std::int64_t value) {
    for (int i = 0; i < count; ++i, value /= 10) {
        memory.nibbles[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(value % 10);
    }
}

void putBinary(StationMemory& memory, int at, int count, std::int64_t value) {
    for (int i = 0; i < count; ++i, value >>= 4) {
        memory.nibbles[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(value & 0xF);
    }
}

void writeCurrent(StationMemory& memory, const CurrentConditions& q) {
    const CivilTime& t = q.time;
    putBcd(memory, address::seconds, 2, t.second);
    putBcd(memory, address::seconds + 2, 2, t.minute);
    putBcd(memory, address::seconds + 4, 2, t.hour);
    putBcd(memory, address::date, 1, weekdayOf(t));
    putBcd(memory, address::date + 1, 2, t.day);
    putBcd(memory, address::date + 3, 2, t.month);
    putBcd(memory, address::date + 5, 2, t.year % 100);
    putBcd(memory, address::clock, 2, t.minute);
    putBcd(memory, address::clock + 2, 2, t.hour);
    putBcd(memory, address::clock + 4, 1, weekdayOf(t));
    putBcd(memory, address::clock + 5, 2, t.day);
    putBcd(memory, address::clock + 7, 2, t.month);
    putBcd(memory, address::clock + 9, 2, t.year % 100);

    memory.nibbles[address::alarmEnable] &= 0xB;  // bit 2 off: no storm alarm
    putBinary(memory, address::forecast, 1, q.forecast);
    putBinary(memory, address::tendency, 1, q.tendency);
    putTemperature(memory, address::indoorTemp, q.indoorTemp);
    putTemperature(memory, address::outdoorTemp, q.outdoorTemp);
    putTemperature(memory, address::windChill, q.windChill);
    putTemperature(memory, address::dewPoint, q.dewPoint);
    putBcd(memory, address::indoorHumidity, 2, q.indoorHumidity);
    putBcd(memory, address::outdoorHumidity, 2, q.outdoorHumidity);
    putBcd(memory, address::rain24h, 6, units(q.rain24h, 0.01));
    putBcd(memory, address::rain1h, 6, units(q.rain1h, 0.01));
    putBcd(memory, address::rainTotal, 6, units(q.rainTotal, 0.01));

    auto* previous = &memory.nibbles[address::windDirection];
    std::copy_backward(previous, previous + 5, previous + 6);  // the newest of six drops out
    putBinary(memory, address::windFlags, 2, 0);
    putBinary(memory, address::windSpeed, 3, windTenthsOf(q.windSpeedKmh));
    putBinary(memory, address::windDirection, 1, directionIndexOf(q.windDirection));
    putBinary(memory, address::outdoorLink, 1, 0);

    putBcd(memory, address::pressureAbs, 5, units(q.pressureAbs, 0.1));
    putBcd(memory, address::pressureRel, 5, units(q.pressureRel, 0.1));
    putBcd(memory, address::pressureCorrection, 5,
           units(q.pressureRel, 0.1) - units(q.pressureAbs, 0.1) + 10000);
}

RingRecord ringRecordOf(const CurrentConditions& q) {
    return {roundedTo(q.indoorTemp, 0.1),
            roundedTo(q.outdoorTemp, 0.1),
            q.pressureAbs,
            q.indoorHumidity,
            q.outdoorHumidity,
            rainCountOf(q.rainTotal),
            windTenthsOf(q.windSpeedKmh),
            directionIndexOf(q.windDirection)};
}

std::array<std::uint8_t, kRingRecordNibbles> ringRecordNibbles(const RingRecord& r) {
    StationMemory scratch;
    const std::int64_t temperatures =
        units(r.outdoorTemp + 30, 0.1) * 1000 + units(r.indoorTemp + 30, 0.1);
    putBinary(scratch, 0, 5, temperatures);
    putBinary(scratch, 5, 5, r.indoorHumidity * 10000 + units(r.pressureAbs, 0.1) % 10000);
    putBcd(scratch, 10, 2, r.outdoorHumidity);
    putBinary(scratch, 12, 3, r.rainCount);
    putBinary(scratch, 15, 3, r.windTenths);
    putBinary(scratch, 18, 1, r.directionIndex);
    std::array<std::uint8_t, kRingRecordNibbles> nibbles{};
    std::copy_n(scratch.nibbles.begin(), nibbles.size(), nibbles.begin());
    return nibbles;
}

void writeRingRecord(StationMemory& memory, int index, const RingRecord& record) {
    const auto nibbles = ringRecordNibbles(record);
    std::copy(nibbles.begin(), nibbles.end(),
              memory.nibbles.begin() + address::historyRing + kRingRecordNibbles * index);
}

void writeRingHeader(StationMemory& memory, const RingHeader& h) {
    const int at = address::historyHeader;
    putBinary(memory, at, 3, h.intervalMinutes - 1);
    putBinary(memory, at + 3, 3, std::max(h.minutesToNext - 1, 0));
    putBcd(memory, at + 6, 2, h.newestTime.minute);
    putBcd(memory, at + 8, 2, h.newestTime.hour);
    putBcd(memory, at + 10, 2, h.newestTime.day);
    putBcd(memory, at + 12, 2, h.newestTime.month);
    putBcd(memory, at + 14, 2, h.newestTime.year % 100);
    putBinary(memory, at + 16, 2, h.newestIndex);
    putBinary(memory, at + 18, 2, h.count);
}

void writeLostSensor(StationMemory& memory) {
    putBinary(memory, address::outdoorLink, 1, 3);
    for (const int at : {address::outdoorTemp, address::dewPoint, address::windChill}) {
        putTemperature(memory, at, 69.9);
    }
    putBinary(memory, address::outdoorHumidity, 2, 0xAA);
    writeRawWindSpeed(memory, 0x1FF);
}

void writeRawWindSpeed(StationMemory& memory, int raw) {
    putBinary(memory, address::windSpeed, 3, raw);
}

}  // namespace brezzolo::sim
