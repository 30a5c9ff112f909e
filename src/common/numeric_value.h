#pragma once

#include <string_view>

namespace brezzolo {

// The one rule by which a text becomes a number wherever the program reads one: leading
// blanks are skipped, then an optional sign, digits with at most one "." and an optional
// exponent ("E", an optional sign and digits); reading stops at the first other character;
// blanks and tabs inside the number are skipped. A text that does not begin with a number,
// or whose number is out of the range of a double, gives 0.
//   numericValue("21.5\"") == 21.5, numericValue("  -.4") == -0.4, numericValue("tend3") == 0
double numericValue(std::string_view text);

}  // namespace brezzolo
