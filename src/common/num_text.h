#pragma once

#include <string>

namespace brezzolo {

// The one rule by which a number becomes text wherever the program shows or stores one:
// a blank before a value that is not negative, "-" before a negative one, "." as the
// decimal point whatever the locale, no "0" before the point (" .5", "-.25"), no point for
// whole values, no trailing zeros, at most 15 significant digits. Large and tiny magnitudes
// use an exponent (" 1E+15", " 1E-05"). Every finite value's text reads back, through the
// numeric value, as a number with the same text; so the largest doubles, whose 15 digits would
// round beyond the range, are written " 1.79769313486231E+308".
std::string numText(double value);

// The same rule for a single-precision value: at most 7 significant digits.
std::string numTextSingle(float value);

}  // namespace brezzolo
