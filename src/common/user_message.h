#pragma once

#include <cstddef>
#include <string>

namespace brezzolo {

// The most characters the user message (Text2) keeps.
inline constexpr std::size_t kUserMessageLimit = 20;

// The user message cut to its first 20 characters (characters, not bytes: "à" is one).
std::string limitUserMessage(const std::string& utf8Text);

}  // namespace brezzolo
