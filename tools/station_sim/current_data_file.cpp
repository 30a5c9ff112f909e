#include <array>
#include <charconv>
#include <cmath>

#include "common/paths.h"
#include "common/text_file.h"
#include "input/current_data_reader.h"
#include "station_sim/station_sim.h"

namespace brezzolo::sim {
namespace {

// A number with a fixed count of decimals and "." as the point, whatever the locale.
std::string fixed(double value, int decimals) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
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
std::string valueLine(int column, std::string key, const std::string& value,
                      const std::string& comment) {
    key += " =";
    key.resize(static_cast<std::size_t>(column - 2), ' ');
    return key + "\"" + value + "\"  ; " + comment;
}

struct Placed {
    int line;
    std::string text;
};

}  // namespace

std::vector<std::string> currentDataLines(const CurrentConditions& c) {
    std::vector<std::string> lines(kCurrentDataLineCount);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = ";";
    }
    const auto t = [](double value) { return fixed(value, 1); };
    const auto whole = [](int value) { return std::to_string(value); };
    std::string header = "last_update =";
    header.resize(33, ' ');
    header += '"';  // the header time starts at column 35
    const Placed placed[] = {
        {1, "; current data of the station, rewritten every minute"},
        {2, "; written by brezzolo-station-sim"},
        {10, "[time]"},
        {11, header + headerTime(c.time) + "\"  ; local time of the reading"},
        {16, "[forecast]"},
        {17, valueLine(10, "fc", whole(c.forecast), "0 rain, 1 cloudy, 2 sunny")},
        {21, "[tendency]"},
        {22, valueLine(10, "tend", whole(c.tendency), "0 steady, 1 rising, 2 falling")},
        {24, "[indoor_temperature]"},
        {25, valueLine(10, "tin", t(c.indoorTemp), "deg C")},
        {26, valueLine(10, "tinF", t(fahrenheit(c.indoorTemp)), "deg F")},
        {28, "[outdoor_temperature]"},
        {29, valueLine(10, "tout", t(c.outdoorTemp), "deg C")},
        {30, valueLine(10, "toutF", t(fahrenheit(c.outdoorTemp)), "deg F")},
        {32, "[indoor_humidity]"},
        {33, valueLine(12, "hin", whole(c.indoorHumidity), "percent")},
        {35, "[outdoor_humidity]"},
        {36, valueLine(12, "hout", whole(c.outdoorHumidity), "percent")},
        {38, "[dewpoint]"},
        {39, valueLine(10, "dew", t(c.dewPoint), "deg C")},
        {40, valueLine(10, "dewF", t(fahrenheit(c.dewPoint)), "deg F")},
        {42, "[windchill]"},
        {43, valueLine(10, "chill", t(c.windChill), "deg C")},
        {44, valueLine(10, "chillF", t(fahrenheit(c.windChill)), "deg F")},
        {47, "[wind]"},
        {48, valueLine(8, "wkmh", t(c.windSpeedKmh), "km/h")},
        {49, valueLine(8, "wmph", t(mph(c.windSpeedKmh)), "mph")},
        {54, valueLine(8, "wdir", t(c.windDirection), "degrees")},
        {57, "[rain_total]"},
        {58, valueLine(7, "rtot", t(c.rainTotal), "mm")},
        {59, valueLine(9, "rtotin", fixed(inches(c.rainTotal), 2), "inch")},
        {61, "[rain_24h]"},
        {62, valueLine(7, "r24", t(c.rain24h), "mm")},
        {63, valueLine(9, "r24in", fixed(inches(c.rain24h), 2), "inch")},
        {65, "[rain_1h]"},
        {66, valueLine(7, "r1h", t(c.rain1h), "mm")},
        {67, valueLine(9, "r1hin", fixed(inches(c.rain1h), 2), "inch")},
        {69, "[pressure_absolute]"},
        {70, valueLine(8, "pabs", t(c.pressureAbs), "hPa")},
        {71, valueLine(8, "pabsHg", fixed(inchesOfMercury(c.pressureAbs), 2), "inHg")},
        {73, "[pressure_relative]"},
        {74, valueLine(8, "prel", t(c.pressureRel), "hPa")},
        {75, valueLine(8, "prelHg", fixed(inchesOfMercury(c.pressureRel), 2), "inHg")},
        {78, "[storm]"},
        {79, valueLine(10, "storm", whole(c.stormAlarm), "-1 fault, 0 off, 1 active")},
        {kCurrentDataLineCount, "; end"},
    };
    for (const Placed& p : placed) {
        lines[static_cast<std::size_t>(p.line - 1)] = p.text;
    }
    return lines;
}

bool writeCurrentData(const std::string& folder, const CurrentConditions& conditions) {
    const auto path = joinPath(folder, kCurrentDataFileName);
    return path && rewriteTextFile(*path, currentDataLines(conditions));
}

}  // namespace brezzolo::sim
