#pragma once

#include <string>

#include "common/station_reading.h"

namespace brezzolo {

// The export files of the latest reading, in this order: VENTO.TXT, NOW.TXT and the day
// snapshot file (yyyymmdd.txt), to which the snapshot line is appended.
void writeExportFiles(const StationReading& reading, const std::string& outputFolder);

}  // namespace brezzolo
