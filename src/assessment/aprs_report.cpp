#include "assessment/aprs_report.h"

namespace brezzolo {

void writeAprsReport(const StationReading&, const CycleSettings&, const std::string&,
                     const Appoggio&, MainWindowModel&) {}

}  // namespace brezzolo
