#pragma once

// The band container at the top of the feature windows: it holds the menu bar and the tool
// bar, one band each, and can shrink to a thin strip when the mouse leaves it (AutoHide).

#include <QFrame>
#include <QTimer>

class QVBoxLayout;

namespace tovel {

class TLmCoolBar final : public QFrame {
    Q_OBJECT
public:
    explicit TLmCoolBar(QWidget* parent = nullptr);

    // Adds a band (a menu bar or a tool bar) below the others.
    void AddBand(QWidget* band);

    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool autoHide) { autoHide_ = autoHide; }
    int HideTimerInterval() const { return hideTimer_.interval(); }
    void SetHideTimerInterval(int ms) { hideTimer_.setInterval(ms); }
    int ShowTimerInterval() const { return showTimer_.interval(); }
    void SetShowTimerInterval(int ms) { showTimer_.setInterval(ms); }
    int MinimizedHeight() const { return minimizedHeight_; }
    void SetMinimizedHeight(int height) { minimizedHeight_ = height; }

    bool Minimized() const { return minimized_; }
    // The height that fits all bands.
    int BandsHeight() const;

protected:
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ShowTimerTick();
    void HideTimerTick();
    void SetMinimized(bool minimized);
    // A focused control, an open menu, a drag or a mouse grab inside the bar.
    bool HasActiveChild() const;
    // Tells every bar inside that the mouse has gone, so no button stays hot.
    void ReleaseHotButtons();

    QVBoxLayout* layout_;
    QTimer hideTimer_;
    QTimer showTimer_;
    bool autoHide_ = false;
    int minimizedHeight_ = 13;
    bool minimized_ = true;
    bool collapsed_ = false; // shrunk to the thin strip by AutoHide
};

} // namespace tovel
