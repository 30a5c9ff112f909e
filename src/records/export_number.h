#pragma once

#include <string>

namespace brezzolo {

// The number form of the export files: the numText text with a "0" before a point that
// directly follows the sign position, so one half is " 0.5" and minus one half "-0.5".
// Everything else is numText's: " 21.5", "-3", " 0".
std::string ExportNumber(double value);

}  // namespace brezzolo
