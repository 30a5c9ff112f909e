#pragma once

#include "app/shell.h"

namespace brezzolo {

// The program's warnings: a box titled "ATTENZIONE" with an information icon.
Message warning(const char* text);

// After an old four-line config.brz was converted.
inline constexpr const char* kNewReleaseMessage =
    "Nuova Release. Prego verificare configurazione cartelle e file di lavoro";

// When a change of the settings could not be written.
inline constexpr const char* kConfigNotSavedMessage =
    "Impossibile salvare la configurazione in config.brz: verificare che la cartella di lavoro "
    "sia scrivibile e che il disco non sia pieno.";

// When "ESCI" finds a folder or the history file not chosen.
inline constexpr const char* kFoldersNotChosenMessage = "Cartelle non selezionate";

}  // namespace brezzolo
