#pragma once

#include <QColor>

#include "common/colour.h"

namespace brezzolo {

// Our 24-bit colours (red in the low byte) as Qt colours and back.
inline QColor toQColor(Colour colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

inline Colour fromQColor(const QColor& colour) {
    return rgb(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue()));
}

}  // namespace brezzolo
