#pragma once

#include <string>
#include <utility>

namespace brezzolo {

// Where the cycle takes the Heavy Weather folder and the history file name from. While the
// program runs these are held by the folder dialog (its fields follow the user's edits); the
// headless converter holds the values it read from config.brz at start.
class FolderSource {
  public:
    virtual ~FolderSource() = default;
    virtual std::string heavyWeatherFolder() const = 0;
    virtual std::string historyFileName() const = 0;
};

// Fixed values, for the headless converter and tests.
class FixedFolders : public FolderSource {
  public:
    FixedFolders(std::string heavyWeatherFolder, std::string historyFileName)
        : folder_(std::move(heavyWeatherFolder)), history_(std::move(historyFileName)) {}
    std::string heavyWeatherFolder() const override { return folder_; }
    std::string historyFileName() const override { return history_; }

  private:
    std::string folder_;
    std::string history_;
};

}  // namespace brezzolo
