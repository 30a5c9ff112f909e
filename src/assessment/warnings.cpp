#include "assessment/warnings.h"

#include <cmath>

#include "assessment/tendency_forecast.h"
#include "common/num_text.h"

namespace brezzolo {
namespace {

// Temperature spreads are differences of one-decimal readings; a difference that lands a few
// ulps below a limit in binary (10.1 - 6.6) still counts as reaching it.
constexpr double kSpreadTolerance = 1e-9;

bool spreadBelow(double spread, double limit) {
    return spread < limit - kSpreadTolerance;
}

// Conditions that favour mist or fog (calm air near saturation), ice and the risk of ice.
struct HazardFlags {
    bool fog = false;
    bool ice = false;
    bool iceRisk = false;
};

HazardFlags hazardFlags(const StationReading& r) {
    HazardFlags flags;
    const double t = r.outdoorTemp;
    const double rh = r.outdoorHumidity;
    const double spread = t - r.dewPoint;
    if (r.windSpeedKmh < 1) {
        flags.fog = (rh > 80 && spreadBelow(spread, 4)) ||
                    (rh >= 75 && rh <= 80 && spreadBelow(spread, 3.5)) ||
                    (rh < 75 && spreadBelow(spread, 3));
    }
    flags.ice = t < 0;
    flags.iceRisk = t >= 0 && t < 1;
    return flags;
}

// The fog and ice line for the flags, "Nessuna segnalazione attiva" when none is set.
std::string hazardText(const HazardFlags& f) {
    const std::string fog = "*** Condizioni favorevoli alla formazione di foschia o nebbia";
    if (f.fog && f.iceRisk) {
        return fog + " - Possibilità di ghiaccio ***";
    }
    if (f.fog && f.ice) {
        return fog + " - Ghiaccio ***";
    }
    if (f.fog) {
        return fog + " ***";
    }
    if (f.iceRisk) {
        return "*** Condizioni favorevoli alla formazione di ghiaccio ***";
    }
    if (f.ice) {
        return "*** Attenzione ghiaccio ***";
    }
    return "Nessuna segnalazione attiva";
}

}  // namespace

double heatIndex(double celsius, double humidityPercent) {
    const double vapourPressure =
        6.112 * std::pow(10.0, 7.5 * celsius / (237.7 + celsius)) * humidityPercent / 100;
    return celsius + 0.5555 * (vapourPressure - 10);
}

std::string comfortText(double h) {
    if (h <= 29) {
        return "Disagio non percepibile";
    }
    if (h <= 34) {
        return "Sensazione di malessere significativa";
    }
    if (h <= 39) {
        return "Sensazione di malessere intensa - No attività gravose";
    }
    if (h <= 45) {
        return "Grave malessere generalizzato - Evitare sforzi fisici";
    }
    // Up to 54, so the band between 53 and 54 keeps the danger warning too.
    if (h <= 54) {
        return "Pericolo!  -  Sospendere attività fisiche";
    }
    if (h > 54) {
        return "Colpo di calore imminente - Pericolo di vita";
    }
    return {};  // no number: no comfort text
}

double heatIndexShown(double h) {
    return std::floor(h * 10) / 10;
}

WarningLine warningLine(const StationReading& reading, const std::string& forecastCaption) {
    if (forecastCaption == kInternalErrorText) {
        return {kInternalErrorText, colours::red};
    }
    const HazardFlags flags = hazardFlags(reading);
    WarningLine line;
    line.colour = flags.fog || flags.ice || flags.iceRisk ? colours::red : colours::black;
    line.text = hazardText(flags);

    const double h = heatIndex(reading.outdoorTemp, reading.outdoorHumidity);
    const double shown = heatIndexShown(h);
    if (shown > 28) {
        // The heat outranks the fog and ice words; the colour stays theirs.
        line.text = "Indice di calore H =" + numText(shown) + "   " + comfortText(h);
    }
    return line;
}

void showWarnings(const StationReading& reading, MainWindowModel& window) {
    const WarningLine line = warningLine(reading, window.Label19.Caption);
    window.Label29.Caption = line.text;
    window.Label29.ForeColor = line.colour;
    window.Label37.Caption.clear();
}

}  // namespace brezzolo
