#include "assessment/local_situation.h"

namespace brezzolo {

std::string localSituation(const StationReading&) { return {}; }

}  // namespace brezzolo
