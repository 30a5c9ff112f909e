#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/station_reading.h"

namespace brezzolo {

inline constexpr const char* kWindExportFileName = "VENTO.TXT";
inline constexpr const char* kSnapshotFileName = "NOW.TXT";

// The four lines of VENTO.TXT: the wind speed and direction under their Italian titles.
std::vector<std::string> windExportLines(const StationReading& reading);

// The snapshot line: "yyyymmdd hh:mm:ss " and thirteen values in ExportNumber form, each
// followed by a blank (indoor temperature and humidity, absolute and relative pressure,
// outdoor temperature and humidity, wind speed and direction, dew point, wind chill, rain of
// the last hour, of the last 24 hours and the rain total).
std::string snapshotLine(const StationReading& reading);

// The day snapshot file's name, "20261205.txt"; nothing when the reading has no usable date.
std::optional<std::string> daySnapshotFileName(const StationReading& reading);

// The export files of the latest reading, in this order: VENTO.TXT, NOW.TXT and the day
// snapshot file, to which the snapshot line is appended. Each file is tried even when an
// earlier one failed; an empty output folder writes nothing.
void writeExportFiles(const StationReading& reading, const std::string& outputFolder);

}  // namespace brezzolo
