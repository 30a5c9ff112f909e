#include <windows.h>

#include "common/paths.h"
#include "common/text_file.h"

namespace brezzolo {

// MoveFileEx replaces an existing target, which a plain rename does not do on Windows.
bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExW(toFsPath(from).c_str(), toFsPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace brezzolo
