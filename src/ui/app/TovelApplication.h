#pragma once

#include <QApplication>

namespace tovel {

// The application object. An exception escaping any event handler ends here and is shown in
// the program's error box; RAII guards on the way (wait windows, cursors) have already run.
class TovelApplication final : public QApplication {
    Q_OBJECT
public:
    TovelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tovel
