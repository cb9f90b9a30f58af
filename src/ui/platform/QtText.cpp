#include "ui/platform/QtText.h"

#include "core/infra/Text.h"

namespace tovel {

QString FromCp1252(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        result.append(QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c)))));
    return result;
}

std::string ToCp1252(const QString& text) {
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const auto byte = UnicodeToCp1252(c.unicode());
        result += byte ? static_cast<char>(*byte) : '?';
    }
    return result;
}

} // namespace tovel
