#include "station/current_data_file.h"

#include <array>
#include <charconv>
#include <chrono>

#include "common/paths.h"
#include "common/text_file.h"
#include "input/current_data_layout.h"
#include "input/current_data_reader.h"

namespace brezzolo {
namespace {

// A number with a fixed count of decimals and "." as the point, whatever the locale.
std::string fixed(double value, int decimals) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string twoDigits(int value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

double fahrenheit(double celsius) {
    return celsius * 9.0 / 5.0 + 32.0;
}
double mph(double kmh) {
    return kmh / 1.609344;
}
double inches(double mm) {
    return mm / 25.4;
}
double inchesOfMercury(double hPa) {
    return hPa / 33.8639;
}

// One value line: a key, the opening quote, the value starting exactly at `column`, the
// closing quote and a comment, as the station's program writes them.
std::string valueLine(std::size_t column, std::string key, const std::string& value,
                      const std::string& comment) {
    key += " =";
    key.resize(column - 2, ' ');
    return key + "\"" + value + "\"  ; " + comment;
}

struct Placed {
    std::size_t line;
    std::string text;
};

// The line of a value the reader takes, and the column its value starts at.
constexpr std::size_t lineOf(double StationReading::*field) {
    return currentDataField(field).line;
}

// A value line placed where the reader takes that field.
Placed value(double StationReading::*field, const char* key, const std::string& text,
             const char* comment) {
    const CurrentDataField& f = currentDataField(field);
    return {f.line, valueLine(f.column, key, text, comment)};
}

// A line of the file the reader does not take, placed beside a value it does: a section name
// just above it, the value in other units just below.
Placed above(double StationReading::*field, std::string text) {
    return {lineOf(field) - 1, std::move(text)};
}
Placed below(double StationReading::*field, const char* key, const std::string& text,
             const char* comment) {
    const CurrentDataField& f = currentDataField(field);
    return {f.line + 1, valueLine(f.column, key, text, comment)};
}

}  // namespace

std::string headerTime(const CivilTime& time) {
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::chrono::year_month_day date{std::chrono::year{time.year},
                                           std::chrono::month{static_cast<unsigned>(time.month)},
                                           std::chrono::day{static_cast<unsigned>(time.day)}};
    const unsigned weekday = std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding();
    std::string year = std::to_string(time.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return std::string(kWeekdays[weekday]) + " " + kMonths[time.month - 1] + " " +
           twoDigits(time.day) + " " + twoDigits(time.hour) + ":" + twoDigits(time.minute) + ":" +
           twoDigits(time.second) + " " + year;
}

std::vector<std::string> currentDataLines(const CurrentDataValues& c, std::string_view writtenBy) {
    using R = StationReading;
    std::vector<std::string> lines(kCurrentDataLineCount, ";");
    const auto t = [](double number) { return fixed(number, 1); };
    const auto whole = [](int number) { return std::to_string(number); };
    std::string header = "last_update =";
    header.resize(kHeaderColumn - 2, ' ');
    header += '"';
    const Placed placed[] = {
        {1, "; current data of the station, rewritten every minute"},
        {2, "; written by " + std::string(writtenBy)},
        {kHeaderLine - 1, "[time]"},
        {kHeaderLine, header + headerTime(c.time) + "\"  ; local time of the reading"},
        above(&R::forecast, "[forecast]"),
        value(&R::forecast, "fc", whole(c.forecast), "0 rain, 1 cloudy, 2 sunny"),
        above(&R::tendency, "[tendency]"),
        value(&R::tendency, "tend", whole(c.tendency), "0 steady, 1 rising, 2 falling"),
        above(&R::indoorTemp, "[indoor_temperature]"),
        value(&R::indoorTemp, "tin", t(c.indoorTemp), "deg C"),
        below(&R::indoorTemp, "tinF", t(fahrenheit(c.indoorTemp)), "deg F"),
        above(&R::outdoorTemp, "[outdoor_temperature]"),
        value(&R::outdoorTemp, "tout", t(c.outdoorTemp), "deg C"),
        value(&R::outdoorTempF, "toutF", t(fahrenheit(c.outdoorTemp)), "deg F"),
        above(&R::indoorHumidity, "[indoor_humidity]"),
        value(&R::indoorHumidity, "hin", whole(c.indoorHumidity), "percent"),
        above(&R::outdoorHumidity, "[outdoor_humidity]"),
        value(&R::outdoorHumidity, "hout", whole(c.outdoorHumidity), "percent"),
        above(&R::dewPoint, "[dewpoint]"),
        value(&R::dewPoint, "dew", t(c.dewPoint), "deg C"),
        below(&R::dewPoint, "dewF", t(fahrenheit(c.dewPoint)), "deg F"),
        above(&R::windChill, "[windchill]"),
        value(&R::windChill, "chill", t(c.windChill), "deg C"),
        below(&R::windChill, "chillF", t(fahrenheit(c.windChill)), "deg F"),
        above(&R::windSpeedKmh, "[wind]"),
        value(&R::windSpeedKmh, "wkmh", t(c.windSpeedKmh), "km/h"),
        value(&R::windSpeedMph, "wmph", t(mph(c.windSpeedKmh)), "mph"),
        value(&R::windDirection, "wdir", t(c.windDirection), "degrees"),
        above(&R::rainTotal, "[rain_total]"),
        value(&R::rainTotal, "rtot", t(c.rainTotal), "mm"),
        {lineOf(&R::rainTotal) + 1, valueLine(9, "rtotin", fixed(inches(c.rainTotal), 2), "inch")},
        above(&R::rain24h, "[rain_24h]"),
        value(&R::rain24h, "r24", t(c.rain24h), "mm"),
        value(&R::rain24hInch, "r24in", fixed(inches(c.rain24h), 2), "inch"),
        above(&R::rain1h, "[rain_1h]"),
        value(&R::rain1h, "r1h", t(c.rain1h), "mm"),
        value(&R::rain1hInch, "r1hin", fixed(inches(c.rain1h), 2), "inch"),
        above(&R::pressureAbs, "[pressure_absolute]"),
        value(&R::pressureAbs, "pabs", t(c.pressureAbs), "hPa"),
        below(&R::pressureAbs, "pabsHg", fixed(inchesOfMercury(c.pressureAbs), 2), "inHg"),
        above(&R::pressureRel, "[pressure_relative]"),
        value(&R::pressureRel, "prel", t(c.pressureRel), "hPa"),
        below(&R::pressureRel, "prelHg", fixed(inchesOfMercury(c.pressureRel), 2), "inHg"),
        above(&R::stormAlarm, "[storm]"),
        value(&R::stormAlarm, "storm", whole(c.stormAlarm), "-1 fault, 0 off, 1 active"),
        {kCurrentDataLineCount, "; end"},
    };
    for (const Placed& p : placed) {
        lines[p.line - 1] = p.text;
    }
    return lines;
}

bool writeCurrentDataFile(const std::string& path, const CurrentDataValues& values,
                          std::string_view writtenBy) {
    return renewTextFile(path, currentDataLines(values, writtenBy));
}

bool writeCurrentData(const std::string& folder, const CurrentDataValues& values,
                      std::string_view writtenBy) {
    const auto path = joinPath(folder, kCurrentDataFileName);
    return path && writeCurrentDataFile(*path, values, writtenBy);
}

}  // namespace brezzolo
