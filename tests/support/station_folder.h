#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/paths.h"
#include "support/temp_folder.h"

namespace brezzolo::test {

// A working folder: a Heavy Weather folder "hw" and an output folder "out", both made, and the
// place of config.brz beside them.
struct StationFolder {
    TempFolder root;
    std::string hw = root.file("hw");
    std::string out = root.file("out");
    std::string config = root.file("config.brz");

    StationFolder() {
        std::filesystem::create_directory(toFsPath(hw));
        std::filesystem::create_directory(toFsPath(out));
    }
    // config.brz's six lines: report mode, pressure, chart, the two folders, the history file.
    std::vector<std::string> configLines(const std::string& chart = "1",
                                         const std::string& mode = "1",
                                         const std::string& pressure = "1") const {
        return {mode, pressure, chart, hw, out, "history.dat"};
    }
    void writeConfig(const std::vector<std::string>& lines) const {
        writeFileBytes(config, crlf(lines));
    }
    std::string inHw(const std::string& name) const { return *joinPath(hw, name); }
    std::string inOut(const std::string& name) const { return *joinPath(out, name); }
};

}  // namespace brezzolo::test
