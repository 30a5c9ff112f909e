#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "aprs_is/packet.h"
#include "aprs_is/time_zone.h"
#include "radio/tnc_settings.h"

namespace brezzolo {

// Our weather report as it goes on the air: an AX.25 UI frame from the station's callsign to
// APZBRZ over the configured path, carrying the same information field as the APRS-IS packet.
struct RadioFrame {
    // The packet as a TNC's monitor shows it: "IZ0ABC-13>APZBRZ,WIDE2-1:/051205z...".
    std::string monitorText;
    std::vector<std::uint8_t> kiss;  // the KISS data frame for TNC port 0
};

// Nothing when the reading has no valid time (or the callsign is no AX.25 address).
std::optional<RadioFrame> radioFrame(const ReportedReading& reported, const RadioSettings& settings,
                                     const TimeZone& zone);

}  // namespace brezzolo
