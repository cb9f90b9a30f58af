#include "ui/style/LmCoolBar.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace tovel {

namespace {
// Global: ReleaseHotButtons sends events that may lead back into any bar; it runs once at a time.
bool releasingHotButtons = false;

bool Inside(const QWidget* widget, const QWidget* bar) {
    return widget && (widget == bar || bar->isAncestorOf(widget));
}
} // namespace

TLmCoolBar::TLmCoolBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("LmCoolBar"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    hideTimer_.setInterval(600);
    showTimer_.setInterval(300);
    hideTimer_.setSingleShot(true);
    showTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &TLmCoolBar::HideTimerTick);
    connect(&showTimer_, &QTimer::timeout, this, &TLmCoolBar::ShowTimerTick);
}

void TLmCoolBar::AddBand(QWidget* band) {
    band->setParent(this);
    layout_->addWidget(band);
    // Starts minimised, but sized to its bands, as the window's automatic sizing does.
    setFixedHeight(BandsHeight());
}

int TLmCoolBar::BandsHeight() const {
    return qMax(minimizedHeight_, layout_->sizeHint().height());
}

bool TLmCoolBar::event(QEvent* event) {
    // A band's size changes when its actions are added after it joined the bar (a menu bar
    // filled later): the bar follows, so no band is cut or folded into its overflow button.
    if (event->type() == QEvent::LayoutRequest && !collapsed_) {
        const bool handled = QFrame::event(event);
        setFixedHeight(BandsHeight());
        return handled;
    }
    return QFrame::event(event);
}

void TLmCoolBar::enterEvent(QEnterEvent* event) {
    QFrame::enterEvent(event);
    hideTimer_.stop();
    if (minimized_)
        showTimer_.start();
}

void TLmCoolBar::leaveEvent(QEvent* event) {
    QFrame::leaveEvent(event);
    showTimer_.stop();
    if (HasActiveChild()) {
        ReleaseHotButtons();
        return;
    }
    SetMinimized(true);
    if (autoHide_)
        hideTimer_.start();
    else
        ReleaseHotButtons();
}

void TLmCoolBar::ShowTimerTick() {
    collapsed_ = false;
    setFixedHeight(BandsHeight());
    SetMinimized(false);
}

void TLmCoolBar::HideTimerTick() {
    if (HasActiveChild() || underMouse())
        return;
    collapsed_ = true;
    setFixedHeight(minimizedHeight_);
}

void TLmCoolBar::SetMinimized(bool minimized) {
    if (minimized_ == minimized)
        return;
    minimized_ = minimized;
    // Keep the bar at the left edge and as wide as its parent's inside.
    move(0, y());
    if (const QWidget* parent = parentWidget()) {
        const int parentWidth = parent->contentsRect().width();
        if (width() > parentWidth || width() < parentWidth - 5)
            resize(parentWidth, height());
    }
}

bool TLmCoolBar::HasActiveChild() const {
    if (Inside(QApplication::focusWidget(), this) && QApplication::focusWidget() != this)
        return true;
    if (Inside(QWidget::mouseGrabber(), this))
        return true;
    // An open menu of a menu bar inside the bar.
    for (const QMenuBar* bar : findChildren<QMenuBar*>())
        if (bar->activeAction() && bar->activeAction()->menu() && bar->activeAction()->menu()->isVisible())
            return true;
    return QApplication::mouseButtons() != Qt::NoButton && underMouse();
}

void TLmCoolBar::ReleaseHotButtons() {
    if (releasingHotButtons)
        return;
    releasingHotButtons = true;
    QList<QWidget*> bars;
    for (QMenuBar* bar : findChildren<QMenuBar*>())
        bars << bar;
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        bars << bar;
        for (QWidget* button : bar->findChildren<QWidget*>())
            bars << button;
    }
    for (QWidget* bar : bars) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(bar, &leave);
    }
    releasingHotButtons = false;
}

} // namespace tovel
