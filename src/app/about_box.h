#pragma once

#include <string>

#include "app/shell.h"
#include "app/sys_info.h"

namespace brezzolo {

// The texts of the About box "frmAbout", set each time it loads.
struct AboutBoxTexts {
    std::string caption;         // "Informazioni su Brezzolo 1.9.2"
    std::string lblTitle;        // the application title, "Brezzolo 1.9.2"
    std::string lblVersion;      // "Versione 1.9.2"
    std::string lblDescription;  // what the program is for
    std::string lblDisclaimer;   // the notice for its users
    std::string cmdOK;           // "OK"
    std::string cmdSysInfo;      // "&System Info..."
};

AboutBoxTexts aboutBoxTexts();

// Shown, titled with the application title, when the system information viewer cannot be
// found or started.
inline constexpr const char* kSysInfoUnavailableMessage =
    "Le informazioni sul sistema non sono attualmente disponibili.";

// "System Info...": starts the system information viewer (through `startViewer`, the system's
// own unless a test gives another), or tells the user that it is unavailable.
void startSystemInformation(Shell& shell, bool (*startViewer)() = startSysInfo);

}  // namespace brezzolo
