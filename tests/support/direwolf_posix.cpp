#include "support/direwolf.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

namespace brezzolo::test {
namespace {

// A port nobody listens on just now. Dire Wolf takes only ports up to 49151, below the range
// the system gives out by itself, so the port is one of those, tried in turn.
int freePort() {
    const int offset = static_cast<int>(::getpid() % 20000);
    for (int i = 0; i < 200; ++i) {
        const int port = 21000 + (offset + i * 97) % 28000;
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        const bool free = ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(s);
        if (free) {
            return port;
        }
    }
    return 0;
}

std::optional<std::string> valueAfter(const std::string& log, const std::string& prefix) {
    const auto at = log.find(prefix);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const auto start = at + prefix.size();
    return log.substr(start, log.find('\n', start) - start);
}

}  // namespace

DireWolf::DireWolf() {
    if (runProgram("command -v direwolf > /dev/null") != 0) {
        return;
    }
    port_ = freePort();
    if (port_ == 0) {
        return;
    }
    writeFileBytes(folder_.file("direwolf.conf"),
                   "ADEVICE stdin null\nARATE 8000\nCHANNEL 0\nMYCALL N0CALL\nMODEM 1200\n"
                   "KISSPORT " +
                       std::to_string(port_) + "\nAGWPORT 0\n");
    const std::string fifo = folder_.file("audio");
    if (::mkfifo(fifo.c_str(), 0600) != 0) {
        return;
    }
    // Read and write, so that opening does not wait for a reader and the pipe never ends.
    silence_ = ::open(fifo.c_str(), O_RDWR);
    program_.emplace("/bin/sh",
                     std::vector<std::string>{"-c", "cd '" + folder_.path() +
                                                        "' && exec direwolf -c direwolf.conf -t 0 "
                                                        "-p < audio > direwolf.log 2>&1"});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string text = log();
        if (text.find("Ready to accept KISS TCP client application 0") != std::string::npos) {
            terminal_ = valueAfter(text, "Virtual KISS TNC is available on ").value_or("");
            ready_ = !terminal_.empty();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

DireWolf::~DireWolf() {
    if (program_) {
        program_->kill();
    }
    if (silence_ >= 0) {
        ::close(silence_);
    }
}

}  // namespace brezzolo::test
