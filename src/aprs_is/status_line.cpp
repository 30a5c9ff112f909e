#include "aprs_is/status_line.h"

namespace brezzolo {
namespace {

std::string twoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string lastSentText(const UploadStatus& s, const TimeZone& zone, std::int64_t now) {
    if (!s.lastSent) {
        return "nessun invio riuscito";
    }
    return "ultimo invio " + localTimeText(*s.lastSent, zone, now);
}

}  // namespace

std::string localTimeText(std::int64_t moment, const TimeZone& zone, std::int64_t now) {
    const CivilTime t = zone.toLocal(moment);
    const CivilTime today = zone.toLocal(now);
    std::string text = twoDigits(t.hour) + ":" + twoDigits(t.minute);
    if (t.year != today.year || t.month != today.month || t.day != today.day) {
        text.insert(0, twoDigits(t.day) + "/" + twoDigits(t.month) + " ");
    }
    return text;
}

std::string aprsIsStatusLine(const UploadStatus& s, const TimeZone& zone, std::int64_t now) {
    return sendStatusLine("APRS-IS: ", s, zone, now);
}

std::string sendStatusLine(const std::string& prefix, const UploadStatus& s, const TimeZone& zone,
                           std::int64_t now) {
    switch (s.activity) {
        case UploadActivity::Uploading:
            return prefix + "invio in corso a " + s.server;
        case UploadActivity::Failed:
            return prefix + "errore - " + s.failure + " (" + lastSentText(s, zone, now) + ")";
        case UploadActivity::ReadingUnchanged:
            return prefix + "dati della stazione fermi alle " + s.readingTime +
                   ", non reinviati (" + lastSentText(s, zone, now) + ")";
        case UploadActivity::ReadingWithoutTime:
            return prefix + "lettura senza data e ora valide, non inviata";
        case UploadActivity::Idle:
        case UploadActivity::Sent:
            break;
    }
    if (!s.lastSent) {
        return prefix + "attivo, nessun invio finora";
    }
    return prefix + lastSentText(s, zone, now) + " (" + s.lastServer + ")";
}

std::string aprsIsSettingsStatusLine(const std::string& problem) {
    return "APRS-IS: impostazioni non valide - " + problem;
}

}  // namespace brezzolo
