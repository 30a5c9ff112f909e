#include "common/user_message.h"

namespace brezzolo {

std::string limitUserMessage(const std::string& utf8Text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8Text.size(); ++i) {
        // A character starts at every byte that is not a UTF-8 continuation byte.
        if ((static_cast<unsigned char>(utf8Text[i]) & 0xC0) != 0x80) {
            if (characters == kUserMessageLimit) {
                return utf8Text.substr(0, i);
            }
            ++characters;
        }
    }
    return utf8Text;
}

}  // namespace brezzolo
