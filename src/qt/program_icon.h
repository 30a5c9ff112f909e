#pragma once

#include <QIcon>

namespace brezzolo {

// The program's icon in every size it ships (16 to 256 pixels), for every window.
QIcon programIcon();

}  // namespace brezzolo
