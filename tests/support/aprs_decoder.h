#pragma once

#include <optional>
#include <string>

namespace brezzolo::test {

// Dire Wolf's decode_aprs (Debian package direwolf), an APRS decoder of others, found on PATH;
// nothing where it is not installed.
std::optional<std::string> findAprsDecoder();

// What decode_aprs makes of one packet in the monitor form "CALL>DEST,PATH:info", colours
// removed.
std::string decodedAprs(const std::string& decoder, const std::string& packet);

}  // namespace brezzolo::test
