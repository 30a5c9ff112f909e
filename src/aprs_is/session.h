#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "aprs_is/settings.h"
#include "aprs_is/socket.h"

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
