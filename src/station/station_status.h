#pragma once

#include <optional>
#include <string>

#include "common/civil_time.h"

namespace brezzolo {

// The one-line state of the station link, the same in both window programs and in the
// converter's dump. The texts (COM3 standing for the port):
//   Stazione: in attesa della prima lettura (COM3)
//   Stazione: ultima lettura 14:05 (COM3)                   (04/06 14:05 when not today)
//   Stazione: ultima lettura 14:05 (COM3) - storico non aggiornato: <why>
//   Stazione: nessuna risposta da COM3 dalle 14:05          (without "dalle" before any reading)
//   Stazione: lettura non valida da COM3 - <why>            (sensore esterno perso, ...)
//   Stazione: porta COM3 non disponibile - <what the system said>
//   Stazione: lettura da COM3 riuscita, ma currdat.lst non scritto - <path>
//   Stazione: nessuna lettura da COM3 dalle 14:05, currdat.lst rimosso

enum class StationLinkState {
    Starting,     // no poll has ended yet
    Reading,      // the latest poll was written to currdat.lst
    NoAnswer,     // the station stays silent or answers garbage
    InvalidData,  // it answered, but with values that must not be written (a lost sensor)
    PortError,    // the port cannot be opened or failed
    FileError,    // a good reading could not be written
    Lost,         // no good reading for too long: currdat.lst was removed
};

struct StationLinkStatus {
    StationLinkState state = StationLinkState::Starting;
    std::optional<CivilTime> lastReading;  // the PC's local time of the latest good reading
    std::string port;
    std::string detail;   // Italian: what went wrong (PortError, InvalidData, FileError)
    std::string history;  // Italian: why the history file is not up to date; empty when it is

    bool operator==(const StationLinkStatus&) const = default;
};

// The status line; `now` (the PC's local time) decides whether a time needs its date.
std::string stationStatusLine(const StationLinkStatus& status, const CivilTime& now);

// "14:05" for a time of the same day as `now`, "04/06 14:05" (day/month) otherwise.
std::string stationTimeText(const CivilTime& time, const CivilTime& now);

// The status for brezzolo-headless --dump: "Station.<name>=<value>" lines, each ended by LF.
std::string stationDumpLines(const StationLinkStatus& status, const CivilTime& now);

}  // namespace brezzolo
