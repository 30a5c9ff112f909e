#include <thread>

#include "support/direwolf.h"

namespace brezzolo::test {

std::string DireWolfLog::text() const {
    return readFileBytes(path_);
}

std::optional<std::string> DireWolfLog::nextTransmitted(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    do {
        const std::string all = text();
        std::size_t seen = 0;
        for (std::size_t at = all.find("[0L] "); at != std::string::npos;
             at = all.find("[0L] ", at + 1)) {
            const auto end = all.find('\n', at);
            if (end == std::string::npos) {
                break;  // not printed whole yet
            }
            if (seen++ == taken_) {
                ++taken_;
                return all.substr(at + 5, end - at - 5);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

}  // namespace brezzolo::test
