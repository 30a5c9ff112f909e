#include "support/aprs_is_test_server.h"

#include <sstream>

namespace brezzolo::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Each wait of the server is short, so that it notices a stop soon.
constexpr milliseconds kStep{50};

}  // namespace

AprsIsTestServer::AprsIsTestServer(ServerBehaviour behaviour, milliseconds delay)
    : behaviour_(behaviour), delay_(delay), thread_([this] { serve(); }) {}

AprsIsTestServer::~AprsIsTestServer() {
    stopping_ = true;
    changed_.notify_all();
    thread_.join();
}

void AprsIsTestServer::serve() {
    while (!stopping_) {
        auto client = listener_.accept(kStep);
        if (!client) {
            continue;
        }
        ServerSession s = session(*client);
        client->close();
        const std::lock_guard lock(mutex_);
        sessions_.push_back(std::move(s));
        changed_.notify_all();
    }
}

bool AprsIsTestServer::pause() {
    std::unique_lock lock(mutex_);
    if (behaviour_ == ServerBehaviour::Held) {
        changed_.wait(lock, [this] { return released_ || stopping_; });
    } else if (behaviour_ == ServerBehaviour::Slow) {
        changed_.wait_for(lock, delay_, [this] { return stopping_.load(); });
    }
    return !stopping_;
}

ServerSession AprsIsTestServer::session(TcpStream& client) {
    ServerSession s;
    // Reads one line, waiting in short steps; false at the end of the connection or a stop.
    auto receive = [&](std::string& line) {
        while (!stopping_) {
            bool crlf = false;
            const auto error = client.readLine(line, steady_clock::now() + kStep, &crlf);
            if (!error) {
                s.crlf = s.crlf && crlf;
                return true;
            }
            if (error->kind != NetFailure::TimedOut) {
                s.orderlyEnd = error->kind == NetFailure::Closed && error->detail.empty();
                return false;
            }
        }
        return false;
    };
    auto record = [&](const std::string& line) { s.lines.push_back(line); };
    auto send = [&](const std::string& line) {
        return pause() && !client.writeAll(line + "\r\n", steady_clock::now() + milliseconds(2000));
    };

    std::string line;
    if (behaviour_ == ServerBehaviour::Silent) {
        while (receive(line)) {
            record(line);
        }
        return s;
    }
    if (!send("# brezzolo-test-server 1.0") || !receive(line)) {
        return s;
    }
    record(line);
    if (behaviour_ == ServerBehaviour::CloseEarly) {
        return s;
    }
    std::istringstream words(line);
    std::string user, call;
    words >> user >> call;
    const char* verdict = behaviour_ == ServerBehaviour::RejectLogin ? "unverified" : "verified";
    // A comment after the answer, as real servers send now and then: a client that closes
    // without reading it resets the connection.
    if (!send("# logresp " + call + " " + verdict + ", server TESTSRV") ||
        !send("# server keepalive")) {
        return s;
    }
    while (receive(line)) {
        record(line);
    }
    return s;
}

std::vector<ServerSession> AprsIsTestServer::sessions() const {
    const std::lock_guard lock(mutex_);
    return sessions_;
}

std::vector<std::string> AprsIsTestServer::packets() const {
    std::vector<std::string> packets;
    for (const ServerSession& s : sessions()) {
        packets.insert(packets.end(), s.lines.begin() + (s.lines.empty() ? 0 : 1), s.lines.end());
    }
    return packets;
}

bool AprsIsTestServer::waitForSessions(std::size_t count, milliseconds limit) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return sessions_.size() >= count; });
}

void AprsIsTestServer::release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
}

int AprsIsTestServer::closedPort() {
    LoopbackListener listener;
    return listener.port();
}

AprsIsSettings loopbackSettings(int port, int passcode) {
    AprsIsSettings settings;
    settings.enabled = true;
    settings.callsign = "IZ0ABC-13";
    settings.passcode = passcode;
    settings.host = "127.0.0.1";
    settings.port = port;
    settings.latitude = 41.8917;
    settings.longitude = 12.4883;
    return settings;
}

std::vector<std::string> loopbackSettingsFile(int port) {
    return {"enabled=1",        "callsign=IZ0ABC-13",
            "passcode=12345",   "server=127.0.0.1:" + std::to_string(port),
            "latitude=41.8917", "longitude=12.4883"};
}

}  // namespace brezzolo::test
