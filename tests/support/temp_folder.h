#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brezzolo::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. path() has no final separator.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // path() joined with a name by the program's own path rule.
    std::string file(const std::string& name) const;

  private:
    std::string path_;
};

// A file's bytes as they are on disk ("" when missing), and writing raw bytes.
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, std::string_view bytes);
// The names of a folder's entries (files and folders), sorted; none when it is missing.
std::vector<std::string> filesIn(const std::string& folder);

// Lines joined with CR LF after each, as the program writes text files.
std::string crlf(const std::vector<std::string>& lines);
// Lines joined with LF after each: a file in this form shows whether the program rewrote it.
std::string lf(const std::vector<std::string>& lines);

// A rewrite goes through a temporary file beside its target: a folder in that place makes
// every rewrite of the file fail, on any system and for root too, while it stays readable.
void blockRewrite(const std::string& path);

// Runs the test body with this folder as the current working folder, restoring it after.
class WorkingFolder {
  public:
    explicit WorkingFolder(const std::string& folder);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

  private:
    std::string previous_;
};

}  // namespace brezzolo::test
