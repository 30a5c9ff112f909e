#include "aprs_is/cycle_upload.h"

#include "aprs_is/upload_state.h"

namespace brezzolo {
namespace {

// A name lookup has no limit of its own; this is how long the end of a one-shot run waits for
// one beyond the session's own limits.
constexpr std::chrono::seconds kLookupMargin{15};

std::chrono::milliseconds finishLimit(const SessionTimeouts& t) {
    return t.connect + t.overall + t.drain + kLookupMargin;
}

}  // namespace

CycleUpload::CycleUpload(const std::string& configPath, UploaderOptions options)
    : settingsPath_(besideConfigFile(configPath, kAprsIsSettingsFileName)),
      finishLimit_(finishLimit(options.session.timeouts)),
      uploader_(besideConfigFile(configPath, kAprsIsStateFileName), options),
      timeZone_(options.timeZone),
      clock_(options.clock) {
    readSettings();
}

void CycleUpload::readSettings() {
    settings_ = readAprsIsSettings(settingsPath_);
}

void CycleUpload::note(const std::string& message, std::ostream& messages) {
    if (message != lastNote_ && !message.empty()) {
        messages << message << "\n" << std::flush;
    }
    lastNote_ = message;
}

void CycleUpload::poll(std::ostream& messages) {
    if (auto outcome = uploader_.takeOutcome()) {
        if (!outcome->sent) {
            messages << uploader_.statusLine() << "\n" << std::flush;
        }
        lastOutcome_ = std::move(outcome);
    }
}

void CycleUpload::afterCycle(const std::optional<ReportedReading>& reported,
                             std::ostream& messages) {
    poll(messages);
    readSettings();
    if (!settings_) {
        note({}, messages);
        return;
    }
    if (!settings_->problems.empty()) {
        std::string text;
        for (const std::string& problem : settings_->problems) {
            text +=
                (text.empty() ? "" : "\n") + std::string(kAprsIsSettingsFileName) + ": " + problem;
        }
        note(text, messages);
        return;
    }
    if (!settings_->usable() || !reported) {
        note({}, messages);
        return;
    }
    if (uploader_.offer(*reported, settings_->settings) == OfferResult::NoReadingTime) {
        note(uploader_.statusLine(), messages);
    } else {
        note({}, messages);
    }
}

void CycleUpload::finish(bool wait, std::ostream& messages) {
    if (wait && uploader_.busy() && !uploader_.waitForOutcome(finishLimit_)) {
        messages << "APRS-IS: invio ancora in corso all'uscita, esito sconosciuto\n" << std::flush;
    }
    poll(messages);
}

std::string CycleUpload::statusLine() const {
    if (!settings_) {
        return {};
    }
    if (!settings_->problems.empty()) {
        return aprsIsSettingsStatusLine(settings_->problems.front());
    }
    if (!settings_->settings.enabled) {
        return kAprsIsStatusOff;
    }
    return uploader_.statusLine();
}

std::string CycleUpload::dumpLines() const {
    if (!settings_) {
        return {};
    }
    std::string outcome;
    if (lastOutcome_) {
        const auto now =
            std::chrono::duration_cast<std::chrono::seconds>(clock_().time_since_epoch()).count();
        const std::string when = localTimeText(lastOutcome_->startedAt, timeZone_, now);
        outcome = lastOutcome_->sent ? "inviato alle " + when + " a " + lastOutcome_->server
                                     : "errore alle " + when + ": " + lastOutcome_->message;
    }
    return "AprsIs.status=" + statusLine() + "\nAprsIs.lastOutcome=" + outcome +
           "\nAprsIs.packet=" + (lastOutcome_ ? lastOutcome_->packet : "") + "\n";
}

}  // namespace brezzolo
