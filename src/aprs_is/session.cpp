#include "aprs_is/session.h"

#include <algorithm>
#include <sstream>

#include "version.h"

namespace brezzolo {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// "10 s", or "500 ms" for the short times of the tests.
std::string durationText(milliseconds time) {
    if (time.count() % 1000 == 0) {
        return std::to_string(time.count() / 1000) + " s";
    }
    return std::to_string(time.count()) + " ms";
}

std::string withDetail(const std::string& text, const NetError& error) {
    return error.detail.empty() ? text : text + " (" + error.detail + ")";
}

std::string connectFailure(const AprsIsSettings& s, const NetError& error,
                           const SessionTimeouts& timeouts) {
    const std::string server = serverText(s.host, s.port);
    switch (error.kind) {
        case NetFailure::NameNotFound:
            return "server non trovato: " + s.host;
        case NetFailure::Refused:
            return "connessione rifiutata da " + server;
        case NetFailure::ConnectTimedOut:
            return server + " non risponde (nessuna connessione in " +
                   durationText(timeouts.connect) + ")";
        default:
            return withDetail("connessione a " + server + " non riuscita", error);
    }
}

// A failure while waiting for the server's lines.
std::string readFailure(const NetError& error, bool bannerSeen, const SessionTimeouts& timeouts) {
    switch (error.kind) {
        case NetFailure::TimedOut:
            return std::string(bannerSeen ? "il server non risponde al login"
                                          : "il server non risponde") +
                   " (nessuna risposta in " + durationText(timeouts.overall) + ")";
        case NetFailure::Closed:
            return "il server ha chiuso la connessione prima del login";
        default:
            return withDetail("errore di rete", error);
    }
}

std::string writeFailure(const NetError& error) {
    if (error.kind == NetFailure::Closed) {
        return "il server ha chiuso la connessione prima dell'invio";
    }
    if (error.kind == NetFailure::TimedOut) {
        return "il server non accetta i dati";
    }
    return withDetail("errore di rete", error);
}

// The word after the callsign in "# logresp CALL verified, server T2ROMA".
std::string loginVerdict(const std::string& logresp) {
    std::istringstream words(logresp);
    std::string hash, keyword, call, verdict;
    words >> hash >> keyword >> call >> verdict;
    if (!verdict.empty() && verdict.back() == ',') {
        verdict.pop_back();
    }
    return verdict;
}

// Control characters and bytes beyond ASCII become "?".
std::string printable(std::string_view line) {
    std::string shown(line);
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E) {
            c = '?';
        }
    }
    return shown;
}

bool isLoginAnswer(std::string_view line) {
    return line.starts_with("# logresp");
}

// The connection and the time it has.
struct LoggedIn {
    TcpStream stream;
    Deadline deadline;
};

// Connects and logs in. On failure the result says why and the stream is closed.
SessionResult logIn(const AprsIsSettings& s, const SessionOptions& options, LoggedIn& session) {
    SessionResult result;
    const SessionTimeouts& t = options.timeouts;
    ConnectResult connection = options.connector(s.host, s.port, std::min(t.connect, t.overall));
    if (connection.error) {
        result.message = connectFailure(s, *connection.error, t);
        return result;
    }
    // The lookup may have taken a while already; the session's time counts from here.
    session.deadline = steady_clock::now() + t.overall;
    session.stream = std::move(connection.stream);

    LoginReplies replies(s);
    std::string line;
    if (auto error = session.stream.readLine(line, session.deadline)) {
        result.message = readFailure(*error, false, t);
        return result;
    }
    replies.take(line);  // the banner, "# aprsc 2.1.14-g5e22b37"

    if (auto error = session.stream.writeAll(aprsIsLoginLine(s) + "\r\n", session.deadline)) {
        result.message = writeFailure(*error);
        result.serverLines = replies.serverLines();
        return result;
    }
    // Servers may send comments before the answer; they are kept and skipped.
    while (!replies.answered()) {
        if (auto error = session.stream.readLine(line, session.deadline)) {
            result.message = readFailure(*error, true, t);
            result.serverLines = replies.serverLines();
            return result;
        }
        replies.take(line);
    }
    return replies.result();
}

// The polite end: no more data from us, what the server still sends read, then the close.
void leave(LoggedIn& session, const SessionTimeouts& timeouts) {
    session.stream.shutdownSend();
    session.stream.drain(std::min(session.deadline, steady_clock::now() + timeouts.drain));
    session.stream.close();
}

}  // namespace

std::string printableServerLine(std::string_view line) {
    std::string shown = printable(line.substr(0, std::min(line.size(), kShownServerLine)));
    if (line.size() > kShownServerLine) {
        shown.replace(kShownServerLine - 3, 3, "...");
    }
    return shown;
}

bool LoginReplies::take(std::string_view line) {
    if (answer_) {
        return true;
    }
    const bool banner = lines_.empty();
    const bool answer = !banner && isLoginAnswer(line);
    std::string shown = printableServerLine(line);
    if (lines_.size() + 1 < kKeptServerLines || answer) {
        lines_.push_back(shown);
    }
    if (answer) {
        // The verdict comes from the whole line: only what is shown of it is cut.
        const std::string verdict = loginVerdict(printable(line));
        if (verdict == "verified") {
            outcome_ = LoginOutcome::Verified;
        } else if (verdict == "unverified") {
            outcome_ = settings_.passcode == -1 ? LoginOutcome::CwopUnverified
                                                : LoginOutcome::WrongPasscode;
        }
        answer_ = std::move(shown);
    }
    return answered();
}

SessionResult LoginReplies::result() const {
    SessionResult result;
    result.serverLines = lines_;
    if (!answer_) {
        return result;
    }
    switch (outcome_) {
        case LoginOutcome::Verified:
        case LoginOutcome::CwopUnverified:
            result.ok = true;
            result.message = *answer_;
            break;
        case LoginOutcome::WrongPasscode:
            // The core servers drop the packets of unverified logins: no use sending.
            result.message = "passcode errato: il server non ha verificato " + settings_.callsign;
            break;
        case LoginOutcome::Refused:
            result.message = "login rifiutato dal server: " + *answer_;
            break;
    }
    return result;
}

std::string aprsIsLoginLine(const AprsIsSettings& settings) {
    return "user " + settings.callsign + " pass " + std::to_string(settings.passcode) +
           " vers Brezzolo " + version::dotted;
}

SessionResult sendAprsIsPacket(const AprsIsSettings& settings, const std::string& packet,
                               const SessionOptions& options) {
    LoggedIn session;
    SessionResult result = logIn(settings, options, session);
    if (result.ok) {
        if (auto error = session.stream.writeAll(packet + "\r\n", session.deadline)) {
            result.ok = false;
            result.message = writeFailure(*error);
        }
    }
    leave(session, options.timeouts);
    return result;
}

SessionResult testAprsIsConnection(const AprsIsSettings& settings, const SessionOptions& options) {
    LoggedIn session;
    SessionResult result = logIn(settings, options, session);
    leave(session, options.timeouts);
    return result;
}

}  // namespace brezzolo
