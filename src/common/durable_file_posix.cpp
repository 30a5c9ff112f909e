#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/durable_file.h"
#include "common/paths.h"

namespace brezzolo {
namespace {

// fsync() through a descriptor of its own: it flushes the file or folder whichever descriptor
// wrote it.
bool syncPath(const std::string& path, int flags) {
    const int descriptor = ::open(toFsPath(path).c_str(), flags | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    int result = 0;
    do {
        result = ::fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    ::close(descriptor);
    return result == 0;
}

}  // namespace

bool flushFileToDisk(const std::string& path) {
    return syncPath(path, O_WRONLY);
}

bool flushFolderToDisk(const std::string& folder) {
    return syncPath(folder, O_RDONLY | O_DIRECTORY);
}

}  // namespace brezzolo
