#include "input/current_data_reader.h"

#include <cmath>
#include <string_view>

#include "common/numeric_value.h"
#include "common/text_encoding.h"
#include "common/text_file.h"
#include "input/current_data_layout.h"

namespace brezzolo {
namespace {

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

// A header piece as cut, with every control character (a damaged file: a line break, a tab, a
// NUL) read as "?". The pieces go into the lines of my_meteo.txt and of the record files, which
// a line break inside them would break, and a piece with a "?" makes no date.
std::string headerPiece(const std::vector<std::string>& lines, HeaderPiece where) {
    std::string piece = cut(lines, kHeaderLine, where.column, where.length);
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
    auto header = [&](HeaderPiece where) { return headerPiece(lines, where); };
    const std::string weekday = header(headerPieces::weekday);
    r.monthAbbrev = header(headerPieces::month);
    r.day = header(headerPieces::day);
    r.hour = header(headerPieces::hour);
    r.minute = header(headerPieces::minute);
    r.second = header(headerPieces::second);
    r.year = header(headerPieces::year);
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

    for (const CurrentDataField& f : kCurrentDataFields) {
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
