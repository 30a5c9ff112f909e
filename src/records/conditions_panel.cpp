#include "records/conditions_panel.h"

namespace brezzolo {

void fillConditionsPanel(const StationReading&, MainWindowModel&) {}

}  // namespace brezzolo
