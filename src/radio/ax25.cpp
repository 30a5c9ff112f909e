#include "radio/ax25.h"

#include <string_view>

namespace brezzolo {
namespace {

constexpr std::uint8_t kControlUi = 0x03;
constexpr std::uint8_t kNoLayer3 = 0xF0;
constexpr std::uint8_t kFend = 0xC0;
constexpr std::uint8_t kFesc = 0xDB;
constexpr std::uint8_t kTfend = 0xDC;
constexpr std::uint8_t kTfesc = 0xDD;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

void appendAddress(std::vector<std::uint8_t>& frame, const Ax25Address& address, bool last) {
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = i < address.callsign.size() ? address.callsign[i] : ' ';
        frame.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>(c) << 1));
    }
    // The two reserved bits set, as every TNC sends them; the "has been repeated" bit clear.
    frame.push_back(static_cast<std::uint8_t>(0x60 | (address.ssid << 1) | (last ? 1 : 0)));
}

}  // namespace

std::optional<Ax25Address> parseAx25Address(const std::string& text) {
    const auto dash = text.find('-');
    std::string callsign = text.substr(0, dash);
    if (callsign.empty() || callsign.size() > 6) {
        return std::nullopt;
    }
    for (char& c : callsign) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return std::nullopt;
        }
    }
    int ssid = 0;
    if (dash != std::string::npos) {
        const std::string digits = text.substr(dash + 1);
        const bool shaped = !digits.empty() && digits.size() <= 2 &&
                            digits.find_first_not_of("0123456789") == std::string::npos &&
                            !(digits.size() == 2 && digits[0] == '0');
        if (!shaped || std::stoi(digits) > 15) {
            return std::nullopt;
        }
        ssid = std::stoi(digits);
    }
    return Ax25Address{callsign, ssid};
}

std::optional<std::vector<Ax25Address>> parseDigipeaterPath(const std::string& text) {
    std::vector<Ax25Address> path;
    const std::string_view all = trimmed(text);
    if (all.empty()) {
        return path;
    }
    for (std::size_t start = 0; start <= all.size();) {
        std::size_t end = all.find(',', start);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        const auto address = parseAx25Address(std::string(trimmed(all.substr(start, end - start))));
        if (!address || path.size() == 2) {
            return std::nullopt;
        }
        path.push_back(*address);
        start = end + 1;
    }
    return path;
}

std::vector<std::uint8_t> ax25UiFrame(const Ax25Address& source, const Ax25Address& destination,
                                      const std::vector<Ax25Address>& path,
                                      const std::string& information) {
    std::vector<std::uint8_t> frame;
    appendAddress(frame, destination, false);
    appendAddress(frame, source, path.empty());
    for (std::size_t i = 0; i < path.size(); ++i) {
        appendAddress(frame, path[i], i + 1 == path.size());
    }
    frame.push_back(kControlUi);
    frame.push_back(kNoLayer3);
    frame.insert(frame.end(), information.begin(), information.end());
    return frame;
}

std::vector<std::uint8_t> kissDataFrame(const std::vector<std::uint8_t>& frame) {
    std::vector<std::uint8_t> kiss{kFend, 0x00};
    for (const std::uint8_t byte : frame) {
        if (byte == kFend) {
            kiss.insert(kiss.end(), {kFesc, kTfend});
        } else if (byte == kFesc) {
            kiss.insert(kiss.end(), {kFesc, kTfesc});
        } else {
            kiss.push_back(byte);
        }
    }
    kiss.push_back(kFend);
    return kiss;
}

}  // namespace brezzolo
