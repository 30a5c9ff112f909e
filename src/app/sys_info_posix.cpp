#include "app/sys_info.h"

namespace brezzolo {

// There is no system information viewer to rely on outside Windows.
bool startSysInfo() {
    return false;
}

}  // namespace brezzolo
