#include "radio/radio_frame.h"

#include "radio/ax25.h"

namespace brezzolo {

std::optional<RadioFrame> radioFrame(const ReportedReading& reported, const RadioSettings& settings,
                                     const TimeZone& zone) {
    const auto information = aprsWeatherInformation(reported, settings.identity, zone);
    const auto source = parseAx25Address(settings.identity.callsign);
    const auto destination = parseAx25Address(kAprsIsDestination);
    if (!information || !source || !destination) {
        return std::nullopt;
    }
    const std::string path = radioPathText(settings.tnc.path);
    RadioFrame frame;
    frame.monitorText = settings.identity.callsign + ">" + kAprsIsDestination +
                        (path.empty() ? "" : "," + path) + ":" + *information;
    frame.kiss = kissDataFrame(ax25UiFrame(*source, *destination, settings.tnc.path, *information));
    return frame;
}

}  // namespace brezzolo
