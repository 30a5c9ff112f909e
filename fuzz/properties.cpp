#include "properties.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <limits>
#include <set>
#include <sstream>
#include <system_error>
#include <vector>

#include "app/cycle.h"
#include "app/main_window_presenter.h"
#include "app/model_dump.h"
#include "aprs_is/session.h"
#include "aprs_is/settings.h"
#include "aprs_is/status_line.h"
#include "assessment/aprs_report.h"
#include "assessment/aprs_weather_data.h"
#include "common/appoggio.h"
#include "common/folder_source.h"
#include "common/main_window_model.h"
#include "common/num_text.h"
#include "common/numeric_value.h"
#include "common/paths.h"
#include "common/text_encoding.h"
#include "common/text_file.h"
#include "config/config_file.h"
#include "input/current_data_reader.h"
#include "input/history_check.h"
#include "input/history_file.h"
#include "records/daily_extremes.h"
#include "records/twelve_hour_chart.h"
#include "station_sim/station_sim.h"
#include "support/temp_folder.h"
#include "version.h"

namespace brezzolo::fuzz {
namespace {

namespace fs = std::filesystem;
using test::crlf;

// What broke, each property once; empty while everything holds.
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

// One scratch folder for the whole process, removed at exit. A check works inside it with the
// current folder set to an emptied "work" folder and names every file relative to it, so that
// where the scratch folder lies (its name differs from process to process) never reaches the
// code under test: the same input takes the same branches in every run.
// The current folder, for one check, is an empty "work" folder inside the scratch folder; the
// previous current folder comes back when the check ends.
class ScratchWork {
  public:
    ScratchWork() : previous_(fs::current_path()) {
        static const test::TempFolder folder;
        fs::current_path(toFsPath(folder.path()));
        std::error_code ignored;
        fs::remove_all("work", ignored);
        fs::create_directory("work");
        fs::current_path("work");
    }
    ~ScratchWork() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
    }
    ScratchWork(const ScratchWork&) = delete;
    ScratchWork& operator=(const ScratchWork&) = delete;

  private:
    fs::path previous_;
};

std::string file(const std::string& folder, const std::string& name) {
    return *joinPath(folder, name);
}

// A folder made in the current folder; its name is its path.
std::string folderNamed(const std::string& name) {
    fs::create_directory(toFsPath(name));
    return name;
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}
bool hasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), isControl);
}
bool isPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte <= 0x7E;
    });
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A text as this program stores a number: numText's form (or numTextSingle's, for a value
// read in single precision), reading back as itself.
bool isNumberText(const std::string& text) {
    const double value = numericValue(text);
    if (numText(value) == text) {
        return true;
    }
    const bool fitsSingle = std::fabs(value) <= std::numeric_limits<float>::max();
    return fitsSingle && numTextSingle(static_cast<float>(value)) == text;
}

// The lines of a text file as this program writes them: each ended by CR LF, no CR or LF
// inside a line. Nothing when the bytes are not such lines.
std::optional<std::vector<std::string>> crlfLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find("\r\n");
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view line = bytes.substr(0, end);
        if (line.find_first_of("\r\n") != std::string_view::npos) {
            return std::nullopt;
        }
        lines.emplace_back(line);
        bytes.remove_prefix(end + 2);
    }
    return lines;
}

bool allFinite(const StationReading& r) {
    const double values[] = {
        r.forecast,         r.tendency,        r.indoorTemp,  r.outdoorTemp, r.outdoorTempF,
        r.indoorHumidity,   r.outdoorHumidity, r.dewPoint,    r.windChill,   r.windSpeedKmh,
        r.windSpeedMph,     r.windDirection,   r.rainTotal,   r.rain24h,     r.rain24hInch,
        r.rain1h,           r.rain1hInch,      r.pressureAbs, r.pressureRel, r.stormAlarm,
        r.rainSinceMidnight};
    return std::all_of(std::begin(values), std::end(values),
                       [](double v) { return std::isfinite(v); });
}

// The reading of the fixed currdat.lst beside the fuzzed history files: 5 June 2006, 14:05.
std::vector<std::string> fixedCurrentData() {
    sim::CurrentConditions conditions;
    conditions.time = {2006, 6, 5, 14, 5, 9};
    conditions.outdoorTemp = 21.5;
    conditions.rainTotal = 123.4;
    conditions.pressureAbs = 970.0;
    conditions.pressureRel = 1013.2;
    return sim::currentDataLines(conditions);
}

// The my_meteo.txt properties: two CR LF lines without control characters inside them, the
// second made of the weather data, the comment, the station type and the version tail. The
// window shows the same two lines.
void checkReport(Verdict& v, const std::string& bytes, const MainWindowModel& window) {
    const auto lines = crlfLines(bytes);
    v.require(lines && lines->size() == 2, "my_meteo.txt is two CR LF lines");
    if (!lines || lines->size() != 2) {
        return;
    }
    const std::string& time = (*lines)[0];
    const std::string& data = (*lines)[1];
    v.require(!hasControl(time) && !hasControl(data),
              "no control character inside a line of my_meteo.txt");
    const std::string tail = std::string("/") + kStationType + "/" + version::reportTail;
    constexpr std::size_t kWeatherDataLength = 37;
    v.require(data.size() >= kWeatherDataLength + tail.size() &&
                  isAprsWeatherData(std::string_view(data).substr(0, kWeatherDataLength)) &&
                  data.ends_with(tail),
              "line 2 of my_meteo.txt keeps every fixed-width field at its width");
    // The file holds the system's code page, the window the program's UTF-8.
    v.require(window.Text1 == fromSystemCodePage(time + "\r\n" + data),
              "Text1 shows the report as written");
}

// Every file a cycle leaves in the output folder: CR LF lines; a daily-extremes file holds
// four number texts.
void checkOutputFiles(Verdict& v, const std::string& out) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(toFsPath(out), error)) {
        const std::string name = fromFsPath(entry.path().filename());
        if (!entry.is_regular_file()) {
            continue;  // reported by the folder check
        }
        const auto lines = crlfLines(test::readFileBytes(fromFsPath(entry.path())));
        v.require(lines.has_value(), "every output file is CR LF lines");
        if (lines && name.starts_with("MM") && name.ends_with(".brz")) {
            v.require(lines->size() == 4 && std::all_of(lines->begin(), lines->end(), isNumberText),
                      "a daily-extremes file holds four number texts");
        }
    }
}

// The files a cycle may leave in the current folder: the configuration, currdat.lst and the
// history file as they were, their copy currdat.brz, and files in the output folder. Nothing
// else, and no temporary file anywhere.
void checkFolderContents(Verdict& v, bool hasHistory) {
    std::set<std::string> allowed = {"config.brz", "hw", "hw/currdat.lst", "hw/currdat.brz", "out"};
    if (hasHistory) {
        allowed.insert("hw/history.dat");
    }
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(".", error)) {
        const std::u8string generic = entry.path().lexically_relative(".").generic_u8string();
        const std::string relative(generic.begin(), generic.end());
        v.require(!relative.ends_with(".brz-new"), "the cycle leaves no temporary file");
        const bool inOutput = relative.starts_with("out/") &&
                              relative.find('/', 4) == std::string::npos && entry.is_regular_file();
        v.require(inOutput || allowed.contains(relative),
                  "the cycle writes only into the output folder and currdat.brz");
    }
}

}  // namespace

bool isAprsWeatherData(std::string_view text) {
    // '9' a digit, 'T' the temperature's first place (a digit or "-"), anything else itself.
    constexpr std::string_view kLayout = "999/999g000tT99p999r999P999b99999h99/";
    if (text.size() != kLayout.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        const char want = kLayout[i];
        const bool fits = want == '9'   ? isDigit(text[i])
                          : want == 'T' ? isDigit(text[i]) || text[i] == '-'
                                        : text[i] == want;
        if (!fits) {
            return false;
        }
    }
    return true;
}

CycleInput splitCycleInput(std::string_view input) {
    const std::size_t mark = input.find(kHistoryMark);
    if (mark == std::string_view::npos) {
        return {input, std::nullopt};
    }
    return {input.substr(0, mark), input.substr(mark + kHistoryMark.size())};
}

std::string checkCurrentData(std::string_view input) {
    Verdict v;
    const ScratchWork work;
    const std::string path = kCurrentDataCopyName;
    test::writeFileBytes(path, input);

    const StationReading r = readStationReading(path, "RainToday");
    v.require(allFinite(r), "every number of the reading is finite");
    v.require(r.windDirection == std::floor(r.windDirection), "the wind direction is whole");
    v.require(r.day.size() <= 2 && r.monthAbbrev.size() <= 3 && r.year.size() <= 4 &&
                  r.hour.size() <= 2 && r.minute.size() <= 2 && r.second.size() <= 2,
              "the header pieces keep their widths");
    v.require(r.monthName.empty() == r.monthNumber.empty(),
              "a month has both its name and its number, or neither");
    if (r.rain24h >= 0) {
        v.require(r.rainSinceMidnight >= 0 && r.rainSinceMidnight <= r.rain24h + 0.05,
                  "the rain since midnight lies between 0 and the rain of 24 hours");
    }
    for (const PressureType pressureType : {PressureType::Absolute, PressureType::Relative}) {
        v.require(isAprsWeatherData(aprsWeatherData(r, pressureType, r.rainSinceMidnight)),
                  "the APRS weather data keeps every field at its width");
    }
    return v.take();
}

std::string checkHistoryFile(std::string_view input) {
    Verdict v;
    const ScratchWork work;
    const std::string hw = folderNamed("hw");
    rewriteTextFile(file(hw, kCurrentDataFileName), fixedCurrentData());
    test::writeFileBytes(file(hw, kDefaultHistoryFileName), input);

    Appoggio store;
    MainWindowModel window = startupWindowModel();
    window.markChart(input.size() % 2 == 0 ? ChartChoice::Pressure
                                           : ChartChoice::OutdoorTemperature);
    const std::string before = dumpModel(window, store);

    const bool checked = checkHistory(hw, kDefaultHistoryFileName, store);
    if (checked) {
        for (const std::string* text :
             {&store.Tmin, &store.Tmax, &store.Pmin, &store.Pmax, &store.Raintoday}) {
            v.require(isNumberText(*text), "the history check stores number texts");
        }
        v.require(numericValue(store.Tmin) <= numericValue(store.Tmax),
                  "the day's lowest temperature is not above its highest");
        v.require(numericValue(store.Pmin) <= numericValue(store.Pmax),
                  "the day's lowest pressure is not above its highest");
    } else {
        v.require(dumpModel(window, store) == before, "a failed history check changes nothing");
    }
    const std::string afterCheck = dumpModel(window, store);

    const bool drawn = drawTwelveHourChart(hw, kDefaultHistoryFileName, window, store);
    if (drawn) {
        const auto& values = window.MSChart1.values;
        v.require(std::all_of(values.begin(), values.end(),
                              [](double value) { return std::isfinite(value); }),
                  "the chart's eight values are finite");
        if (window.Option1) {
            v.require(
                std::all_of(values.begin(), values.end(), [](double value) { return value >= 0; }),
                "the pressure bars stand at or above zero");
        }
        static const std::array<std::pair<std::string_view, std::string_view>, 7> kTrends = {{
            {"-3", "forte diminuzione"},
            {"-2", "diminuzione"},
            {"-1", "lieve diminuzione"},
            {"0", "variabile"},
            {"1", "lieve aumento"},
            {"2", "aumento"},
            {"3", "forte aumento"},
        }};
        v.require(std::find(kTrends.begin(), kTrends.end(),
                            std::pair<std::string_view, std::string_view>(
                                store.statopress, store.Tendenza)) != kTrends.end(),
                  "the trend class is one of the seven, with its own word");
    } else {
        v.require(dumpModel(window, store) == afterCheck, "a chart not drawn changes nothing");
    }

    // Fewer than three records hold no interval: both readers give their empty result.
    if (input.size() < 3 * kHistoryRecordSize) {
        v.require(!checked && !drawn, "a file of fewer than three records is not used");
    }
    v.require(checked == drawn, "the history check and the chart agree on the file");
    return v.take();
}

std::string checkConfigFile(std::string_view input) {
    Verdict v;
    const ScratchWork work;
    const std::string path = kConfigFileName;
    test::writeFileBytes(path, input);

    const auto lines = readConfig(path);
    v.require(lines.has_value(), "an existing config.brz is read");
    if (!lines) {
        return v.take();
    }
    const CycleSettings settings = cycleSettings(lines);
    const int mode = static_cast<int>(settings.reportMode);
    const int pressure = static_cast<int>(settings.pressureType);
    const int chart = static_cast<int>(settings.chartChoice);
    v.require(
        mode >= 1 && mode <= 3 && (pressure == 1 || pressure == 2) && (chart == 1 || chart == 2),
        "the cycle's settings hold accepted values");
    v.require(settings.outputFolder == (*lines)[ConfigLine::OutputFolder],
              "the output folder is line 5");
    const auto marking = chartChoiceFromNumericLine((*lines)[ConfigLine::ChartChoice]);
    v.require(!marking || *marking == ChartChoice::Pressure ||
                  *marking == ChartChoice::OutdoorTemperature,
              "the chart marking is 1, 2 or none");

    const std::string& line3 = (*lines)[ConfigLine::ChartChoice];
    const StartupConfig found = checkConfigAtStartup(path);
    ConfigLines expected = *lines;
    if (line3 == "1" || line3 == "2") {
        v.require(found == StartupConfig::Current && test::readFileBytes(path) == input,
                  "a six-line file is left as it is");
    } else {
        const auto& old = lines->lines;
        expected = ConfigLines{{old[0], old[1], "1", old[2], old[3], "history.dat"}};
        v.require(found == StartupConfig::Converted, "an old four-line file is converted");
        v.require(
            readConfig(path) == expected &&
                test::readFileBytes(path) ==
                    crlf(std::vector<std::string>(expected.lines.begin(), expected.lines.end())),
            "the conversion keeps old lines 1 to 4 as lines 1, 2, 4 and 5");
        v.require(checkConfigAtStartup(path) == StartupConfig::Current,
                  "a converted file is current");
    }

    // The chart selector changes line 3 and keeps the other five.
    const ChartChoice choice =
        input.size() % 2 == 0 ? ChartChoice::Pressure : ChartChoice::OutdoorTemperature;
    v.require(storeChartChoice(choice, path), "the chart choice is stored");
    expected[ConfigLine::ChartChoice] = storedText(choice);
    v.require(readConfig(path) == expected, "storing the chart choice keeps the other lines");

    std::error_code error;
    const auto files = std::distance(fs::directory_iterator(".", error), fs::directory_iterator());
    v.require(files == 1, "config.brz is rewritten without leaving a temporary file");
    return v.take();
}

std::string checkNumericValue(std::string_view input) {
    Verdict v;
    const double value = numericValue(input);
    v.require(std::isfinite(value), "the numeric value of a text is finite");
    v.require(numericValue(" \t" + std::string(input)) == value, "leading blanks are skipped");
    if (!input.empty() && (isDigit(input.front()) || input.front() == '.')) {
        v.require(numericValue("-" + std::string(input)) == -value, "a minus sign negates");
    }
    auto stableDouble = [&](double x) {
        const std::string text = numText(x);
        v.require(numText(numericValue(text)) == text,
                  "numText is stable through the numeric value");
    };
    if (std::isfinite(value)) {
        stableDouble(value);
    }
    if (input.size() >= sizeof(double)) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, input.data(), sizeof bits);
        const double x = std::bit_cast<double>(bits);
        if (std::isfinite(x)) {
            stableDouble(x);
        }
        std::uint32_t singleBits = 0;
        std::memcpy(&singleBits, input.data(), sizeof singleBits);
        const float f = std::bit_cast<float>(singleBits);
        if (std::isfinite(f)) {
            const std::string text = numTextSingle(f);
            v.require(numTextSingle(static_cast<float>(numericValue(text))) == text,
                      "numTextSingle is stable through the numeric value");
        }
    }
    return v.take();
}

std::string checkDailyExtremesFile(std::string_view input) {
    Verdict v;
    const ScratchWork work;
    const std::string out = folderNamed("out");
    // The step runs on a midnight reading of 5 December 2026 without a relative pressure, so
    // that the values of the day's file stand; the day before left the same file.
    const RecordDate today{2026, 12, 5};
    const std::string todayPath = file(out, dailyExtremesFileName(today));
    const std::string yesterdayPath = file(out, dailyExtremesFileName(dayBefore(today)));
    test::writeFileBytes(todayPath, input);
    test::writeFileBytes(yesterdayPath, input);

    const auto extremes = readDailyExtremesFile(todayPath);
    if (extremes) {
        const std::vector<std::string> lines = dailyExtremesLines(*extremes);
        v.require(std::all_of(lines.begin(), lines.end(), isNumberText),
                  "the extremes read back are written as number texts");
        const std::string again = "again.brz";
        rewriteTextFile(again, lines);
        const auto reread = readDailyExtremesFile(again);
        v.require(reread && dailyExtremesLines(*reread) == lines,
                  "the extremes written and read again stay the same texts");
    }

    StationReading reading;
    reading.day = "05";
    reading.monthAbbrev = "Dec";
    reading.monthName = "dicembre";
    reading.monthNumber = "12";
    reading.year = "2026";
    reading.hour = "00";
    reading.minute = "00";
    MainWindowModel window = startupWindowModel();
    updateDailyExtremes(reading, Appoggio{}, out, window);

    const auto day = crlfLines(test::readFileBytes(todayPath));
    v.require(day && day->size() == 4 && std::all_of(day->begin(), day->end(), isNumberText),
              "the day's file is rewritten as four number texts");
    const auto log = crlfLines(test::readFileBytes(file(out, monthlyLogFileName(today))));
    v.require(log && !log->empty() && log->front() == kMonthlyLogHeader,
              "the monthly log starts with its header");
    if (log) {
        v.require(extremes ? log->size() == 2 && log->back() == monthlyLogRow(reading, *extremes)
                           : log->size() == 1,
                  "the monthly log holds the ended day's row when that day left its file");
    }
    return v.take();
}

std::string checkCycle(std::string_view input) {
    Verdict v;
    const CycleInput parts = splitCycleInput(input);
    const ScratchWork work;
    const std::string hw = folderNamed("hw");
    const std::string out = folderNamed("out");
    const std::string config = kConfigFileName;
    const std::string source = file(hw, kCurrentDataFileName);
    const std::string history = file(hw, kDefaultHistoryFileName);
    test::writeFileBytes(source, parts.currentData);
    if (parts.history) {
        test::writeFileBytes(history, *parts.history);
    }
    // The report mode, pressure type and chart follow from the input's length, so that every
    // setting meets every kind of input.
    const std::string mode = std::to_string(1 + input.size() % 3);
    const std::string pressure = std::to_string(1 + input.size() / 3 % 2);
    const std::string chart = std::to_string(1 + input.size() / 6 % 2);
    const std::string configBytes = crlf({mode, pressure, chart, hw, out, "history.dat"});
    test::writeFileBytes(config, configBytes);

    Appoggio store;
    MainWindowModel window = startupWindowModel();
    const FixedFolders folders(hw, kDefaultHistoryFileName);
    CycleEnvironment env{store, window, folders, config};
    // A second cycle meets the copy, the day's file and the store the first one left.
    for (int cycle = 0; cycle < 2; ++cycle) {
        v.require(runConversionCycle(env) == CycleOutcome::Completed, "the cycle completes");
        checkReport(v, test::readFileBytes(file(out, kReportFileName)), window);
        checkOutputFiles(v, out);
        checkFolderContents(v, parts.history.has_value());
        v.require(test::readFileBytes(source) == parts.currentData &&
                      (!parts.history || test::readFileBytes(history) == *parts.history) &&
                      test::readFileBytes(config) == configBytes,
                  "the cycle leaves its input files as they were");
        v.require(test::readFileBytes(file(hw, kCurrentDataCopyName)) == parts.currentData,
                  "currdat.brz is a copy of currdat.lst");
    }
    return v.take();
}

namespace {

// The keys of aprs-is.brz and each value's own check.
struct AprsIsKey {
    std::string_view name;
    bool required;  // when the upload is on
    std::optional<std::string> (*problem)(const std::string&);
};

std::optional<std::string> enabledProblem(const std::string& text) {
    if (text == "0" || text == "1") {
        return std::nullopt;
    }
    return "bad";
}

constexpr AprsIsKey kAprsIsKeys[] = {
    {"enabled", false, enabledProblem},   {"callsign", true, callsignProblem},
    {"passcode", true, passcodeProblem},  {"server", true, serverProblem},
    {"latitude", true, latitudeProblem},  {"longitude", true, longitudeProblem},
    {"interval", false, intervalProblem}, {"comment", false, commentProblem},
};

std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// The known key a line sets, if any.
std::optional<std::string_view> aprsIsKeyOf(const std::string& line) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
        return std::nullopt;
    }
    const std::string_view key = trimmedBlanks(std::string_view(line).substr(0, eq));
    for (const AprsIsKey& known : kAprsIsKeys) {
        if (known.name == key) {
            return known.name;
        }
    }
    return std::nullopt;
}

std::vector<std::string> unknownLines(const std::vector<std::string>& lines) {
    std::vector<std::string> unknown;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(unknown),
                 [](const std::string& line) { return !aprsIsKeyOf(line); });
    return unknown;
}

// The key a problem names: "<key> ..." or "manca la riga <key>=...".
std::optional<std::string_view> keyNamedBy(const std::string& problem) {
    for (const AprsIsKey& key : kAprsIsKeys) {
        if (problem.starts_with(std::string(key.name) + " ") ||
            problem == "manca la riga " + std::string(key.name) + "=...") {
            return key.name;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string checkAprsIsSettingsFile(std::string_view input) {
    Verdict v;
    const ScratchWork work;
    const std::string path = kAprsIsSettingsFileName;
    test::writeFileBytes(path, input);

    const auto check = readAprsIsSettings(path);
    const auto texts = readAprsIsSettingTexts(path);
    const auto lines = readLines(path);
    v.require(check && texts && lines, "an existing aprs-is.brz is read");
    if (!check || !texts || !lines) {
        return v.take();
    }
    v.require(check->usable() == (check->settings.enabled && check->problems.empty()),
              "the upload is usable only when on and without problems");

    // What the file should give: for each key, its problem when it has one.
    std::multiset<std::string_view> expected;
    bool everyGivenValueGood = true;
    for (const AprsIsKey& key : kAprsIsKeys) {
        const auto text = texts->find(std::string(key.name));
        if (text == texts->end()) {
            if (key.required) {
                expected.insert(key.name);
            }
        } else if (key.problem(text->second)) {
            expected.insert(key.name);
            everyGivenValueGood = false;
        }
    }
    std::multiset<std::string_view> named;
    for (const std::string& problem : check->problems) {
        const auto key = keyNamedBy(problem);
        v.require(!problem.empty() && key.has_value(), "every problem names its key");
        v.require(!hasControl(problem), "a problem is one line without control characters");
        if (key) {
            named.insert(*key);
        }
    }
    if (check->settings.enabled) {
        v.require(named == expected, "an enabled file reports every bad or missing value once");
    } else {
        const bool badSwitch = expected.contains("enabled");
        v.require(named == (badSwitch ? std::multiset<std::string_view>{"enabled"}
                                      : std::multiset<std::string_view>{}),
                  "a file that is off reports only a bad enabled");
    }

    // The rewrite: every known key once, every other line kept in its order; values that were
    // good come back the same, and a second rewrite changes nothing.
    v.require(writeAprsIsSettings(check->settings, path), "the settings are written");
    const auto rewritten = readLines(path);
    const auto again = readAprsIsSettings(path);
    v.require(rewritten && again, "the rewritten file is read");
    if (!rewritten || !again) {
        return v.take();
    }
    v.require(unknownLines(*rewritten) == unknownLines(*lines),
              "the rewrite keeps every other line in its order");
    std::multiset<std::string_view> written;
    for (const std::string& line : *rewritten) {
        if (const auto key = aprsIsKeyOf(line)) {
            written.insert(*key);
        }
    }
    v.require(written.size() == std::size(kAprsIsKeys) &&
                  std::all_of(std::begin(kAprsIsKeys), std::end(kAprsIsKeys),
                              [&](const AprsIsKey& key) { return written.count(key.name) == 1; }),
              "the rewrite holds every key once");
    if (everyGivenValueGood) {
        v.require(again->settings == check->settings,
                  "good values come back the same through the rewrite");
        if (check->problems.empty()) {
            v.require(again->problems.empty(), "a good file stays good through the rewrite");
        }
    }
    const std::string bytes = test::readFileBytes(path);
    writeAprsIsSettings(again->settings, path);
    if (everyGivenValueGood) {
        v.require(test::readFileBytes(path) == bytes, "a second rewrite changes nothing");
    }
    std::error_code error;
    const auto files = std::distance(fs::directory_iterator(".", error), fs::directory_iterator());
    v.require(files == 1, "aprs-is.brz is rewritten without leaving a temporary file");
    return v.take();
}

std::vector<std::string> serverReplyLines(std::string_view input) {
    std::vector<std::string> lines;
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
    }
    return lines;
}

std::string checkAprsIsReply(std::string_view input) {
    Verdict v;
    const bool cwop = input.size() % 2 == 1;
    AprsIsSettings settings;
    settings.enabled = true;
    settings.callsign = cwop ? "FW1234" : "IZ0ABC-13";
    settings.passcode = cwop ? -1 : 12345;
    settings.host = "rotate.aprs2.net";

    LoginReplies replies(settings);
    const std::vector<std::string> lines = serverReplyLines(input);
    std::optional<std::size_t> answerAt;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const bool before = replies.answered();
        const std::size_t kept = replies.serverLines().size();
        const bool done = replies.take(lines[k]);
        v.require(done == replies.answered(), "take tells whether the answer came");
        if (before) {
            v.require(replies.serverLines().size() == kept, "no line is taken after the answer");
        } else if (done) {
            answerAt = k;
        }
    }
    std::optional<std::size_t> firstAnswer;
    for (std::size_t k = 1; k < lines.size() && !firstAnswer; ++k) {
        if (lines[k].starts_with("# logresp")) {
            firstAnswer = k;
        }
    }
    v.require(answerAt == firstAnswer,
              "the answer is the first line after the banner that starts with # logresp");

    const auto& kept = replies.serverLines();
    v.require(kept.size() <= LoginReplies::kKeptServerLines, "the kept lines are bounded");
    v.require(lines.empty() || (!kept.empty() && kept.front() == printableServerLine(lines[0])),
              "the banner is kept first");
    for (const std::string& line : kept) {
        v.require(isPrintableAscii(line) && line.size() <= kShownServerLine,
                  "every kept line is printable ASCII within its length");
    }

    // The outcome, found again from the answer's fourth word.
    const SessionResult result = replies.result();
    v.require(result.serverLines == kept, "the result keeps the server's lines");
    std::optional<LoginOutcome> expected;
    if (answerAt) {
        std::string answer = lines[*answerAt];
        for (char& c : answer) {
            const auto byte = static_cast<unsigned char>(c);
            c = byte < 0x20 || byte > 0x7E ? '?' : c;
        }
        std::istringstream text(answer);
        const std::vector<std::string> words{std::istream_iterator<std::string>(text),
                                             std::istream_iterator<std::string>()};
        std::string verdict = words.size() >= 4 ? words[3] : "";
        if (verdict.ends_with(',')) {
            verdict.pop_back();
        }
        expected = verdict == "verified"     ? LoginOutcome::Verified
                   : verdict != "unverified" ? LoginOutcome::Refused
                   : cwop                    ? LoginOutcome::CwopUnverified
                                             : LoginOutcome::WrongPasscode;
        v.require(kept.back() == printableServerLine(lines[*answerAt]),
                  "the answer is the last line kept");
    }
    v.require(replies.outcome() == expected.value_or(LoginOutcome::Refused),
              "the login answer is classified by its verdict");
    const LoginOutcome outcome = replies.outcome();
    const bool accepted =
        outcome == LoginOutcome::Verified || outcome == LoginOutcome::CwopUnverified;
    v.require(result.ok == (answerAt.has_value() && accepted),
              "the login succeeds exactly on an accepting answer");
    if (!answerAt) {
        v.require(result.message.empty(), "without an answer the caller tells why");
    } else if (accepted) {
        v.require(result.message == kept.back(), "a successful login shows the answer");
    } else {
        const std::string_view prefix = outcome == LoginOutcome::WrongPasscode
                                            ? "passcode errato: "
                                            : "login rifiutato dal server: ";
        v.require(result.message.starts_with(prefix), "a failed login says why");
    }
    constexpr std::size_t kLongestPrefix = 64;
    v.require(isPrintableAscii(result.message) &&
                  result.message.size() <= kShownServerLine + kLongestPrefix,
              "the message is printable ASCII within its length");

    // The status line of a failed upload with this message.
    UploadStatus status;
    status.activity = UploadActivity::Failed;
    status.failure = result.message;
    status.lastSent = 1'750'000'000;
    const std::string line = aprsIsStatusLine(status, fixedOffsetTimeZone(60), 1'750'000'600);
    v.require(isPrintableAscii(line) && line.size() <= kShownServerLine + 2 * kLongestPrefix,
              "the status line is printable ASCII within its length");
    return v.take();
}

std::span<const FuzzTarget> fuzzTargets() {
    static constexpr FuzzTarget kTargets[] = {
        {"current-data", checkCurrentData},
        {"history", checkHistoryFile},
        {"config", checkConfigFile},
        {"numeric-value", checkNumericValue},
        {"daily-extremes", checkDailyExtremesFile},
        {"cycle", checkCycle},
        {"aprs-is", checkAprsIsSettingsFile},
        {"aprs-is-reply", checkAprsIsReply},
        {"station-answers", checkStationAnswers},
    };
    return kTargets;
}

const FuzzTarget* findFuzzTarget(std::string_view name) {
    for (const FuzzTarget& target : fuzzTargets()) {
        if (target.name == name) {
            return &target;
        }
    }
    return nullptr;
}

}  // namespace brezzolo::fuzz
