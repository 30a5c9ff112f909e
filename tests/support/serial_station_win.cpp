#include <cstdlib>

#include "support/serial_station.h"

namespace brezzolo::test {

SerialStation::SerialStation(const std::string& /*simulator*/, const std::string& /*folder*/) {
    const char* given = std::getenv("BREZZOLO_TEST_STATION");
    const std::string text = given != nullptr ? given : "";
    const auto first = text.find('|');
    const auto second = text.find('|', first == std::string::npos ? first : first + 1);
    if (second == std::string::npos) {
        return;  // not started: the test says so
    }
    heavyWeatherFolder_ = text.substr(0, first);
    port_ = text.substr(first + 1, second - first - 1);
    controlFile_ = text.substr(second + 1);
}

SerialStation::~SerialStation() = default;

}  // namespace brezzolo::test
