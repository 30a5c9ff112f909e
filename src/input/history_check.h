#pragma once

#include <string>

#include "common/appoggio.h"

namespace brezzolo {

// The history check: works out the day's lowest and highest outdoor temperature and relative
// pressure and the rain total at the start of the day from the history file and currdat.lst
// (not the cycle's copy), and stores Tmin, Tmax, Pmin, Pmax and Raintoday, in that order, at
// its very end. Any failure stops the check and leaves all five as they were; it then
// returns false. Throws nothing.
bool checkHistory(const std::string& heavyWeatherFolder, const std::string& historyFileName,
                  Appoggio& store);

}  // namespace brezzolo
