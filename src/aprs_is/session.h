#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aprs_is/settings.h"
#include "io/tcp_stream.h"

namespace brezzolo {

// One APRS-IS connection as the servers expect it: TCP, the server's banner line, our login
// line "user CALL pass PASSCODE vers Brezzolo 1.9.2", the server's "# logresp" line, the
// packet, then the sending side shut down, what the server still sends read, and the socket
// closed (closing with unread input would send a reset and could lose the packet). Lines end
// in CR LF.

struct SessionTimeouts {
    std::chrono::milliseconds connect{10'000};  // for the connection itself
    std::chrono::milliseconds overall{30'000};  // once connected, for the server to do its part
    std::chrono::milliseconds drain{5'000};     // for the server's close after our packet
};

// How a connection is made; tests put their own in place of TcpStream::connect.
using Connector =
    std::function<ConnectResult(const std::string& host, int port, std::chrono::milliseconds)>;

struct SessionOptions {
    SessionTimeouts timeouts;
    Connector connector = TcpStream::connect;
};

struct SessionResult {
    bool ok = false;
    // On failure a short Italian reason ("connessione rifiutata da ..."); on success the
    // server's login answer.
    std::string message;
    std::vector<std::string> serverLines;  // what the server said before and at the login
};

// How the server answered our login line, "# logresp CALL VERDICT, server NAME".
enum class LoginOutcome {
    Verified,        // "verified": the packets go on
    CwopUnverified,  // "unverified" for a login without passcode (-1), as CWOP ids log in
    WrongPasscode,   // "unverified" for a login with a passcode: the core servers would drop
                     // the packets
    Refused,         // any other answer
};

// A server's line as the session keeps and shows it: control characters and bytes beyond
// ASCII, which would garble a status line or a terminal, become "?", and a line longer than
// kShownServerLine characters is cut there and ends in "...".
inline constexpr std::size_t kShownServerLine = 100;
std::string printableServerLine(std::string_view line);

// The server's lines of one login as the session reads them off the connection: the banner,
// then comments, then the login answer. Kept apart from the socket, so that the tests and the
// fuzzing can play any server without a network.
class LoginReplies {
  public:
    // The server's lines kept, the answer included; a server that chatters is not kept whole.
    static constexpr std::size_t kKeptServerLines = 16;

    explicit LoginReplies(const AprsIsSettings& settings) : settings_(settings) {}

    // Takes the next line the server sent, without its line end. The first is the banner; a
    // later line starting with "# logresp" is the login answer. True once the answer came;
    // lines after it are not taken.
    bool take(std::string_view line);
    bool answered() const { return answer_.has_value(); }

    // The outcome of the answer; Refused while there is none.
    LoginOutcome outcome() const { return outcome_; }
    // The session's result: on success the answer as message, on failure why; without an
    // answer not ok and no message (the caller knows why the server stopped).
    SessionResult result() const;
    const std::vector<std::string>& serverLines() const { return lines_; }

  private:
    AprsIsSettings settings_;
    std::vector<std::string> lines_;
    std::optional<std::string> answer_;  // as shown
    LoginOutcome outcome_ = LoginOutcome::Refused;
};

// "user IZ0ABC-13 pass 12345 vers Brezzolo 1.9.2"
std::string aprsIsLoginLine(const AprsIsSettings& settings);

// Logs in and sends the packet (given without line end).
SessionResult sendAprsIsPacket(const AprsIsSettings& settings, const std::string& packet,
                               const SessionOptions& options = {});

// Logs in and leaves without sending anything: the settings dialog's connection test. On
// success the message is the server's login answer.
SessionResult testAprsIsConnection(const AprsIsSettings& settings,
                                   const SessionOptions& options = {});

}  // namespace brezzolo
