#include "station/station_status.h"

namespace brezzolo {
namespace {

std::string twoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

const char* stateName(StationLinkState state) {
    switch (state) {
        case StationLinkState::Starting:
            return "Starting";
        case StationLinkState::Reading:
            return "Reading";
        case StationLinkState::NoAnswer:
            return "NoAnswer";
        case StationLinkState::InvalidData:
            return "InvalidData";
        case StationLinkState::PortError:
            return "PortError";
        case StationLinkState::FileError:
            return "FileError";
        case StationLinkState::Lost:
            return "Lost";
    }
    return "";
}

}  // namespace

std::string stationTimeText(const CivilTime& t, const CivilTime& now) {
    std::string text = twoDigits(t.hour) + ":" + twoDigits(t.minute);
    if (t.year != now.year || t.month != now.month || t.day != now.day) {
        text.insert(0, twoDigits(t.day) + "/" + twoDigits(t.month) + " ");
    }
    return text;
}

std::string stationStatusLine(const StationLinkStatus& s, const CivilTime& now) {
    const std::string prefix = "Stazione: ";
    const std::string since =
        s.lastReading ? " dalle " + stationTimeText(*s.lastReading, now) : std::string();
    switch (s.state) {
        case StationLinkState::Starting:
            return prefix + "in attesa della prima lettura (" + s.port + ")";
        case StationLinkState::Reading: {
            std::string line = prefix + "ultima lettura " +
                               (s.lastReading ? stationTimeText(*s.lastReading, now) : "") + " (" +
                               s.port + ")";
            return s.history.empty() ? line : line + " - " + s.history;
        }
        case StationLinkState::NoAnswer:
            return prefix + "nessuna risposta da " + s.port + since;
        case StationLinkState::InvalidData:
            return prefix + "lettura non valida da " + s.port + " - " + s.detail;
        case StationLinkState::PortError:
            return prefix + "porta " + s.port + " non disponibile - " + s.detail;
        case StationLinkState::FileError:
            return prefix + "lettura da " + s.port + " riuscita, ma currdat.lst non scritto - " +
                   s.detail;
        case StationLinkState::Lost:
            return prefix + "nessuna lettura da " + s.port + since + ", currdat.lst rimosso";
    }
    return prefix;
}

std::string stationDumpLines(const StationLinkStatus& s, const CivilTime& now) {
    std::string lastReading;
    if (s.lastReading) {
        const CivilTime& t = *s.lastReading;
        lastReading = std::to_string(t.year) + "-" + twoDigits(t.month) + "-" + twoDigits(t.day) +
                      " " + twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" +
                      twoDigits(t.second);
    }
    return "Station.status=" + stationStatusLine(s, now) + "\nStation.state=" + stateName(s.state) +
           "\nStation.port=" + s.port + "\nStation.lastReading=" + lastReading +
           "\nStation.detail=" + s.detail + "\nStation.history=" + s.history + "\n";
}

}  // namespace brezzolo
