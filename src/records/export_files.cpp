#include "records/export_files.h"

namespace brezzolo {

void writeExportFiles(const StationReading&, const std::string&) {}

}  // namespace brezzolo
