#include "station/ws23xx_memory.h"

#include <algorithm>
#include <cmath>

namespace brezzolo::ws23xx {
namespace {

NibbleSpan part(NibbleSpan nibbles, std::size_t offset, std::size_t count) {
    return nibbles.subspan(offset, count);
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidTime(const CivilTime& time) {
    return time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= daysInMonth(time.year, time.month) && time.hour < 24 && time.minute < 60 &&
           time.second < 60;
}

// Minute, hour, then (after `skip` nibbles) day, month, year, all BCD pairs.
std::optional<CivilTime> decodeDateTime(NibbleSpan nibbles, std::size_t skip) {
    const auto minute = bcdValue(part(nibbles, 0, 2));
    const auto hour = bcdValue(part(nibbles, 2, 2));
    const auto day = bcdValue(part(nibbles, 4 + skip, 2));
    const auto month = bcdValue(part(nibbles, 6 + skip, 2));
    const auto year = bcdValue(part(nibbles, 8 + skip, 2));
    if (!minute || !hour || !day || !month || !year) {
        return std::nullopt;
    }
    const CivilTime time{2000 + static_cast<int>(*year), static_cast<int>(*month),
                         static_cast<int>(*day),         static_cast<int>(*hour),
                         static_cast<int>(*minute),      0};
    if (!isValidTime(time)) {
        return std::nullopt;
    }
    return time;
}

// A history record's temperature, tenths of a degree above -30 °C.
std::optional<double> recordTemperature(long tenths) {
    if (tenths == 0 || tenths * 10 >= kLostTemperatureRaw) {
        return std::nullopt;
    }
    return static_cast<double>(tenths) / 10 - 30;
}

}  // namespace

std::optional<long> bcdValue(NibbleSpan nibbles) {
    long value = 0;
    for (std::size_t i = nibbles.size(); i-- > 0;) {
        if (nibbles[i] > 9) {
            return std::nullopt;
        }
        value = value * 10 + nibbles[i];
    }
    return value;
}

long binaryValue(NibbleSpan nibbles) {
    long value = 0;
    for (std::size_t i = nibbles.size(); i-- > 0;) {
        value = value * 16 + (nibbles[i] & 0x0F);
    }
    return value;
}

std::optional<double> decodeTemperature(NibbleSpan four) {
    const auto raw = bcdValue(four);
    if (!raw || *raw == 0 || *raw >= kLostTemperatureRaw) {
        return std::nullopt;
    }
    return static_cast<double>(*raw) / 100 - 30;
}

std::optional<int> decodeHumidity(NibbleSpan two) {
    const auto raw = bcdValue(two);
    if (!raw) {
        return std::nullopt;
    }
    return static_cast<int>(*raw);
}

std::optional<double> decodeRain(NibbleSpan six) {
    const auto raw = bcdValue(six);
    if (!raw) {
        return std::nullopt;
    }
    return static_cast<double>(*raw) / 100;
}

std::optional<double> decodePressure(NibbleSpan five) {
    const auto raw = bcdValue(five);
    if (!raw) {
        return std::nullopt;
    }
    return static_cast<double>(*raw) / 10;
}

Wind decodeWind(NibbleSpan six) {
    const bool flagsClear = six[0] == 0 && six[1] == 0;
    const long raw = binaryValue(part(six, 2, 3));
    if (!flagsClear || raw == 0x0FF || raw == 0x1FF || raw >= kLostWindRaw) {
        return {};
    }
    return {static_cast<double>(raw) / 10, six[5] * 22.5};
}

OutdoorLink decodeOutdoorLink(std::uint8_t nibble) {
    switch (nibble) {
        case 0x0:
            return OutdoorLink::Cable;
        case 0xF:
            return OutdoorLink::Wireless;
        case 0x3:
        case 0xB:
            return OutdoorLink::Lost;
        default:
            return OutdoorLink::Unknown;
    }
}

std::optional<CivilTime> decodeClock(NibbleSpan clock, NibbleSpan seconds) {
    auto time = decodeDateTime(clock, 1);  // the weekday sits between hour and day
    if (!time) {
        return std::nullopt;
    }
    const auto second = bcdValue(part(seconds, 0, 2));
    const auto minute = bcdValue(part(seconds, 2, 2));
    if (second && minute && *minute == time->minute && *second < 60) {
        time->second = static_cast<int>(*second);
    }
    return time;
}

std::optional<CivilTime> decodeTimestamp(NibbleSpan ten) {
    return decodeDateTime(ten, 0);
}

void NibbleImage::put(int address, NibbleSpan nibbles) {
    for (std::size_t i = 0; i < nibbles.size(); ++i) {
        nibbles_[(static_cast<std::size_t>(address) + i) % nibbles_.size()] = nibbles[i] & 0x0F;
    }
}

NibbleSpan NibbleImage::at(int address, int count) const {
    const auto start = std::min(static_cast<std::size_t>(address), nibbles_.size());
    const auto length = std::min(static_cast<std::size_t>(count), nibbles_.size() - start);
    return NibbleSpan(nibbles_).subspan(start, length);
}

StationRead<StationValues> decodeStationValues(const NibbleImage& image) {
    const auto invalid = [](const char* why) {
        return StationRead<StationValues>{std::nullopt, ReadFailure::InvalidData, why};
    };
    StationValues values;
    values.clock = decodeClock(image.at(kClock, kClockNibbles), image.at(kSeconds, 6));
    const std::uint8_t forecast = image.at(kForecast, 1)[0];
    values.forecast = forecast <= 2 ? forecast : -1;
    const std::uint8_t tendency = image.at(kTendency, 1)[0];
    values.tendency = tendency <= 2 ? tendency : 0;
    values.stormWarningEnabled = (image.at(kStormFlags, 1)[0] & 0x4) != 0;
    values.outdoorLink = decodeOutdoorLink(image.at(kOutdoorLinkState, 1)[0]);
    values.indoorTemp = decodeTemperature(image.at(kIndoorTemp, 4));
    values.outdoorTemp = decodeTemperature(image.at(kOutdoorTemp, 4));
    values.dewPoint = decodeTemperature(image.at(kDewPoint, 4));
    values.windChill = decodeTemperature(image.at(kWindChill, 4));
    values.indoorHumidity = decodeHumidity(image.at(kIndoorHumidity, 2));
    values.outdoorHumidity = decodeHumidity(image.at(kOutdoorHumidity, 2));
    const Wind wind = decodeWind(image.at(kWind, kWindNibbles));
    values.windSpeed = wind.speed;
    values.windDirection = wind.direction;

    // The relative pressure is checked against the plausible range; the absolute one must add
    // up with the correction (read in the same command) to the relative one.
    const auto rel = decodePressure(image.at(kPressureRel, 5));
    if (rel && *rel >= kLowestPressure && *rel <= kHighestPressure) {
        values.pressureRel = rel;
    }
    const auto abs = decodePressure(image.at(kPressureAbs, 5));
    const auto correction = decodePressure(image.at(kPressureCorrection, 5));
    if (correction) {
        values.pressureCorrection = *correction - 1000;
    }
    if (abs && values.pressureRel && values.pressureCorrection &&
        std::abs(*abs + *values.pressureCorrection - *values.pressureRel) < 0.05) {
        values.pressureAbs = abs;
    }

    if (values.outdoorLink == OutdoorLink::Lost) {
        return invalid("sensore esterno perso");
    }
    if (!values.outdoorTemp) {
        return invalid("temperatura esterna non valida");
    }
    if (!values.outdoorHumidity) {
        return invalid("umidità esterna non valida");
    }
    if (!values.dewPoint) {
        return invalid("punto di rugiada non valido");
    }
    if (!values.windChill) {
        return invalid("wind chill non valido");
    }
    if (!values.windSpeed) {
        return invalid("vento non valido");
    }
    const auto rain1h = decodeRain(image.at(kRain1h, 6));
    const auto rain24h = decodeRain(image.at(kRain24h, 6));
    const auto rainTotal = decodeRain(image.at(kRainTotal, 6));
    if (!rain1h || !rain24h || !rainTotal) {
        return invalid("pioggia non valida");
    }
    values.rain1h = *rain1h;
    values.rain24h = *rain24h;
    values.rainTotal = *rainTotal;
    return {values, ReadFailure::None, {}};
}

std::optional<StationHistoryHeader> decodeHistoryHeader(NibbleSpan twenty) {
    StationHistoryHeader header;
    header.intervalMinutes = static_cast<int>(binaryValue(part(twenty, 0, 3))) + 1;
    // The countdown as stored, without adding 1: of the two readings the one that expects the
    // next record sooner.
    header.minutesToNext = static_cast<int>(binaryValue(part(twenty, 3, 3)));
    header.newestTime = decodeTimestamp(part(twenty, 6, 10));
    header.newestIndex = static_cast<int>(binaryValue(part(twenty, 16, 2)));
    header.count = static_cast<int>(binaryValue(part(twenty, 18, 2)));
    if (header.newestIndex >= kStationHistoryCapacity || header.count > kStationHistoryCapacity ||
        header.minutesToNext > header.intervalMinutes) {
        return std::nullopt;
    }
    return header;
}

StationHistoryRecord decodeHistoryRecord(NibbleSpan nineteen) {
    StationHistoryRecord record;
    const long temperatures = binaryValue(part(nineteen, 0, 5));
    record.indoorTemp = recordTemperature(temperatures % 1000);
    record.outdoorTemp = recordTemperature(temperatures / 1000);
    const long pressure = binaryValue(part(nineteen, 5, 5));
    double hPa = static_cast<double>(pressure % 10000) / 10;
    if (hPa < 500) {
        hPa += 1000;
    }
    record.pressureAbs = hPa;
    record.indoorHumidity = static_cast<int>(pressure / 10000);
    record.outdoorHumidity = nineteen[10] + 10 * nineteen[11];
    record.rainCount = static_cast<int>(binaryValue(part(nineteen, 12, 3)));
    record.windSpeed = static_cast<double>(binaryValue(part(nineteen, 15, 3))) / 10;
    record.windDirection = nineteen[18];
    return record;
}

}  // namespace brezzolo::ws23xx
