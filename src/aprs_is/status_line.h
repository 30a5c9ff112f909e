#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "aprs_is/time_zone.h"

namespace brezzolo {

// The one-line state of the APRS-IS upload, the same in both window programs and on the
// converter's stderr. The texts:
//   APRS-IS: disattivato                                  (aprs-is.brz with enabled=0)
//   APRS-IS: impostazioni non valide - <what is wrong>    (the upload stays off)
//   APRS-IS: attivo, nessun invio finora
//   APRS-IS: invio in corso a <server>
//   APRS-IS: ultimo invio 14:05 (<server>)                (with the date, 04/06 14:05, when
//                                                          not today)
//   APRS-IS: errore - <reason> (ultimo invio 14:05)       or (nessun invio riuscito)
//   APRS-IS: dati della stazione fermi alle 14:05, non reinviati (ultimo invio 14:06)
//   APRS-IS: lettura senza data e ora valide, non inviata
// Without aprs-is.brz there is no line at all: the window looks as it always did.

enum class UploadActivity {
    Idle,                // nothing happened in this run yet
    Uploading,           // an upload is under way
    Sent,                // the latest upload went out
    Failed,              // the latest upload failed
    ReadingUnchanged,    // the reading due for upload already went out
    ReadingWithoutTime,  // the reading has no valid time, so there is no packet
};

struct UploadStatus {
    UploadActivity activity = UploadActivity::Idle;
    std::string server;                    // of the upload under way
    std::string failure;                   // the reason of the failed upload
    std::string readingTime;               // "14:05", the time of the unchanged reading
    std::optional<std::int64_t> lastSent;  // seconds since 1970 UTC
    std::string lastServer;
};

inline constexpr const char* kAprsIsStatusOff = "APRS-IS: disattivato";

std::string aprsIsStatusLine(const UploadStatus& status, const TimeZone& zone, std::int64_t now);

// The same line for another way out, after its own prefix ("Radio: ").
std::string sendStatusLine(const std::string& prefix, const UploadStatus& status,
                           const TimeZone& zone, std::int64_t now);

// The line for settings that keep the upload off.
std::string aprsIsSettingsStatusLine(const std::string& problem);

// "14:05" for a moment of today, "04/06 14:05" for one of another day (local time).
std::string localTimeText(std::int64_t moment, const TimeZone& zone, std::int64_t now);

}  // namespace brezzolo
