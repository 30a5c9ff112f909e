#include "radio/radio_sender.h"

#include <exception>

#include "radio/radio_frame.h"

namespace brezzolo {

RadioSender::RadioSender(std::string statePath, RadioSenderOptions options)
    : statePath_(std::move(statePath)),
      options_(std::move(options)),
      state_(readUploadState(statePath_)) {
    status_.lastSent = state_.lastSent;
    status_.lastServer = state_.lastServer;
}

std::int64_t RadioSender::now() const {
    return std::chrono::duration_cast<std::chrono::seconds>(options_.clock().time_since_epoch())
        .count();
}

OfferResult RadioSender::offer(const ReportedReading& reported, const RadioSettings& settings) {
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
    const SendDue due = sendDue(state_, stamp, moment, settings.tnc.intervalMinutes);
    if (due == SendDue::NotDue) {
        return OfferResult::NotDue;
    }
    if (due == SendDue::SameReading) {
        status_.activity = UploadActivity::ReadingUnchanged;
        status_.readingTime = reported.reading.hour + ":" + reported.reading.minute;
        return OfferResult::SameReading;
    }
    const auto frame = radioFrame(reported, settings, options_.timeZone);
    if (!frame) {
        status_.activity = UploadActivity::ReadingWithoutTime;
        return OfferResult::NoReadingTime;
    }

    state_.lastAttempt = moment;
    writeUploadState(state_, statePath_);  // a failure only loses the rules across a restart
    const std::string tnc = tncText(settings.tnc);
    underWay_ = RadioOutcome{moment, false, {}, tnc, frame->monitorText};
    underWayStamp_ = stamp;
    const bool started =
        task_.start([tncSettings = settings.tnc, kiss = frame->kiss, timeouts = options_.timeouts] {
            try {
                return sendToTnc(tncSettings, kiss, timeouts);
            } catch (const std::exception& e) {
                return TncResult{false, std::string("errore interno: ") + e.what()};
            }
        });
    if (!started) {
        underWay_.message = "errore interno: impossibile avviare l'invio";
        finish(std::move(underWay_));
        return OfferResult::Started;
    }
    status_.activity = UploadActivity::Uploading;
    status_.server = tnc;
    return OfferResult::Started;
}

void RadioSender::collect() {
    if (auto result = task_.take()) {
        underWay_.sent = result->ok;
        underWay_.message = std::move(result->message);
        finish(std::move(underWay_));
    }
}

void RadioSender::finish(RadioOutcome outcome) {
    recordSendOutcome(
        {outcome.sent, outcome.startedAt, underWayStamp_, outcome.tnc, outcome.message}, statePath_,
        state_, status_);
    ready_ = std::move(outcome);
}

std::optional<RadioOutcome> RadioSender::takeOutcome() {
    collect();
    auto outcome = std::move(ready_);
    ready_.reset();
    return outcome;
}

std::string RadioSender::statusLine() const {
    return sendStatusLine(kRadioStatusPrefix, status_, options_.timeZone, now());
}

}  // namespace brezzolo
