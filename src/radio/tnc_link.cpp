#include "radio/tnc_link.h"

#include <string_view>

#include "io/serial_port.h"
#include "io/tcp_stream.h"

namespace brezzolo {
namespace {

using std::chrono::steady_clock;

std::string withDetail(const std::string& text, const std::string& detail) {
    return detail.empty() ? text : text + " (" + detail + ")";
}

std::string connectFailure(const TncSettings& s, const NetError& error) {
    const std::string where = tncText(s);
    switch (error.kind) {
        case NetFailure::NameNotFound:
            return "TNC non trovato: " + s.host;
        case NetFailure::Refused:
            return "connessione rifiutata da " + where + " (il TNC non è in funzione?)";
        case NetFailure::ConnectTimedOut:
            return "il TNC " + where + " non risponde";
        default:
            return withDetail("connessione al TNC " + where + " non riuscita", error.detail);
    }
}

std::string openFailure(const std::string& port, const SerialOpenResult& result) {
    switch (result.failure) {
        case SerialOpenFailure::NotFound:
            return "porta seriale " + port + " non trovata";
        case SerialOpenFailure::InUse:
            return "porta seriale " + port + " occupata da un altro programma";
        case SerialOpenFailure::NoPermission:
            return "accesso negato alla porta seriale " + port;
        default:
            return withDetail("porta seriale " + port + " non utilizzabile", result.errorText);
    }
}

// Connects; a TNC that closes the connection at once counts as a failure.
TncResult connectTcp(const TncSettings& s, const TncTimeouts& t, TcpStream& stream) {
    ConnectResult connection = TcpStream::connect(s.host, s.port, t.connect);
    if (connection.error) {
        return {false, connectFailure(s, *connection.error)};
    }
    stream = std::move(connection.stream);
    std::string ignored;  // a TNC may pass on frames it hears; they are not ours to read
    const auto error = stream.readLine(ignored, steady_clock::now() + t.closeCheck);
    if (error && error->kind == NetFailure::Closed) {
        stream.close();
        return {false, "il TNC " + tncText(s) + " ha chiuso la connessione"};
    }
    return {true, {}};
}

TncResult openSerial(const TncSettings& s, SerialPort& port) {
    const SerialOpenResult opened =
        port.open(s.serialPort, SerialSettings{s.speed, ModemLines::Unchanged});
    if (!opened.ok()) {
        return {false, openFailure(s.serialPort, opened)};
    }
    return {true, {}};
}

}  // namespace

TncResult sendToTnc(const TncSettings& s, const std::vector<std::uint8_t>& bytes,
                    const TncTimeouts& t) {
    if (s.kind == TncKind::Serial) {
        SerialPort port;
        TncResult result = openSerial(s, port);
        if (!result.ok) {
            return result;
        }
        switch (port.write(bytes, t.write)) {
            case IoStatus::Ok:
                return {true, {}};
            case IoStatus::TimedOut:
                return {false, "il TNC su " + s.serialPort + " non accetta i dati"};
            case IoStatus::Failed:
                break;
        }
        return {false, withDetail("porta seriale " + s.serialPort + " non più disponibile",
                                  port.errorText())};
    }
    TcpStream stream;
    TncResult result = connectTcp(s, t, stream);
    if (!result.ok) {
        return result;
    }
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (auto error = stream.writeAll(data, steady_clock::now() + t.write)) {
        stream.close();
        if (error->kind == NetFailure::Closed) {
            return {false, "il TNC " + tncText(s) + " ha chiuso la connessione"};
        }
        if (error->kind == NetFailure::TimedOut) {
            return {false, "il TNC " + tncText(s) + " non accetta i dati"};
        }
        return {false, withDetail("errore di rete verso il TNC " + tncText(s), error->detail)};
    }
    stream.shutdownSend();
    stream.close();
    return {true, {}};
}

TncResult checkTnc(const TncSettings& s, const TncTimeouts& t) {
    if (s.kind == TncKind::Serial) {
        SerialPort port;
        return openSerial(s, port);
    }
    TcpStream stream;
    TncResult result = connectTcp(s, t, stream);
    stream.close();
    return result;
}

}  // namespace brezzolo
