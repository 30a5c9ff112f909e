#pragma once

#include "common/main_window_model.h"

namespace brezzolo {

// Timer1 drives the conversion cycles. Every change to it in the program is one of these
// events, and applyTimerRule() is the one place that says what each does.
enum class TimerEvent {
    StartupWithConfig,   // config.brz is there: the first cycle follows 100 ms after the window
    FirstRun,            // no config.brz: off, at 100 ms, until "ESCI" stores the folders
    FolderDialogLoaded,  // loading the folder dialog stops the cycles
    EsciPressed,         // "ESCI" stops them while it checks and stores the folders
    EsciStored,          // and starts them again once the folders are stored
    EsciNotStored,       // a failed save of an existing config.brz: go on with what is stored
    FolderDialogClosed,  // closing the dialog after a refused "ESCI" (not on a first run)
    CycleRan,            // every cycle re-arms the timer, even without currdat.lst, so that a
                         // program started before Heavy Weather picks the file up later
};

// The interval of the first cycle after the start or after "ESCI", in milliseconds.
inline constexpr int kStartupIntervalMs = 100;
// The interval between cycles, in milliseconds.
inline constexpr int kCycleIntervalMs = 61502;

void applyTimerRule(TimerModel& timer, TimerEvent event);

}  // namespace brezzolo
