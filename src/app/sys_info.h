#pragma once

namespace brezzolo {

// Starts the operating system's information viewer (MSINFO32 on Windows, found through the
// registry) as a separate process and returns at once. False when there is no viewer or it
// could not be started; the caller then tells the user that it is unavailable.
bool startSysInfo();

}  // namespace brezzolo
