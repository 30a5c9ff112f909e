#include "aprs_is/settings.h"

#include <cctype>
#include <charconv>
#include <functional>
#include <string_view>
#include <system_error>

#include "common/settings_file.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

bool isAsciiLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// A whole decimal number, nothing else around it: "14580", "-1".
std::optional<long long> wholeNumber(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A decimal number with "." as the point and an optional sign: "41.8917", "-0.5", "+12".
std::optional<double> decimalNumber(std::string_view text) {
    if (text.starts_with("+")) {
        text.remove_prefix(1);
        if (text.starts_with("-")) {
            return std::nullopt;  // "+-45": one sign only
        }
    }
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.back())))) {
        return std::nullopt;  // also keeps out "inf" and "nan"
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The value as a message quotes it: a control character (a lone CR inside a line, say) would
// garble the status line and the converter's stderr, so it shows as "?".
std::string quoted(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return "\"" + shown + "\"";
}

std::optional<std::string> parsedCallsign(const std::string& text) {
    const auto dash = text.find('-');
    const std::string base = text.substr(0, dash);
    if (base.empty() || base.size() > 6) {
        return std::nullopt;
    }
    for (char c : base) {
        if (!isAsciiLetterOrDigit(c)) {
            return std::nullopt;
        }
    }
    if (dash != std::string::npos) {
        const std::string ssid = text.substr(dash + 1);
        // One or two digits without a leading zero ("-0" itself is fine), at most 15.
        const bool digitsOnly = !ssid.empty() && ssid.size() <= 2 &&
                                ssid.find_first_not_of("0123456789") == std::string::npos &&
                                !(ssid.size() == 2 && ssid[0] == '0');
        if (!digitsOnly || std::stoi(ssid) > 15) {
            return std::nullopt;
        }
    }
    std::string upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::optional<int> parsedPasscode(const std::string& text) {
    const auto value = wholeNumber(text);
    if (!value || *value < -1 || *value > 32767) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool validHostName(std::string_view host) {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        const std::string_view inside = host.substr(1, host.size() - 2);
        return !inside.empty() &&
               inside.find_first_not_of("0123456789abcdefABCDEF:.") == std::string_view::npos;
    }
    if (host.empty() || host.size() > 253 || host.front() == '-' || host.front() == '.') {
        return false;
    }
    for (char c : host) {
        if (!isAsciiLetterOrDigit(c) && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

struct ServerAddress {
    std::string host;
    int port = 0;
};

std::optional<ServerAddress> parsedServer(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const std::string host = text.substr(0, colon);
    const auto port = wholeNumber(std::string_view(text).substr(colon + 1));
    if (!validHostName(host) || !port || *port < 1 || *port > 65535) {
        return std::nullopt;
    }
    // A bracketed IPv6 literal is looked up without its brackets.
    const bool bracketed = host.front() == '[';
    return ServerAddress{bracketed ? host.substr(1, host.size() - 2) : host,
                         static_cast<int>(*port)};
}

std::optional<double> parsedDegrees(const std::string& text, double limit) {
    const auto value = decimalNumber(text);
    if (!value || !(*value >= -limit && *value <= limit)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> parsedInterval(const std::string& text) {
    const auto value = wholeNumber(text);
    if (!value || *value < kMinimumIntervalMinutes || *value > kMaximumIntervalMinutes) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

// Printable ASCII without "|" and "~", which APRS keeps for telemetry and for the TNC.
bool validComment(const std::string& text) {
    if (text.size() > kMaximumCommentLength) {
        return false;
    }
    for (char c : text) {
        if (c < 0x20 || c > 0x7E || c == '|' || c == '~') {
            return false;
        }
    }
    return true;
}

// The shortest text without an exponent that reads back as the same number: 41.8917, -0.5, 12.
std::string decimalText(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// One key of the file: how its value is checked and stored.
struct Key {
    const char* name;
    bool required;  // when the upload is on
    std::function<std::optional<std::string>(const std::string&)> problem;
    std::function<void(const std::string&, AprsIsSettings&)> store;
    std::function<std::string(const AprsIsSettings&)> text;
};

const std::vector<Key>& keys() {
    static const std::vector<Key> table = {
        {"enabled", false,
         [](const std::string& v) -> std::optional<std::string> {
             if (v == "0" || v == "1") {
                 return std::nullopt;
             }
             return "enabled " + quoted(v) + " non valido: 1 per inviare, 0 per non inviare";
         },
         [](const std::string& v, AprsIsSettings& s) { s.enabled = v == "1"; },
         [](const AprsIsSettings& s) { return std::string(s.enabled ? "1" : "0"); }},
        {"callsign", true, callsignProblem,
         [](const std::string& v, AprsIsSettings& s) { s.callsign = *parsedCallsign(v); },
         [](const AprsIsSettings& s) { return s.callsign; }},
        {"passcode", true, passcodeProblem,
         [](const std::string& v, AprsIsSettings& s) { s.passcode = *parsedPasscode(v); },
         [](const AprsIsSettings& s) { return std::to_string(s.passcode); }},
        {"server", true, serverProblem,
         [](const std::string& v, AprsIsSettings& s) {
             const auto server = *parsedServer(v);
             s.host = server.host;
             s.port = server.port;
         },
         [](const AprsIsSettings& s) { return serverText(s.host, s.port); }},
        {"latitude", true, latitudeProblem,
         [](const std::string& v, AprsIsSettings& s) { s.latitude = *parsedDegrees(v, 90); },
         [](const AprsIsSettings& s) { return decimalText(s.latitude); }},
        {"longitude", true, longitudeProblem,
         [](const std::string& v, AprsIsSettings& s) { s.longitude = *parsedDegrees(v, 180); },
         [](const AprsIsSettings& s) { return decimalText(s.longitude); }},
        {"interval", false, intervalProblem,
         [](const std::string& v, AprsIsSettings& s) { s.intervalMinutes = *parsedInterval(v); },
         [](const AprsIsSettings& s) { return std::to_string(s.intervalMinutes); }},
        {"comment", false, commentProblem,
         [](const std::string& v, AprsIsSettings& s) { s.comment = v; },
         [](const AprsIsSettings& s) { return s.comment; }},
    };
    return table;
}

const std::vector<std::string>& keyNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Key& key : keys()) {
            all.emplace_back(key.name);
        }
        return all;
    }();
    return names;
}

}  // namespace

std::optional<std::string> callsignProblem(const std::string& text) {
    if (parsedCallsign(text)) {
        return std::nullopt;
    }
    return "callsign " + quoted(text) +
           " non valido: da 1 a 6 lettere e cifre, con un -SSID da 0 a 15 facoltativo "
           "(IZ0ABC-13, FW1234)";
}

std::optional<std::string> passcodeProblem(const std::string& text) {
    if (parsedPasscode(text)) {
        return std::nullopt;
    }
    return "passcode " + quoted(text) +
           " non valido: un numero intero da 0 a 32767, o -1 per gli identificativi CWOP";
}

std::optional<std::string> serverProblem(const std::string& text) {
    if (parsedServer(text)) {
        return std::nullopt;
    }
    return "server " + quoted(text) +
           " non valido: nome del server, due punti e numero di porta da 1 a 65535 "
           "(rotate.aprs2.net:14580)";
}

std::optional<std::string> latitudeProblem(const std::string& text) {
    if (parsedDegrees(text, 90)) {
        return std::nullopt;
    }
    return "latitude " + quoted(text) +
           " non valida: gradi decimali da -90 a 90 con il punto, nord positivo (41.8917)";
}

std::optional<std::string> longitudeProblem(const std::string& text) {
    if (parsedDegrees(text, 180)) {
        return std::nullopt;
    }
    return "longitude " + quoted(text) +
           " non valida: gradi decimali da -180 a 180 con il punto, est positivo (12.4883)";
}

std::optional<std::string> intervalProblem(const std::string& text) {
    if (parsedInterval(text)) {
        return std::nullopt;
    }
    return "interval " + quoted(text) + " non valido: minuti interi da " +
           std::to_string(kMinimumIntervalMinutes) + " a " +
           std::to_string(kMaximumIntervalMinutes);
}

std::optional<std::string> commentProblem(const std::string& text) {
    if (validComment(text)) {
        return std::nullopt;
    }
    return "comment " + quoted(text) + " non valido: al massimo " +
           std::to_string(kMaximumCommentLength) +
           " caratteri ASCII stampabili, senza lettere accentate, | e ~";
}

std::string serverText(const std::string& host, int port) {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

AprsIsSettingsCheck parseAprsIsSettings(const std::vector<std::string>& lines) {
    const auto texts = settingTexts(lines, keyNames());
    std::vector<std::optional<std::string>> values(keys().size());
    for (std::size_t k = 0; k < keys().size(); ++k) {
        if (const auto text = texts.find(keys()[k].name); text != texts.end()) {
            values[k] = text->second;
        }
    }

    AprsIsSettingsCheck check;
    std::vector<std::string> problems;
    for (std::size_t k = 0; k < keys().size(); ++k) {
        const Key& key = keys()[k];
        if (!values[k]) {
            if (key.required) {
                problems.push_back("manca la riga " + std::string(key.name) + "=...");
            }
            continue;
        }
        if (auto problem = key.problem(*values[k])) {
            problems.push_back(*problem);
        } else {
            key.store(*values[k], check.settings);
        }
    }
    if (check.settings.enabled) {
        check.problems = std::move(problems);
    } else if (!problems.empty() && values[0] && *values[0] != "0" && *values[0] != "1") {
        check.problems.push_back(problems.front());  // a bad "enabled" always comes first
    }
    return check;
}

std::optional<AprsIsSettingsCheck> readAprsIsSettings(const std::string& path) {
    const auto lines = readLines(path);
    if (!lines) {
        return std::nullopt;
    }
    return parseAprsIsSettings(*lines);
}

std::optional<std::map<std::string, std::string>> readAprsIsSettingTexts(const std::string& path) {
    return readSettingTexts(path, keyNames());
}

bool writeAprsIsSettings(const AprsIsSettings& settings, const std::string& path) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const Key& key : keys()) {
        values.emplace_back(key.name, key.text(settings));
    }
    return writeSettings(path, values);
}

}  // namespace brezzolo
