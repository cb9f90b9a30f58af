#pragma once

// The edge between the core's text and Qt's: data is Windows-1252 bytes, messages and paths
// are UTF-8.

#include <QString>

#include <string>
#include <string_view>

namespace tovel {

QString FromCp1252(std::string_view text);
// Characters outside Windows-1252 become '?'.
std::string ToCp1252(const QString& text);

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

} // namespace tovel
