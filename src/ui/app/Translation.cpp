#include "ui/app/Translation.h"

#include <QCoreApplication>
#include <QLocale>

namespace tovel {

TTranslation::~TTranslation() {
    if (installed_)
        QCoreApplication::removeTranslator(&english_);
}

bool TTranslation::Apply(TLanguage language, const QString& locale) {
    const bool english = UsesEnglishTexts(language, locale.toStdString());
    if (english && !installed_) {
        // Built from translations/tovel_en.ts into the program's resources.
        if (english_.isEmpty() && !english_.load(QStringLiteral(":/i18n/tovel_en.qm")))
            return false;
        installed_ = QCoreApplication::installTranslator(&english_);
    } else if (!english && installed_) {
        QCoreApplication::removeTranslator(&english_);
        installed_ = false;
    }
    return installed_;
}

bool TTranslation::Apply(TLanguage language) {
    return Apply(language, QLocale::system().name());
}

} // namespace tovel
