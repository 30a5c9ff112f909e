#pragma once

#include <string>
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
void writeFileBytes(const std::string& path, const std::string& bytes);

// Lines joined with CR LF after each, as the program writes text files.
std::string crlf(const std::vector<std::string>& lines);

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
