#include "radio/cycle_radio.h"

#include "common/settings_file.h"

namespace brezzolo {
namespace {

// Beyond the connection's and the write's own limits, for a host name's lookup.
constexpr std::chrono::seconds kLookupMargin{15};

}  // namespace

CycleRadio::CycleRadio(const std::string& configPath, RadioSenderOptions options)
    : configPath_(configPath),
      finishLimit_(options.timeouts.connect + options.timeouts.closeCheck + options.timeouts.write +
                   kLookupMargin),
      sender_(besideConfigFile(configPath, kRadioStateFileName), std::move(options)) {
    reloadSettings();
}

void CycleRadio::reloadSettings() {
    settings_ = readRadioSettings(configPath_);
}

void CycleRadio::note(const std::string& message, std::ostream& messages) {
    if (message != lastNote_ && !message.empty()) {
        messages << message << "\n" << std::flush;
    }
    lastNote_ = message;
}

void CycleRadio::poll(std::ostream& messages) {
    if (auto outcome = sender_.takeOutcome()) {
        if (!outcome->sent) {
            messages << sender_.statusLine() << "\n" << std::flush;
        }
        lastOutcome_ = std::move(outcome);
    }
}

void CycleRadio::afterCycle(const std::optional<ReportedReading>& reported,
                            std::ostream& messages) {
    poll(messages);
    reloadSettings();
    if (settings_ && !settings_->problems.empty()) {
        std::string text;
        for (const std::string& problem : settings_->problems) {
            text += (text.empty() ? "" : "\n") + std::string(kRadioStatusPrefix) + problem;
        }
        note(text, messages);
        return;
    }
    if (!settings_ || !settings_->usable() || !reported) {
        note({}, messages);
        return;
    }
    if (sender_.offer(*reported, settings_->settings) == OfferResult::NoReadingTime) {
        note(sender_.statusLine(), messages);
    } else {
        note({}, messages);
    }
}

void CycleRadio::finish(bool wait, std::ostream& messages) {
    if (wait && sender_.busy() && !sender_.waitForOutcome(finishLimit_)) {
        messages << kRadioStatusPrefix
                 << "invio al TNC ancora in corso all'uscita, esito sconosciuto\n"
                 << std::flush;
    }
    poll(messages);
}

std::string CycleRadio::statusLine() const {
    if (!settings_) {
        return {};
    }
    if (!settings_->problems.empty()) {
        return std::string(kRadioStatusPrefix) + "impostazioni non valide - " +
               settings_->problems.front();
    }
    if (!settings_->settings.tnc.enabled) {
        return std::string(kRadioStatusPrefix) + "disattivato";
    }
    return sender_.statusLine();
}

std::string CycleRadio::dumpLines() const {
    if (!settings_) {
        return {};
    }
    std::string outcome;
    if (lastOutcome_) {
        outcome = lastOutcome_->sent ? "inviato a " + lastOutcome_->tnc
                                     : "errore: " + lastOutcome_->message;
    }
    return "Radio.status=" + statusLine() + "\nRadio.lastOutcome=" + outcome +
           "\nRadio.packet=" + (lastOutcome_ ? lastOutcome_->packet : "") + "\n";
}

}  // namespace brezzolo
