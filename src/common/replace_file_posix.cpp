#include <cstdio>

#include "common/paths.h"
#include "common/text_file.h"

namespace brezzolo {

// rename() replaces the target atomically on POSIX file systems.
bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(toFsPath(from).c_str(), toFsPath(to).c_str()) == 0;
}

}  // namespace brezzolo
