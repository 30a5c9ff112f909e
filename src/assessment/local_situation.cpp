#include "assessment/local_situation.h"

namespace brezzolo {
namespace {

// The sky when the last hour was dry, else how hard it rained (mm in the last hour).
// A negative amount, which only a broken file gives, counts as dry.
std::string skyOrRain(StationForecast forecast, double rainLastHourMm) {
    if (rainLastHourMm <= 0) {
        return forecast == StationForecast::Sunny ? "sereno" : "nuvoloso";
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
    const StationForecast forecast = forecastCode(reading.forecast);
    if (forecast == StationForecast::None || forecast == StationForecast::Other) {
        return {};  // no forecast the station defines: nothing to say
    }
    return skyOrRain(forecast, reading.rain1h) + windSuffix(reading.windSpeedKmh);
}

std::string localSituationCaption(const std::string& summary) {
    return "Condizioni attuali:  " + summary;
}

}  // namespace brezzolo
