#include "station/station_reading_values.h"

namespace brezzolo {
namespace {

constexpr double kKmhPerMetrePerSecond = 3.6;

}  // namespace

CurrentDataConversion currentDataValues(const StationValues& s, const CivilTime& pcNow) {
    CurrentDataConversion result;
    const auto need = [&](bool present, const char* name) {
        if (!present) {
            result.missing += (result.missing.empty() ? "manca: " : ", ") + std::string(name);
        }
    };
    need(s.indoorTemp.has_value(), "temperatura interna");
    need(s.outdoorTemp.has_value(), "temperatura esterna");
    need(s.indoorHumidity.has_value(), "umidità interna");
    need(s.outdoorHumidity.has_value(), "umidità esterna");
    need(s.dewPoint.has_value(), "punto di rugiada");
    need(s.windChill.has_value(), "temperatura percepita");
    need(s.windSpeed.has_value(), "velocità del vento");
    need(s.windDirection.has_value(), "direzione del vento");
    need(s.pressureAbs.has_value(), "pressione assoluta");
    need(s.pressureRel.has_value(), "pressione relativa");
    if (!result.missing.empty()) {
        return result;
    }

    CurrentDataValues v;
    v.time = s.clock.value_or(pcNow);
    v.forecast = s.forecast;
    v.tendency = s.tendency;
    v.indoorTemp = *s.indoorTemp;
    v.outdoorTemp = *s.outdoorTemp;
    v.indoorHumidity = *s.indoorHumidity;
    v.outdoorHumidity = *s.outdoorHumidity;
    v.dewPoint = *s.dewPoint;
    v.windChill = *s.windChill;
    v.windSpeedKmh = *s.windSpeed * kKmhPerMetrePerSecond;
    v.windDirection = *s.windDirection;
    v.rainTotal = s.rainTotal;
    v.rain24h = s.rain24h;
    v.rain1h = s.rain1h;
    v.pressureAbs = *s.pressureAbs;
    v.pressureRel = *s.pressureRel;
    v.stormAlarm = s.stormWarningEnabled ? -1 : 0;
    result.values = v;
    return result;
}

}  // namespace brezzolo
