#include "assessment/local_situation.h"

namespace brezzolo {
namespace {

// The sky when the last hour was dry, else how hard it rained (mm in the last hour).
// A negative amount, which only a broken file gives, counts as dry.
std::string skyOrRain(double forecast, double rainLastHourMm) {
    if (rainLastHourMm <= 0) {
        return forecast == 2 ? "sereno" : "nuvoloso";
    }
    if (rainLastHourMm < 3) {
        return "pioviggine";
    }
    if (rainLastHourMm < 15) {
        return "pioggia";
    }
    return "pioggia intensa";
}

std::string windSuffix(double kmh) {
    if (kmh <= 0) {
        return {};
    }
    if (kmh < 7.5) {
        return "-brezza";
    }
    if (kmh < 15) {
        return "-vento";
    }
    return "-vento forte";
}

}  // namespace

std::string localSituation(const StationReading& reading) {
    const double f = reading.forecast;
    if (f != 0 && f != 1 && f != 2) {
        return {};  // no forecast from the station: nothing to say
    }
    return skyOrRain(f, reading.rain1h) + windSuffix(reading.windSpeedKmh);
}

std::string localSituationCaption(const std::string& summary) {
    return "Condizioni attuali:  " + summary;
}

}  // namespace brezzolo
