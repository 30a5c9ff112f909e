#pragma once

#include <string>
#include <vector>

namespace brezzolo {

// The rules behind the folder dialog's lists, for every window program alike.

// A folder as the dialog shows and stores it: the system's own separators, no "." or ".."
// steps, and no final separator except at a root ("C:\", "/").
std::string folderText(const std::string& folder);

// Where a folder list opens for a stored folder: the folder itself when it exists, else its
// nearest existing parent, else the root; the current folder for a text that names no
// absolute folder (an empty field, the placeholder).
std::string nearestExistingFolder(const std::string& storedFolder);

// The history file candidates of a folder: the names of its "*.dat" files (any case), sorted
// by name without regard to case. A folder that does not exist gives none.
std::vector<std::string> historyFileCandidates(const std::string& folder);

}  // namespace brezzolo
