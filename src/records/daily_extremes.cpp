#include "records/daily_extremes.h"

namespace brezzolo {

void updateDailyExtremes(const StationReading&, const Appoggio&, const std::string&,
                         MainWindowModel&) {}

}  // namespace brezzolo
