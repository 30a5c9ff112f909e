#pragma once

#include <string>

namespace brezzolo {

// Flushing to the disk, for the files a power cut must not empty (Durability::FlushToDisk in
// text_file.h). Platform-specific: durable_file_posix.cpp, durable_file_win.cpp.

// Writes the file's content from the system's cache through to the disk. False when the file
// cannot be opened or the disk reports an error.
bool flushFileToDisk(const std::string& path);

// Writes the folder's entries through to the disk, so that a file renamed in it stays renamed
// after a power cut. False when the folder cannot be opened or flushed; true without doing
// anything where the rename itself reaches the disk.
bool flushFolderToDisk(const std::string& folder);

}  // namespace brezzolo
