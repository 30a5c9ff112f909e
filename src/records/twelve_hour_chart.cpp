#include "records/twelve_hour_chart.h"

namespace brezzolo {

bool drawTwelveHourChart(const std::string&, const std::string&, MainWindowModel&, Appoggio&) {
    return false;
}

}  // namespace brezzolo
