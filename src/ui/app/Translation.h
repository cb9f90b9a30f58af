#pragma once

// The English translation of the program's texts, installed on the application when the
// Options' "Language" choice and the system's locale ask for it.

#include "core/settings/Language.h"

#include <QTranslator>

namespace tovel {

class TTranslation {
public:
    TTranslation() = default;
    TTranslation(const TTranslation&) = delete;
    TTranslation& operator=(const TTranslation&) = delete;
    ~TTranslation();

    // Installs the English texts, or removes them, for `language` and the system's locale
    // (`locale`, as QLocale names it: "ru_RU"). True when the English texts are in use.
    bool Apply(TLanguage language, const QString& locale);
    bool Apply(TLanguage language);

private:
    QTranslator english_;
    bool installed_ = false;
};

} // namespace tovel
