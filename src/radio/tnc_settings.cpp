#include "radio/tnc_settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <string_view>

#include "common/settings_file.h"

namespace brezzolo {
namespace {

constexpr std::array<unsigned, 8> kSpeeds = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

std::optional<long long> wholeNumber(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool printable(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c != 0x7F; });
}

// The value as a message quotes it, control characters as "?".
std::string quoted(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return "\"" + shown + "\"";
}

struct Address {
    std::string host;
    int port = 0;
};

std::optional<Address> parsedAddress(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return std::nullopt;
    }
    std::string host = text.substr(0, colon);
    const auto port = wholeNumber(std::string_view(text).substr(colon + 1));
    if (host.front() == '[' && host.back() == ']' && host.size() > 2) {
        host = host.substr(1, host.size() - 2);
    }
    const bool hostShaped = host.find_first_of(" \t[]/") == std::string::npos && printable(host);
    if (!hostShaped || !port || *port < 1 || *port > 65535) {
        return std::nullopt;
    }
    return Address{host, static_cast<int>(*port)};
}

std::optional<unsigned> parsedSpeed(const std::string& text) {
    const auto value = wholeNumber(text);
    if (!value || std::find(kSpeeds.begin(), kSpeeds.end(), *value) == kSpeeds.end()) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*value);
}

std::optional<int> parsedInterval(const std::string& text) {
    const auto value = wholeNumber(text);
    if (!value || *value < kMinimumRadioIntervalMinutes || *value > kMaximumIntervalMinutes) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

struct Key {
    const char* name;
    std::function<std::optional<std::string>(const std::string&)> problem;
    std::function<void(const std::string&, TncSettings&)> store;
    std::function<std::string(const TncSettings&)> text;
};

const std::vector<Key>& keys() {
    static const std::vector<Key> table = {
        {"enabled",
         [](const std::string& v) -> std::optional<std::string> {
             if (v == "0" || v == "1") {
                 return std::nullopt;
             }
             return "enabled " + quoted(v) +
                    " non valido: 1 per trasmettere, 0 per non trasmettere";
         },
         [](const std::string& v, TncSettings& s) { s.enabled = v == "1"; },
         [](const TncSettings& s) { return std::string(s.enabled ? "1" : "0"); }},
        {"tnc", tncKindProblem,
         [](const std::string& v, TncSettings& s) {
             s.kind = v == "serial" ? TncKind::Serial : TncKind::Tcp;
         },
         [](const TncSettings& s) {
             return std::string(s.kind == TncKind::Serial ? "serial" : "tcp");
         }},
        {"address", tncAddressProblem,
         [](const std::string& v, TncSettings& s) {
             const Address a = *parsedAddress(v);
             s.host = a.host;
             s.port = a.port;
         },
         [](const TncSettings& s) { return serverText(s.host, s.port); }},
        {"serial_port", serialPortProblem,
         [](const std::string& v, TncSettings& s) { s.serialPort = v; },
         [](const TncSettings& s) { return s.serialPort; }},
        {"speed", tncSpeedProblem,
         [](const std::string& v, TncSettings& s) { s.speed = *parsedSpeed(v); },
         [](const TncSettings& s) { return std::to_string(s.speed); }},
        {"path", radioPathProblem,
         [](const std::string& v, TncSettings& s) { s.path = *parseDigipeaterPath(v); },
         [](const TncSettings& s) { return radioPathText(s.path); }},
        {"interval", radioIntervalProblem,
         [](const std::string& v, TncSettings& s) { s.intervalMinutes = *parsedInterval(v); },
         [](const TncSettings& s) { return std::to_string(s.intervalMinutes); }},
    };
    return table;
}

std::vector<std::string> keyNames() {
    std::vector<std::string> names;
    for (const Key& key : keys()) {
        names.emplace_back(key.name);
    }
    return names;
}

// The identity keys of aprs-is.brz and their checks.
struct IdentityKey {
    const char* name;
    bool required;
    std::optional<std::string> (*problem)(const std::string&);
};
constexpr std::array<IdentityKey, 4> kIdentityKeys = {{
    {"callsign", true, callsignProblem},
    {"latitude", true, latitudeProblem},
    {"longitude", true, longitudeProblem},
    {"comment", false, commentProblem},
}};

}  // namespace

std::optional<std::string> tncKindProblem(const std::string& text) {
    if (text == "tcp" || text == "serial") {
        return std::nullopt;
    }
    return "tnc " + quoted(text) +
           " non valido: tcp per un TNC in rete (Dire Wolf), serial per un TNC su porta seriale";
}

std::optional<std::string> tncAddressProblem(const std::string& text) {
    if (parsedAddress(text)) {
        return std::nullopt;
    }
    return "address " + quoted(text) +
           " non valido: nome o indirizzo del computer, due punti e numero di porta da 1 a "
           "65535 (127.0.0.1:8001)";
}

std::optional<std::string> serialPortProblem(const std::string& text) {
    if (!text.empty() && printable(text)) {
        return std::nullopt;
    }
    return "serial_port " + quoted(text) + " non valido: il nome della porta (COM3, /dev/ttyUSB0)";
}

std::optional<std::string> tncSpeedProblem(const std::string& text) {
    if (parsedSpeed(text)) {
        return std::nullopt;
    }
    std::string speeds;
    for (const unsigned speed : kSpeeds) {
        speeds += (speeds.empty() ? "" : ", ") + std::to_string(speed);
    }
    return "speed " + quoted(text) + " non valido: una velocità tra " + speeds;
}

std::optional<std::string> radioPathProblem(const std::string& text) {
    if (parseDigipeaterPath(text)) {
        return std::nullopt;
    }
    return "path " + quoted(text) +
           " non valido: vuoto, o uno o due alias di digipeater separati da virgola "
           "(WIDE2-1 oppure WIDE1-1,WIDE2-1)";
}

std::optional<std::string> radioIntervalProblem(const std::string& text) {
    if (parsedInterval(text)) {
        return std::nullopt;
    }
    return "interval " + quoted(text) + " non valido: minuti interi da " +
           std::to_string(kMinimumRadioIntervalMinutes) + " a " +
           std::to_string(kMaximumIntervalMinutes);
}

std::string radioPathText(const std::vector<Ax25Address>& path) {
    std::string text;
    for (const Ax25Address& a : path) {
        text += (text.empty() ? "" : ",") + a.callsign +
                (a.ssid != 0 ? "-" + std::to_string(a.ssid) : "");
    }
    return text;
}

std::string tncText(const TncSettings& settings) {
    return settings.kind == TncKind::Serial ? settings.serialPort
                                            : serverText(settings.host, settings.port);
}

RadioSettingsCheck parseRadioSettings(
    const std::vector<std::string>& tncLines,
    const std::optional<std::map<std::string, std::string>>& identityTexts) {
    RadioSettingsCheck check;
    const auto texts = settingTexts(tncLines, keyNames());
    std::vector<std::string> problems;
    auto fileProblem = [&](const char* file, const std::string& problem) {
        problems.push_back(std::string(file) + ": " + problem);
    };
    for (const Key& key : keys()) {
        const auto text = texts.find(key.name);
        // An empty port is no port: a TNC on the network leaves the line empty.
        if (text == texts.end() || (text->first == "serial_port" && text->second.empty())) {
            continue;
        }
        if (auto problem = key.problem(text->second)) {
            fileProblem(kTncSettingsFileName, *problem);
        } else {
            key.store(text->second, check.settings.tnc);
        }
    }
    const bool badEnabled = texts.contains("enabled") && keys()[0].problem(texts.at("enabled"));
    if (check.settings.tnc.kind == TncKind::Serial && check.settings.tnc.serialPort.empty()) {
        fileProblem(kTncSettingsFileName, "manca la riga serial_port=... per tnc=serial");
    }

    // The identity: aprs-is.brz's own reader turns the good texts into settings.
    std::vector<std::string> identityLines;
    for (const IdentityKey& key : kIdentityKeys) {
        const auto text = identityTexts ? identityTexts->find(key.name)
                                        : std::map<std::string, std::string>::const_iterator{};
        if (!identityTexts || text == identityTexts->end()) {
            if (key.required) {
                fileProblem(kAprsIsSettingsFileName,
                            "manca la riga " + std::string(key.name) +
                                "=... (identità della stazione, anche per la radio)");
            }
        } else if (auto problem = key.problem(text->second)) {
            fileProblem(kAprsIsSettingsFileName, *problem);
        } else {
            identityLines.push_back(std::string(key.name) + "=" + text->second);
        }
    }
    check.settings.identity = parseAprsIsSettings(identityLines).settings;

    if (check.settings.tnc.enabled) {
        check.problems = std::move(problems);
    } else if (badEnabled) {
        check.problems.push_back(problems.front());  // "enabled" is the first key checked
    }
    return check;
}

std::optional<RadioSettingsCheck> readRadioSettings(const std::string& configPath) {
    const auto lines = readSettingLines(besideConfigFile(configPath, kTncSettingsFileName));
    if (!lines) {
        return std::nullopt;
    }
    return parseRadioSettings(
        *lines, readAprsIsSettingTexts(besideConfigFile(configPath, kAprsIsSettingsFileName)));
}

std::optional<std::map<std::string, std::string>> readTncSettingTexts(const std::string& path) {
    return readSettingTexts(path, keyNames());
}

bool writeTncSettings(const TncSettings& settings, const std::string& path) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const Key& key : keys()) {
        values.emplace_back(key.name, key.text(settings));
    }
    return writeSettings(path, values);
}

}  // namespace brezzolo
