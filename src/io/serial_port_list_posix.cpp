#include "io/serial_port_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace brezzolo {
namespace {

namespace fs = std::filesystem;

// "ttyUSB2" before "ttyUSB10": runs of digits compare by their value.
bool naturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (digitA && digitB) {
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && std::isdigit(static_cast<unsigned char>(a[endA])) != 0) {
                ++endA;
            }
            while (endB < b.size() && std::isdigit(static_cast<unsigned char>(b[endB])) != 0) {
                ++endB;
            }
            std::string_view numberA = a.substr(i, endA - i);
            std::string_view numberB = b.substr(j, endB - j);
            while (numberA.size() > 1 && numberA.front() == '0') {
                numberA.remove_prefix(1);
            }
            while (numberB.size() > 1 && numberB.front() == '0') {
                numberB.remove_prefix(1);
            }
            if (numberA.size() != numberB.size()) {
                return numberA.size() < numberB.size();
            }
            if (numberA != numberB) {
                return numberA < numberB;
            }
            i = endA;
            j = endB;
        } else {
            if (a[i] != b[j]) {
                return a[i] < b[j];
            }
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// Linux has a ttyS device for every UART slot the kernel reserves, most with nothing behind
// them; sysfs gives the UART type of each (0: none), without opening the port.
bool hasUart(const std::string& name) {
    std::ifstream type("/sys/class/tty/" + name + "/type");
    int value = 0;
    if (!(type >> value)) {
        return true;  // no sysfs to ask: keep the port
    }
    return value != 0;
}

std::vector<std::string> entries(const fs::path& folder, std::string_view prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.starts_with(prefix)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return naturalLess(a, b); });
    return names;
}

}  // namespace

std::vector<std::string> listSerialPorts() {
    std::vector<std::string> ports;
    for (const std::string& name : entries("/dev/serial/by-id", "")) {
        ports.push_back("/dev/serial/by-id/" + name);
    }
    for (const std::string_view prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        for (const std::string& name : entries("/dev", prefix)) {
            if (prefix != "ttyS" || hasUart(name)) {
                ports.push_back("/dev/" + name);
            }
        }
    }
    return ports;
}

}  // namespace brezzolo
