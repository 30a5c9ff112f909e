#include "input/history_check.h"

namespace brezzolo {

bool checkHistory(const std::string&, const std::string&, Appoggio&) { return false; }

}  // namespace brezzolo
