#include "app/messages.h"

namespace brezzolo {

Message warning(const char* text) {
    return {"ATTENZIONE", text, MessageIcon::Information};
}

}  // namespace brezzolo
