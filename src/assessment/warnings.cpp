#include "assessment/warnings.h"

namespace brezzolo {

void showWarnings(const StationReading&, MainWindowModel&) {}

}  // namespace brezzolo
