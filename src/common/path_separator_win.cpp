#include "common/paths.h"

namespace brezzolo {

char pathSeparator() {
    return '\\';
}

}  // namespace brezzolo
