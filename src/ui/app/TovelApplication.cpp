#include "ui/app/TovelApplication.h"

#include "core/infra/Prompts.h"
#include "ui/platform/QtText.h"

namespace tovel {

TovelApplication::TovelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tovel"));
    setApplicationVersion(QStringLiteral(TOVEL_VERSION));
}

void ApplyLanguage(TLanguage language) {
    if (auto* app = qobject_cast<TovelApplication*>(QCoreApplication::instance()))
        app->SetLanguage(language);
}

bool TovelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowError(e.what());
    } catch (...) {
        ShowError(ToUtf8(tr("Unknown error")));
    }
    return false;
}

} // namespace tovel
