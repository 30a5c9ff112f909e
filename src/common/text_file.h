#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brezzolo {

// Text files as the program keeps them: lines ended by CR LF when written, CR LF or LF
// accepted when read; UTF-8 inside the program, the system code page on disk. Every function
// opens and closes its file within the call.

// True when the path names an existing regular file.
bool fileExists(const std::string& path);

// All lines of the file, without their line ends; nothing when it cannot be opened.
std::optional<std::vector<std::string>> readLines(const std::string& path);

// The same lines as the bytes on disk, in the system code page, for readers that cut fixed
// columns: a column is one byte of the code page, whatever the character.
std::optional<std::vector<std::string>> readRawLines(const std::string& path);

// How far a rewrite makes sure of its content before renaming it over the target.
enum class Durability {
    Normal,       // safe against a crash of the program: for the files every cycle rewrites
    FlushToDisk,  // safe against a power cut too: the file and then its folder are flushed
};

// Rewrites the file with these lines. The text goes to a temporary file in the same folder that
// is then renamed over the target, so a crash or a full disk never leaves a half-written file
// and a reader polling the file sees either the old or the new content. With FlushToDisk the
// temporary file reaches the disk before the rename, and the rename after it. False on
// failure, and the old file is then untouched. For files that only the program itself reads
// (config.brz, the daily extremes).
bool rewriteTextFile(const std::string& path, const std::vector<std::string>& lines,
                     Durability durability = Durability::Normal);

// Rewrites a file that other programs read while the program runs (my_meteo.txt, the export
// files), so that the new content always lands. Like rewriteTextFile, except when the rename
// is refused: on Windows a reader that holds the target open without delete sharing (UI-View
// reading the report, say) makes the rename fail for as long as it keeps the file. The rename
// is then tried again for a moment; when it is still refused the target is truncated and
// written in place, which such a reader allows when it shares write access. The temporary file
// never stays behind. False when neither way worked.
bool renewTextFile(const std::string& path, const std::vector<std::string>& lines);

// Rewrites a file that other programs read with these bytes as they are, in the way
// renewTextFile does: for a file that is no text in the system code page (the UTF-8 web page).
bool renewFileBytes(const std::string& path, const std::string& bytes);

// Appends one line (with CR LF) to the file, creating it when missing, in a single write.
bool appendLine(const std::string& path, const std::string& line);

// Copies a file byte for byte over the target, through a temporary file as rewriteTextFile.
bool copyFileReplacing(const std::string& source, const std::string& target);

// Copies a file byte for byte over the target as renewTextFile writes it.
bool renewFileCopy(const std::string& source, const std::string& target);

// The name a rewrite gives its temporary file: the target's name with this added.
inline constexpr const char* kTemporarySuffix = ".brz-new";

// Removes the temporary files that a rewrite killed half-way left in the folder: regular files
// whose names end in kTemporarySuffix and that nothing has touched for a minute (a rewrite
// under way in another Brezzolo keeps its own). Nothing else is touched; nothing is said.
void removeLeftoverTemporaries(const std::string& folder);

// Renames `from` over `to`, replacing it. Platform-specific.
bool replaceFile(const std::string& from, const std::string& to);

}  // namespace brezzolo
