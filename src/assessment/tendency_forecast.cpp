#include "assessment/tendency_forecast.h"

#include <array>

#include "common/numeric_value.h"

namespace brezzolo {
namespace {

// Label5 changes only at a ten-minute mark: the minute of the reading ends in "0".
bool isTenMinuteMark(const std::string& minute) {
    return minute.size() >= 2 && minute[1] == '0';
}

}  // namespace

double tendencyAverage(const Appoggio& store) {
    double sum = 0;
    for (const std::string& slot : store.tend) {
        sum += numericValue(slot);
    }
    // The slots hold whole codes, so the sum is exact and a single division gives the same
    // double as the literal: a sum of 5 is exactly 0.5, a sum of 6 exactly 0.6.
    return sum / static_cast<double>(store.tend.size());
}

TendencyClass tendencyClass(double average) {
    if (average >= 0.5) {
        return kRising;
    }
    if (average <= -0.5) {
        return kFalling;
    }
    return kSteady;
}

std::string tendencyText(TendencyClass tendency, double a) {
    // Each later rule that holds replaces the earlier one, so 1.0 reads as a rise and 2.5 as
    // a strong rise. The slight change starts at 0.5, where the class starts, so a rising or
    // falling class always has words of its own.
    std::string text = "in fase di aggiornamento";
    if (tendency == kSteady) {
        text = "pressione costante";
    } else if (tendency == kRising) {
        if (a >= 0.5 && a <= 1) {
            text = "pressione in leggero aumento";
        }
        if (a >= 1 && a <= 2.5) {
            text = "pressione in aumento";
        }
        if (a >= 2.5) {
            text = "pressione in forte aumento";
        }
    } else if (tendency == kFalling) {
        if (a >= -1 && a <= -0.5) {
            text = "pressione in leggera diminuzione";
        }
        if (a >= -2.5 && a <= -1) {
            text = "pressione in diminuzione";
        }
        if (a <= -2.5) {
            text = "pressione in forte diminuzione";
        }
    }
    return text;
}

std::string forecastText(StationForecast forecast, TendencyClass tendency) {
    // Columns: steady, rising, falling.
    using Row = std::array<const char*, 3>;
    static constexpr Row kRain{"Prev. pioggia", "Prev. molto nuvoloso", "Prev. pioggia"};
    static constexpr Row kCloudy{"Prev. nuvoloso", "Prev. poco nuvoloso", "Prev. molto nuvoloso"};
    static constexpr Row kSunny{"Prev. sereno", "Prev. sereno", "Prev. variabile"};
    switch (forecast) {
        case StationForecast::Rain:
            return kRain[tendency];
        case StationForecast::Cloudy:
            return kCloudy[tendency];
        case StationForecast::Sunny:
            return kSunny[tendency];
        case StationForecast::None:
        case StationForecast::Other:
            break;
    }
    return {};
}

std::string applyTendencyAndForecast(StationReading& reading, Appoggio& store,
                                     MainWindowModel& window) {
    store.shiftSlots();
    const double average = tendencyAverage(store);
    const TendencyClass tendency = tendencyClass(average);
    reading.tendency = tendency;
    if (isTenMinuteMark(reading.minute) && store.slotsFilled()) {
        window.Label5.Caption = "Tendenza:    " + tendencyText(tendency, average);
    }
    return forecastText(forecastCode(reading.forecast), tendency);
}

std::string forecastLabel(const std::string& text) {
    // "Prev. molto nuvoloso" becomes "Previsione:  molto nuvoloso".
    if (text.starts_with("Prev")) {
        return text.substr(0, 4) + "isione:  " + (text.size() > 6 ? text.substr(6) : "");
    }
    return kInternalErrorText;
}

}  // namespace brezzolo
