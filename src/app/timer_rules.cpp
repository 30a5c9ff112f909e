#include "app/timer_rules.h"

namespace brezzolo {

void applyTimerRule(TimerModel& timer, TimerEvent event) {
    switch (event) {
        case TimerEvent::StartupWithConfig:
            timer.Interval = kStartupIntervalMs;
            timer.Enabled = true;
            break;
        case TimerEvent::FirstRun:
            timer.Interval = kStartupIntervalMs;
            timer.Enabled = false;
            break;
        case TimerEvent::FolderDialogLoaded:
        case TimerEvent::EsciPressed:
            timer.Enabled = false;
            break;
        case TimerEvent::EsciStored:
        case TimerEvent::EsciNotStored:
        case TimerEvent::FolderDialogClosed:
            timer.Enabled = true;
            break;
        case TimerEvent::CycleRan:
            timer.Interval = kCycleIntervalMs;
            timer.Enabled = true;
            break;
    }
}

}  // namespace brezzolo
