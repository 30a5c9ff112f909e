#pragma once

#include <cstdint>

namespace brezzolo {

// A colour as a 24-bit value: red in the low byte, green in the middle, blue in the high byte
// (255 is red, 65280 green).
using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}

constexpr std::uint8_t redOf(Colour c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t greenOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t blueOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

namespace colours {
inline constexpr Colour black = rgb(0, 0, 0);
inline constexpr Colour red = rgb(255, 0, 0);
inline constexpr Colour darkRed = rgb(128, 0, 0);
inline constexpr Colour green = rgb(0, 255, 0);
inline constexpr Colour darkGreen = rgb(0, 128, 0);
// What a window shows when no window system supplies its own colours.
inline constexpr Colour defaultText = black;
inline constexpr Colour defaultBackground = rgb(240, 240, 240);  // 15790320
}  // namespace colours

}  // namespace brezzolo
