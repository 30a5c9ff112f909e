#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "aprs_is/settings.h"
#include "support/loopback_listener.h"

namespace brezzolo::test {

// Our own APRS-IS server for the tests, on 127.0.0.1 at a port of its own, serving one
// connection after the other on a thread of its own. It records every line it receives and
// misbehaves on request.
enum class ServerBehaviour {
    Normal,       // a banner, "# logresp CALL verified, server TESTSRV", a comment, then it
                  // listens
    Silent,       // accepts and never says a word
    CloseEarly,   // a banner, reads the login and closes without an answer
    RejectLogin,  // answers the login "unverified", as servers do for a wrong passcode
    Slow,         // as Normal, each line it sends after the delay
    Held,         // as Normal, but says nothing until release()
};

struct ServerSession {
    std::vector<std::string> lines;  // as received, without line ends
    bool crlf = true;                // every line ended in CR LF
    bool orderlyEnd = false;         // the client shut its side down (no reset)
};

class AprsIsTestServer {
  public:
    explicit AprsIsTestServer(ServerBehaviour behaviour = ServerBehaviour::Normal,
                              std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    ~AprsIsTestServer();
    AprsIsTestServer(const AprsIsTestServer&) = delete;
    AprsIsTestServer& operator=(const AprsIsTestServer&) = delete;

    int port() const { return listener_.port(); }

    // The sessions that have ended, in order.
    std::vector<ServerSession> sessions() const;
    // The lines after the login of every ended session: the packets.
    std::vector<std::string> packets() const;
    // Waits until this many sessions have ended; false when that takes longer than `limit`.
    bool waitForSessions(std::size_t count,
                         std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

    // Lets a Held server go on.
    void release();

    // A port on 127.0.0.1 where nobody listens: a connection there is refused.
    static int closedPort();

  private:
    void serve();
    ServerSession session(TcpStream& client);
    bool pause();  // the delay or the hold; false when the server is stopping

    ServerBehaviour behaviour_;
    std::chrono::milliseconds delay_;
    LoopbackListener listener_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool released_ = false;
    std::vector<ServerSession> sessions_;
    std::thread thread_;
};

// Settings that send as IZ0ABC-13 from Rome to a server on this machine's `port`, and the
// same as the lines of aprs-is.brz.
AprsIsSettings loopbackSettings(int port, int passcode = 12345);
std::vector<std::string> loopbackSettingsFile(int port);

}  // namespace brezzolo::test
