#pragma once

#include <string>

#include "app/cycle.h"
#include "app/main_window_presenter.h"
#include "common/folder_source.h"
#include "support/current_data_builder.h"
#include "support/station_folder.h"

namespace brezzolo::test {

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
