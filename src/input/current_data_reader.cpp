#include "input/current_data_reader.h"

#include <cmath>
#include <string_view>

#include "common/numeric_value.h"
#include "common/text_encoding.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

constexpr std::size_t kToEnd = std::string::npos;

// The characters from a 1-based column: `length` of them, or all up to the end of the line.
// A start beyond the end gives an empty field; a field running past the end gives what there is.
std::string cut(const std::vector<std::string>& lines, std::size_t line, std::size_t column,
                std::size_t length) {
    if (line == 0 || line > lines.size()) {
        return {};
    }
    const std::string& text = lines[line - 1];
    if (column == 0 || column > text.size()) {
        return {};
    }
    return text.substr(column - 1, length);
}

struct WeekdayName {
    std::string_view english, italian;
};
constexpr WeekdayName kWeekdays[] = {
    {"Sun", "domenica"}, {"Mon", "lunedì"},  {"Tue", "martedì"}, {"Wed", "mercoledì"},
    {"Thu", "giovedì"},  {"Fri", "venerdì"}, {"Sat", "sabato"},
};

struct MonthName {
    std::string_view english, italian, number;
};
constexpr MonthName kMonths[] = {
    {"Jan", "gennaio", "01"}, {"Feb", "febbraio", "02"}, {"Mar", "marzo", "03"},
    {"Apr", "aprile", "04"},  {"May", "maggio", "05"},   {"Jun", "giugno", "06"},
    {"Jul", "luglio", "07"},  {"Aug", "agosto", "08"},   {"Sep", "settembre", "09"},
    {"Oct", "ottobre", "10"}, {"Nov", "novembre", "11"}, {"Dec", "dicembre", "12"},
};

// A number field of the value table.
struct ValueField {
    std::size_t line, column, length;
    double StationReading::*field;
};

constexpr ValueField kValueFields[] = {
    {17, 10, kToEnd, &StationReading::forecast},
    {22, 10, kToEnd, &StationReading::tendency},
    {25, 10, 4, &StationReading::indoorTemp},
    {29, 10, 4, &StationReading::outdoorTemp},
    {30, 10, 3, &StationReading::outdoorTempF},  // 70.5 is cut to "70." and gives 70
    // Humidity is read with three characters, so that 100 % is not cut to "10".
    {33, 12, 3, &StationReading::indoorHumidity},
    {36, 12, 3, &StationReading::outdoorHumidity},
    {39, 10, 4, &StationReading::dewPoint},
    {43, 10, 4, &StationReading::windChill},
    {48, 8, 5, &StationReading::windSpeedKmh},
    {49, 8, 5, &StationReading::windSpeedMph},
    {54, 8, 5, &StationReading::windDirection},
    {58, 7, 6, &StationReading::rainTotal},
    {62, 7, 5, &StationReading::rain24h},
    {63, 9, kToEnd, &StationReading::rain24hInch},
    {66, 7, 5, &StationReading::rain1h},
    {67, 9, kToEnd, &StationReading::rain1hInch},
    {70, 8, 6, &StationReading::pressureAbs},
    {74, 8, kToEnd, &StationReading::pressureRel},
    {79, 10, kToEnd, &StationReading::stormAlarm},
};

// A header piece as cut, with every control character (a damaged file: a line break, a tab, a
// NUL) read as "?". The pieces go into the lines of my_meteo.txt and of the record files, which
// a line break inside them would break, and a piece with a "?" makes no date.
std::string headerPiece(const std::vector<std::string>& lines, std::size_t column,
                        std::size_t length) {
    std::string piece = cut(lines, 11, column, length);
    for (char& c : piece) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return fromSystemCodePage(piece);
}

}  // namespace

StationReading parseCurrentData(const std::vector<std::string>& lines) {
    StationReading r;
    auto header = [&](std::size_t column, std::size_t length) {
        return headerPiece(lines, column, length);
    };
    const std::string weekday = header(35, 3);
    r.monthAbbrev = header(39, 3);
    r.day = header(43, 2);
    r.hour = header(46, 2);
    r.minute = header(49, 2);
    r.second = header(52, 2);
    r.year = header(55, 4);
    for (const WeekdayName& w : kWeekdays) {
        if (weekday == w.english) {
            r.weekdayName = w.italian;
        }
    }
    for (const MonthName& m : kMonths) {
        if (r.monthAbbrev == m.english) {
            r.monthName = m.italian;
            r.monthNumber = m.number;
        }
    }

    for (const ValueField& f : kValueFields) {
        r.*f.field = numericValue(cut(lines, f.line, f.column, f.length));
    }
    r.windDirection = std::floor(r.windDirection);
    return r;
}

double rainSinceMidnightMm(const StationReading& reading, const std::string& raintoday) {
    double r = reading.rainTotal - numericValue(raintoday);
    if (r < 0) {
        r = 0;
    }
    if (r > reading.rain24h) {
        r = reading.rain24h;
    }
    return r;
}

double roundRainSinceMidnight(double millimetres) {
    // The difference of two station totals carries binary noise (12.35 - 10 is
    // 2.34999999999999964), which would decide a half the wrong way; it is removed first.
    // nearbyint then rounds in the default mode: to nearest, halves to even.
    const double tenths = std::round(millimetres * 10 * 1e6) / 1e6;
    return std::nearbyint(tenths) / 10;
}

StationReading readStationReading(const std::string& copyPath, const std::string& raintoday) {
    const auto lines = readRawLines(copyPath);
    StationReading reading = lines ? parseCurrentData(*lines) : StationReading{};
    reading.rainSinceMidnight = roundRainSinceMidnight(rainSinceMidnightMm(reading, raintoday));
    return reading;
}

}  // namespace brezzolo
