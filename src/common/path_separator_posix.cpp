#include "common/paths.h"

namespace brezzolo {

// A "\" is an ordinary file-name character here, so folders are joined with "/".
char pathSeparator() {
    return '/';
}

}  // namespace brezzolo
