#include "core/settings/Language.h"

#include "core/infra/Text.h"

namespace tovel {

TLanguage ParseLanguage(std::string_view text) {
    if (EqualsIgnoreAsciiCase(text, "english"))
        return TLanguage::English;
    if (EqualsIgnoreAsciiCase(text, "original"))
        return TLanguage::Original;
    return TLanguage::System;
}

const char* LanguageKey(TLanguage language) {
    switch (language) {
    case TLanguage::English:
        return "english";
    case TLanguage::Original:
        return "original";
    case TLanguage::System:
        break;
    }
    return "system";
}

bool UsesEnglishTexts(TLanguage language, std::string_view systemLocale) {
    if (language != TLanguage::System)
        return language == TLanguage::English;
    // The language part of a locale name ends at "_", "-", "." or "@".
    const std::string_view code = systemLocale.substr(0, systemLocale.find_first_of("_-.@"));
    return !EqualsIgnoreAsciiCase(code, "ru");
}

} // namespace tovel
