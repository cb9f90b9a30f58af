#include "ui/platform/ScreenCentre.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tovel {

namespace {

// Moves its window when it is shown: by then a dialog has its final size and Qt has placed it
// over its parent, so this move has the last word.
class ScreenCentring final : public QObject {
public:
    explicit ScreenCentring(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show)
            Centre();
        return QObject::eventFilter(watched, event);
    }

private:
    void Centre() {
        const QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QRect area = screen->availableGeometry();
        const QSize size = window_->frameGeometry().size();
        const int x = std::max(area.left(), area.center().x() - size.width() / 2);
        const int y = std::max(area.top(), area.center().y() - size.height() / 2);
        window_->move(x, y);
    }

    QWidget* window_;
};

} // namespace

void CentreOnScreen(QWidget* window) {
    new ScreenCentring(window);
}

} // namespace tovel
