#pragma once

// The resources linked into brezzolo.exe (brezzolo.rc).
#define IDI_BREZZOLO 1
