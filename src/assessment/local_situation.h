#pragma once

#include <string>

#include "common/station_reading.h"

namespace brezzolo {

// The local situation in a few words: the sky or the rain of the last hour, then the wind
// ("sereno-brezza", "pioggia intensa-vento forte"); empty when the forecast is none.
std::string localSituation(const StationReading& reading);

// The caption of Label4: "Condizioni attuali:  " and the summary.
std::string localSituationCaption(const std::string& summary);

}  // namespace brezzolo
