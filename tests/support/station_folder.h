#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/cycle.h"
#include "app/main_window_presenter.h"
#include "common/folder_source.h"
#include "common/paths.h"
#include "support/current_data_builder.h"
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

// A station folder with config.brz and the typical reading in hw/currdat.lst, and the
// conversion cycle's state on it: the store, the window and the cycle's environment.
struct CycleStation : StationFolder {
    Appoggio store;
    MainWindowModel window = startupWindowModel();
    FixedFolders folders{hw, "history.dat"};
    CycleEnvironment env{store, window, folders, config};

    CycleStation() {
        writeConfig(configLines());
        CurrentDataBuilder::typical().writeTo(source());
    }
    std::string source() const { return inHw("currdat.lst"); }
    CycleOutcome run() { return runConversionCycle(env); }
};

}  // namespace brezzolo::test
