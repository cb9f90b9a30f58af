#pragma once

// Which texts the windows show: the program's original ones, or their English translation.

#include <string_view>

namespace tovel {

// Options "Language": the system's choice, English, or the original texts.
enum class TLanguage { System, English, Original };

// The settings' spelling: "system", "english", "original"; anything else reads as System.
TLanguage ParseLanguage(std::string_view text);
const char* LanguageKey(TLanguage language);

// Whether the English translation replaces the original texts: always for English, never for
// Original, and for System unless the system's locale is Russian ("ru", "ru_RU", "ru-RU.UTF-8"),
// whose users read the original texts.
bool UsesEnglishTexts(TLanguage language, std::string_view systemLocale);

} // namespace tovel
