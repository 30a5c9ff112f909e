#include "aprs_is/uploader.h"

#include <exception>

namespace brezzolo {

Uploader::Uploader(std::string statePath, UploaderOptions options)
    : statePath_(std::move(statePath)),
      options_(std::move(options)),
      state_(readUploadState(statePath_)) {
    status_.lastSent = state_.lastSent;
    status_.lastServer = state_.lastServer;
}

std::int64_t Uploader::now() const {
    return std::chrono::duration_cast<std::chrono::seconds>(options_.clock().time_since_epoch())
        .count();
}

OfferResult Uploader::offer(const ReportedReading& reported, const AprsIsSettings& settings) {
    collect();
    if (task_.busy()) {
        return OfferResult::Busy;
    }
    const std::int64_t moment = now();
    const std::string stamp = readingStamp(reported.reading);
    if (stamp.empty()) {
        status_.activity = UploadActivity::ReadingWithoutTime;
        return OfferResult::NoReadingTime;
    }
    const SendDue due = sendDue(state_, stamp, moment, settings.intervalMinutes);
    if (due == SendDue::NotDue) {
        return OfferResult::NotDue;
    }
    if (due == SendDue::SameReading) {
        status_.activity = UploadActivity::ReadingUnchanged;
        status_.readingTime = reported.reading.hour + ":" + reported.reading.minute;
        return OfferResult::SameReading;
    }
    const auto packet = aprsIsPacket(reported, settings, options_.timeZone);
    if (!packet) {
        status_.activity = UploadActivity::ReadingWithoutTime;  // a local time the zone lacks
        return OfferResult::NoReadingTime;
    }
    start(settings, *packet, stamp, moment);
    return OfferResult::Started;
}

void Uploader::start(const AprsIsSettings& settings, const std::string& packet,
                     const std::string& stamp, std::int64_t startedAt) {
    state_.lastAttempt = startedAt;
    writeUploadState(state_, statePath_);  // a failure only loses the rules across a restart

    underWay_ = UploadOutcome{startedAt, false, {}, settings.host, packet};
    underWayStamp_ = stamp;
    const bool started = task_.start([settings, packet, session = options_.session] {
        try {
            return sendAprsIsPacket(settings, packet, session);
        } catch (const std::exception& e) {
            return SessionResult{false, std::string("errore interno: ") + e.what(), {}};
        }
    });
    if (!started) {
        underWay_.message = "errore interno: impossibile avviare l'invio";
        finish(std::move(underWay_));
        return;
    }
    status_.activity = UploadActivity::Uploading;
    status_.server = settings.host;
}

void Uploader::collect() {
    if (auto result = task_.take()) {
        underWay_.sent = result->ok;
        underWay_.message = std::move(result->message);
        finish(std::move(underWay_));
    }
}

void Uploader::finish(UploadOutcome outcome) {
    recordSendOutcome(
        {outcome.sent, outcome.startedAt, underWayStamp_, outcome.server, outcome.message},
        statePath_, state_, status_);
    ready_ = std::move(outcome);
}

std::optional<UploadOutcome> Uploader::takeOutcome() {
    collect();
    auto outcome = std::move(ready_);
    ready_.reset();
    return outcome;
}

bool Uploader::waitForOutcome(std::chrono::milliseconds limit) {
    return task_.wait(limit);
}

std::string Uploader::statusLine() const {
    return aprsIsStatusLine(status_, options_.timeZone, now());
}

}  // namespace brezzolo
