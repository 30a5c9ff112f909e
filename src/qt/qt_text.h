#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace brezzolo {

// The core's UTF-8 texts as Qt texts, and back.
inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string coreText(const QString& text) {
    return text.toStdString();
}

}  // namespace brezzolo
