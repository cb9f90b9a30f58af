#pragma once

#include "ui/app/Translation.h"

#include <QApplication>

namespace tovel {

// The application object. An exception escaping any event handler ends here and is shown in
// the program's error box; RAII guards on the way (wait windows, cursors) have already run.
class TovelApplication final : public QApplication {
    Q_OBJECT
public:
    TovelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The texts the windows show from now on (Options "Language").
    void SetLanguage(TLanguage language) { translation_.Apply(language); }

private:
    TTranslation translation_;
};

// The running program's SetLanguage; nothing when the application is not Tovel's own (tests).
void ApplyLanguage(TLanguage language);

} // namespace tovel
