#include <windows.h>

#include "common/durable_file.h"
#include "common/paths.h"

namespace brezzolo {

// FlushFileBuffers through a handle of its own: it flushes the file whichever handle wrote it.
bool flushFileToDisk(const std::string& path) {
    const HANDLE file = CreateFileW(toFsPath(path).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

// replaceFile() renames with MOVEFILE_WRITE_THROUGH, which returns only when the rename is on
// the disk; a folder has no buffers of its own to flush.
bool flushFolderToDisk(const std::string&) {
    return true;
}

}  // namespace brezzolo
